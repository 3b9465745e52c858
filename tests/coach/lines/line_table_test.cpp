// The line logic: the line table, placements, the list, line averages and the
// automatic lines.
#include "coach/lines/auto_lines.h"
#include "coach/lines/line_averages.h"
#include "coach/lines/line_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

using namespace bb;
using namespace bb::lines;

// All skills at level: a skater rates level + 5 overall and by offence, level by defence.
PlayerRec evenPlayer(std::uint8_t pos, std::uint8_t level, std::uint8_t sts = 200, std::uint8_t con = 50)
{
    PlayerRec p;
    std::tie(p.Pos, p.Sts, p.Con) = std::tuple(pos, sts, con);
    p.Skill.fill(level);
    return p;
}

// Used cell (x, y) holds roster slot x + y, or used when given; the ten spare cells hold spare.
// Lines 0..5 have five slots, 6..9 four, 10..12 three.
LineTable fullTable(std::uint8_t spare, int used = -1)
{
    LineTable t;
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y)
            t[x][y] = y >= (x < 6 ? 5 : x < 10 ? 4 : 3) ? spare : used < 0 ? x + y : used;
    return t;
}

TEST(LineTable, TextsAveragesAndCompleteness)
{
    // Roster slot i rates 60 + i in every skill (65 + i overall); slot 4 has 255 in Skill(2).
    auto s = std::make_unique<Session>();
    for (int i = 0; i < 5; ++i)
        s->Players[0][i] = evenPlayer(PosC, 60 + i);
    s->Players[0][4].Skill[2] = 255;
    LineTable t = fullTable(NoPlayer, 60); // E2 and the rest: empty, whatever the value
    t[0] = {1, 2, 3, 4, 200};              // E1, one cell empty: 250 / 5; Skill(2) 441 / 5 = 88.2
    t[4][0] = 1;                           // P1
    t[9] = {1, 2, 3, 4, 0};                // K2, its spare cell ignored: 250 / 4 = 62.5
    t[10] = {0, 2, 3, 1, 1};               // K3: overall 200 / 3 = 66.67
    t[12] = {0, 1, 1, 0, 0};               // the goalie line has no averages
    // Each roster slot's codes in line order; nothing from a spare cell.
    const AssignmentTexts texts = ReadLineAssgts(t);
    EXPECT_EQ((std::array{texts[1], texts[2], texts[0], texts[5]}),
              (std::array<std::string, 4>{"E1C P1C K2C X1 X2", "E1L K2W K3D", "K3C Starting Goaltender",
                                          "the Pine"}));
    const auto avg = [&](int x) { return lineAverages(*s, t, x); };
    EXPECT_EQ(std::tuple(avg(0).rating[0], avg(0).rating[2], avg(9).rating[0], avg(10).overall),
              std::tuple(50, 88, 63, 67)); // 62.5 and 66.67 round up
    EXPECT_TRUE(avg(1).rating == (std::array<int, 13>{}) &&
                avg(1).overall + avg(12).overall + avg(-1).overall == 0);

    // Complete with every spare cell empty; one empty used cell (NoPlayer or 60) is enough.
    EXPECT_FALSE(LinesIncomplete(fullTable(NoPlayer)));
    for (auto [x, y, empty] : {std::tuple(12, 2, NoPlayer), {10, 2, 60}, {0, 0, NoPlayer}}) {
        t = fullTable(0);
        t[x][y] = empty;
        EXPECT_TRUE(LinesIncomplete(t)) << x << "," << y;
    }
}

TEST(Placement, GoalieSkatersOncePerLineAndSpareCells)
{
    // From empty used cells and spare cells holding roster slot 0 (as the automatic lines leave
    // them), clicks in turn: slot label, roster slot, his position, the mode, accepted or not. A
    // refused click changes no cell and not LinesChanged.
    LineWork work(fullTable(0, NoPlayer));
    const auto click = [&](int index, std::uint8_t p, std::uint8_t pos, Mode mode, bool accepted) {
        const LineWork before = work;
        work.LinesChanged = false;
        EXPECT_EQ(work.place(index, p, evenPlayer(pos, 50), mode), accepted) << index << " " << int(p);
        EXPECT_TRUE(work.LinesChanged == accepted && (accepted || work.LineSlots == before.LineSlots));
    };
    // The goalie goes in goal only, in every mode.
    for (Mode mode : {Mode::Even, Mode::PP, Mode::PK})
        for (int index = 0; index < 23; ++index)
            click(index, 1, PosG, mode, index == 20);
    // No skater in goal; one skater as X1 and X2 at once; any code but a goalie's is a skater
    // (E4's fifth cell); nobody, or beyond the roster or the slots; K1's spare cell holds 0 and
    // blocks nothing; slots showing spare cells (of five-, four- and three-slot lines) take no
    // click; E1 C once per line, his own cell included; E2 C, then replaced there only.
    constexpr Mode E = Mode::Even, P = Mode::PP, K = Mode::PK;
    const std::tuple<int, std::uint8_t, std::uint8_t, Mode, bool> clicks[] = {
        {20, 2, PosC, E, false},    {21, 2, PosD, K, true}, {22, 2, PosD, K, true}, {19, 6, 9, E, true},
        {1, NoPlayer, 0, E, false}, {1, 50, 0, E, false},   {-1, 2, 0, E, false},   {0, 0, 0, K, true},
        {4, 7, 0, K, false},        {18, 7, 0, K, false},   {14, 7, 0, P, false},   {0, 4, 0, E, true},
        {4, 4, 0, E, false},        {0, 4, 0, E, false},    {5, 4, 0, E, true},     {5, 8, 0, E, true}};
    for (const auto& [index, p, pos, mode, accepted] : clicks)
        click(index, p, pos, mode, accepted);
    LineTable want = fullTable(0, NoPlayer);
    want[12] = {1, 2, 2, 0, 0}, want[3][4] = 6, want[8][0] = 0, want[0][0] = 4, want[1][0] = 8;
    EXPECT_EQ(work.LineSlots, want);
}

TEST(AutoLines, GameRosterThenNoHealthyGoalieOrLeftWingAndTheList)
{
    // A game roster of 4 C, 4 LW, 4 RW, 6 D and 2 G, all healthy, then a farm centre and a
    // scratched goalie. Skaters are {every skill, but DF (9) and SC (10)}, rated overall / offence /
    // defence by hand from the formulas.
    const std::uint8_t skaters[18][3] = {
        {60, 60, 60}, {55, 20, 95}, {50, 90, 10}, {45, 45, 45}, // C:  65/65/60 64/68/43 51/46/63 50/50/45
        {50, 50, 50}, {50, 10, 90}, {50, 80, 30}, {45, 45, 45}, // LW: 55/55/50 58/63/36 54/51/60 50/50/45
        {60, 60, 60}, {50, 30, 80}, {40, 95, 40}, {45, 45, 45}, // RW: 65/65/60 58/61/43 50/46/58 50/50/45
        {55, 20, 95}, {50, 90, 10}, {60, 60, 60},               // D:  63/68/43 59/46/63 65/65/60
        {50, 10, 90}, {50, 80, 30}, {45, 45, 45}};              // D:  57/63/36 59/51/60 50/50/45
    auto s = std::make_unique<Session>();
    auto& r = s->Players[0];
    for (int i = 0; i < 18; ++i) {
        r[i] = evenPlayer(i < 12 ? i / 4 : PosD, skaters[i][0]);
        std::tie(r[i].Skill[9], r[i].Skill[10]) = std::tie(skaters[i][1], skaters[i][2]);
    }
    // Goalies rated 57 and 67 overall, a farm centre 85 / 85 / 80, a scratched goalie 86.
    r[18] = evenPlayer(PosG, 60), r[19] = evenPlayer(PosG, 70);
    r[20] = evenPlayer(PosC, 80, 0), r[21] = evenPlayer(PosG, 90, 100);
    LineTable t = fullTable(77, 77); // anything left over from before must not survive
    r[1].Susp = 3;                   // suspended but dressed and healthy: picked like any other
    // E1-E4: twelve different forwards; E1-E3 take the six defencemen in pairs, E4 the two best by
    // overall (14: 65, 12: 63) through pass 2. P1, P2: ten different players. K1: 14 and 16 tie by
    // defence, the lower slot wins. Spare cells hold 0. The best healthy goalie, not the better
    // scratch; X1 the first of three skaters rated 65 (not the farm centre); X2 the best attacker
    // outside E1 and X1: 14 (65), where 1 and 12 (68) are in E1 and 0 (X1) and 8 (E1) would win
    // the tie.
    // clang-format off
    const LineTable want = {{{1, 5, 8, 12, 13}, {0, 4, 9, 14, 16}, {2, 6, 10, 15, 17}, {3, 7, 11, 14, 12},
                             {1, 5, 8, 12, 14}, {0, 4, 9, 15, 16}, {1, 5, 12, 14, 0}, {0, 4, 15, 16, 0},
                             {2, 6, 13, 14, 0}, {0, 4, 16, 17, 0}, {2, 13, 14, 0, 0}, {0, 16, 17, 0, 0},
                             {19, 0, 14, 0, 0}}};
    // clang-format on
    AutoLines(*s, t, 5, 0);
    EXPECT_EQ(t, fullTable(77, 77)) << "a team slot that does not exist changes nothing";
    AutoLines(*s, t, 0, 0);
    EXPECT_EQ(t, want);

    // No healthy goalie, and the left wings gone but one, who is hurt.
    r[18] = evenPlayer(PosG, 60, 100, 40); // scratch
    r[19] = evenPlayer(PosG, 70, 204, 90); // injured
    r[21] = evenPlayer(PosG, 90, 0, 60);   // farm
    r[3].Con = 99;                         // a skater in better condition does not go in goal
    r[4].Sts = r[7].Sts = 0, r[5].Sts = 100, r[6].Sts = 201; // left wings on the farm, scratched, hurt
    AutoLines(*s, t, 0, 0);
    // The goalie in the best condition, from pass 4; X1 still from the healthy dressed skaters.
    EXPECT_TRUE(t[12][0] == 19 && t[12][1] == 0);
    // The farm centre (85) is the best forward; he is never in a line before its wing slot.
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(t[x][1], 20) << "line " << x;
    EXPECT_EQ(t[0], (std::array<std::uint8_t, LineWidth>{1, 20, 8, 12, 13}));

    // The list shows dressed players, hurt or not, whose position is ticked (here C, RW and G); a
    // position code with no box is never listed. Auto counts the healthy dressed only.
    r[22] = evenPlayer(5, 50);
    EXPECT_EQ(listedPlayers(r, {true, false, true, false, true}),
              (std::vector<std::uint8_t>{0, 1, 2, 3, 8, 9, 10, 11, 19}));
    EXPECT_EQ(healthyDressed(r), 15);
}

} // namespace
