// The automatic roster: the pick sequence, the candidates, the winner rule and the fallbacks.
#include "coach/roster/auto_roster.h"

#include <gtest/gtest.h>

#include <vector>

namespace bb::roster {
namespace {

// Gone: released.
enum Extra : std::uint8_t { Plain = 0, Empty = 1, Gone = 2, Sniper = 4, Checker = 8 };

// One roster slot. All skills at level: a skater rates level + 5 overall and by offence, level by
// defence; a goalie 51 * level / 53 overall. Sniper: SC (10) 99 at level 50, rated 64 overall,
// 66 by offence. Checker: DF (9) 90 at level 50, rated 59 overall, 56 by offence, 63 by defence.
struct P {
    int slot;
    std::uint8_t pos, level, sts = 100, susp = 0, extra = Plain;
};

Session team(const std::vector<P>& ps)
{
    Session s;
    for (const P& x : ps) {
        PlayerRec& p = s.Players[0][x.slot];
        p.Name.assign(x.extra & Empty ? std::string(1, '\0') : "Player");
        std::tie(p.Pos, p.Sts, p.Susp, p.Released) = std::tuple(x.pos, x.sts, x.susp, x.extra & Gone ? 1 : 0);
        p.Skill.fill(x.level);
        p.Skill[10] = x.extra & Sniper ? 99 : x.level, p.Skill[9] = x.extra & Checker ? 90 : x.level;
    }
    return s;
}

constexpr std::uint8_t C = PosC, L = PosLW, R = PosRW, D = PosD, G = PosG;

// The slots Auto dresses, and how many it leaves on the pro roster.
std::pair<std::vector<int>, int> autoRoster(Session& s, RosterWork& work)
{
    AutoRoster(s, work, 0, 0);
    std::pair<std::vector<int>, int> out;
    for (int i = 0; i < RosterSize; ++i) {
        if (work.RosterStatus[i] == 200)
            out.first.push_back(i);
        out.second += work.RosterStatus[i] >= 100 && !s.Players[0][i].isEmpty();
    }
    return out;
}

// Scratches, rated by offence / defence / overall: centres 0 (75/70/75), 1 and 2 (65/60/65; 2
// released), 3 (56/63/59), 33 (60/55/60); left wings 4-6 (65, 60, 55 by offence); right wings 7
// and 8 (65/60/65), 9 (56/63/59), 17 (60/55/60); defencemen 10-13 (60, 55, 50, 49 by offence; 55
// down to 44 by defence), 14-16 (46/57/54); goalies 19 (86), 20 (67), 21 (76) overall; 18 a
// dressed centre rated 35. Others: 22 a farm centre rated 99, 23 an injured and 24 a suspended
// scratch, 25 an injured dressed player, 26 an empty slot left dressed, 27 a suspended farm
// wing, 36 a scratch with position code 7 and every skill 99.
Session fullTeam()
{
    return team({{0, C, 70, 100, 0, Plain},    {1, C, 60, 100, 0, Plain},    {2, C, 60, 100, 0, Gone},
                 {3, C, 50, 100, 0, Checker},  {4, L, 60, 100, 0, Plain},    {5, L, 55, 100, 0, Plain},
                 {6, L, 50, 100, 0, Plain},    {7, R, 60, 100, 0, Plain},    {8, R, 60, 100, 0, Plain},
                 {9, R, 50, 100, 0, Checker},  {10, D, 55, 100, 0, Plain},   {11, D, 50, 100, 0, Plain},
                 {12, D, 45, 100, 0, Plain},   {13, D, 44, 100, 0, Plain},   {14, D, 40, 100, 0, Checker},
                 {15, D, 40, 100, 0, Checker}, {16, D, 40, 100, 0, Checker}, {17, R, 55, 100, 0, Plain},
                 {18, C, 30, 200, 0, Plain},   {19, G, 90, 100, 0, Plain},   {20, G, 70, 100, 0, Plain},
                 {21, G, 80, 100, 0, Plain},   {22, C, 95, 0, 0, Plain},     {23, C, 99, 103, 0, Plain},
                 {24, L, 99, 100, 2, Plain},   {25, R, 99, 205, 0, Plain},   {26, C, 99, 200, 0, Empty},
                 {27, L, 30, 0, 3, Plain},     {33, C, 55, 100, 0, Plain},   {36, 7, 99, 100, 0, Plain}});
}

TEST(AutoRoster, PicksAndFallbacks)
{
    // Every scratched centre injured or suspended: the best healthy, unsuspended farm centre by
    // overall rating (6, not the sniper 4, better by offence; not the suspended 8 nor the wing).
    const std::vector<P> centres = {{1, C, 80, 103, 0, Plain}, {2, C, 80, 100, 1, Plain},
                                    {4, C, 50, 0, 0, Sniper},  {6, C, 60, 0, 0, Plain},
                                    {8, C, 70, 0, 2, Plain},   {10, L, 99, 0, 0, Plain}};
    Session s = team(centres);
    RosterWork work;
    ResetFlags(s, work, 0);
    EXPECT_EQ(BestAvailable(s, work, 0, C, Offence), 6);

    // Two goalies and nobody else: every skater pick finds nobody, the goalie picks still run.
    // Goalie 1 rates 0 and never wins: the second goalie pick lands on 9 again.
    s = team({{1, G, 0}, {9, G, 70}});
    EXPECT_EQ(autoRoster(s, work).first, (std::vector<int>{9}));

    s = fullTeam();
    work.RosterStatus.fill(200); // moves made before, all lost
    // C 0, 1 (the tie with 2 by offence), 3 by defence; LW 4-6; RW 7, 8, 9 by defence; D 10, 14,
    // 11, 15, 12, 16 alternating; extra skaters 2 (released), 17, 33 (not goalie 19 nor 36, rated
    // higher); goalies 19 and 21. Undressed players keep their injuries.
    EXPECT_EQ(autoRoster(s, work).first,
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 19, 21, 33}));
    EXPECT_EQ(std::vector<int>({work.RosterStatus[18], work.RosterStatus[23], work.RosterStatus[25]}),
              (std::vector<int>{100, 103, 105}));

    // Without goalies: 24 on the pro roster. Each goalie pick reaches the farm, taking the pro
    // roster to 26, the second one dressing the suspended 27; without 27, the second pick lands
    // on an already dressed player and the game roster ends at 19 (one farm player dressed).
    for (const std::vector<int>& gone : {std::vector{19, 20, 21}, std::vector{19, 20, 21, 27}}) {
        s = fullTeam();
        for (int i : gone)
            s.Players[0][i] = {};
        const auto [d, pro] = autoRoster(s, work);
        EXPECT_EQ(std::pair(d.size(), pro), gone.size() == 3 ? std::pair(20UL, 26) : std::pair(19UL, 25));
    }
}

} // namespace
} // namespace bb::roster
