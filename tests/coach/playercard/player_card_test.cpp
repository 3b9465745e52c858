// The player card's texts, checked against values worked out by hand.
#include "coach/playercard/player_card.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace bb::card {
namespace {

// A healthy dressed veteran centre of team 3 "Hawks" (FarmPayGP 5), every skill 50.
struct PlayerCard : ::testing::Test {
    PlayerRec p;
    void SetUp() override { p.Name.assign("Jan Novak"), p.Sts = 200, p.Skill.fill(50); }
    CardTexts card(Separators sep = {",", "."}) const
    {
        Session s;
        s.init("/nonexistent-benchboss-home");
        s.CurTeam = 3;
        s.Teams[3].Name.assign("Hawks");
        s.League.FarmPayGP = 5;
        return fillCard(p, cardContext(s, sep));
    }
};

TEST_F(PlayerCard, IdentityAndHeight)
{
    p.Num = 250, p.Rookie.raw = 1, p.Shoots = 7, p.Con = 0;
    CardTexts t = card();
    EXPECT_EQ(std::tie(t.Label1, t.lblPos, t.lblNum, t.lblExp, t.lblHD, t.lblCon),
              std::tuple("Jan Novak (Hawks)", "C", "250", "Rookie", "R", "100"));
    // A NUL inside a name that fills its field must not hide the team.
    p.Name.assign(std::string("Ann\0", 4) + std::string(18, 'x')), p.Rookie.raw = 0, p.Shoots = 0, p.Con = 37;
    t = card();
    EXPECT_EQ(std::tie(t.Label1, t.lblExp, t.lblHD, t.lblCon),
              std::tuple("Ann (Hawks)", "Veteran", "L", "37"));

    // Below 66 inches the feet form is always 5 ft 6; centimetres are the true height times 2.5.
    std::string got;
    for (std::uint8_t hgt : {60, 65, 72, 73})
        p.Hgt = hgt, got += card().lblHgtFeet + " = " + card().lblHgtCm + "; ";
    EXPECT_EQ(got, "5 ft 6 = 150 cm; 5 ft 6 = 162.5 cm; 6 ft 0 = 180 cm; 6 ft 1 = 182.5 cm; ");
}

TEST_F(PlayerCard, StatusAndSalary)
{
    // Sts and Susp; then Sts, GP and Salary: a healthy farm player below FarmPayGP games draws a
    // tenth, floored; an injured one the whole.
    const std::pair<int, int> status[] = {{6, 0}, {102, 3}, {200, 2}, {0, 0}, {208, 0}};
    const std::array<int, 3> salary[] = {
        {0, 4, 45009}, {0, 5, 45000}, {3, 0, 45000}, {100, 0, 950}, {0, 0, -45001}};
    std::string got;
    for (auto [sts, susp] : status)
        p.Sts = std::uint8_t(sts), p.Susp = std::uint8_t(susp), got += card().lblSts + "; ";
    for (auto [sts, gp, amount] : salary)
        p.Sts = std::uint8_t(sts), p.GP = std::uint8_t(gp), p.Salary = amount, got += card().lblSalary + "; ";
    EXPECT_EQ(got, "Injured IN; Injured 1W; Suspended 2 games; Healthy; Injured ?; "
                   "4,500; 45,000; 45,000; 0,950; -4,501; ");

    // Separators from a German locale.
    p.Sts = 200, p.Salary = 45000, p.G = 10, p.Shots = 80, p.Hgt = 73;
    const CardTexts de = card({".", ","});
    EXPECT_EQ(std::tie(de.lblSalary, de.statValue[lblShoot], de.lblHgtCm),
              std::tuple("45.000", "12,5", "182,5 cm"));
}

TEST_F(PlayerCard, RatingsAndStatistics)
{
    // Overall, not the stored skill 13: a centre with every counted skill 50 except EN 255.
    // (50 * 65 + 3 * 255) / 68 = 59.04, + 5. Goals and assists do not wrap at a byte; 200 on 1600
    // shots is 12.5 %.
    p.Skill[3] = 255, p.Skill[13] = 77, p.G = 200, p.A = 100, p.PlusMinus = -4, p.Shots = 1600;
    const CardTexts t = card();
    EXPECT_EQ(std::tie(t.lblSkill[3], t.lblSkill[9], t.lblSkill[13]), std::tuple("n/a", "50", "64"));
    EXPECT_EQ(
        std::tie(t.statValue[lblP], t.statValue[lblPlus], t.statValue[lblShoot], t.statCaption[lblShoot]),
        std::tuple("300", "-4", "12.5", "Sh%"));
    EXPECT_TRUE(t.lblGTVisible);

    // Shots and goals: halves round away from zero, 1 on 16 is 6.25 %.
    const std::pair<int, int> shooting[] = {{0, 0}, {-3, 2}, {16, 1}, {3, 4}};
    std::string got;
    for (auto [shots, goals] : shooting)
        p.Shots = std::int16_t(shots), p.G = std::uint8_t(goals), got += card().statValue[lblShoot] + " ";
    EXPECT_EQ(got, "0.0 0.0 6.3 133.3 ");

    // A goalie.
    p.Pos = PosG, p.Skill.fill(50), p.Skill[9] = 255, p.Skill[10] = 12;
    p.GP = 20, p.Shots = 300, p.PIM = 50, p.G = 4, p.A = 1, p.PPG = 2, p.SHG = 9, p.GW = 7, p.GT = 3;
    const CardTexts g = card();
    EXPECT_EQ(std::tie(g.lblSkill[9], g.lblSkill[10], g.lblSkill[13]), std::tuple("N/A", "N/A", "48"));
    EXPECT_EQ(g.statCaption, (std::array<std::string, StatCount>{"GP", "W", "L", "T", "GA", "GAA", "PIM",
                                                                 "As", "SO", "", "Shots", "Sv%"}));
    EXPECT_EQ(g.statValue, (std::array<std::string, StatCount>{"20", "9", "7", "3", "50", "2.50", "4", "1",
                                                               "2", "", "300", "0.833"}));
    EXPECT_FALSE(g.lblGTVisible);

    // GP, shots and goals against: no game played keeps the design texts; no shot against saves
    // everything.
    const std::array<int, 3> goalie[] = {{0, 300, 20}, {3, 0, 0}, {200, 1000, 201}};
    got.clear();
    for (auto [gp, shots, ga] : goalie) {
        p.GP = std::uint8_t(gp), p.Shots = std::int16_t(shots), p.PIM = std::int16_t(ga);
        got += card().statValue[lblPlus] + " " + card().statValue[lblShoot] + "; ";
    }
    EXPECT_EQ(got, "0 N/A; 0.00 1.000; 1.01 0.799; ");
}

} // namespace
} // namespace bb::card
