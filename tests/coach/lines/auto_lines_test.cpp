#include "coach/lines/auto_lines.h"
#include "coach/lines/line_table.h"
#include "test_players.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

using namespace bb;
using namespace bb::lines;
using bb::test::evenPlayer;
using bb::test::HealthyDressed;
using bb::test::makePlayer;

using Line = std::array<std::uint8_t, LineWidth>;

// A game roster of 4 C, 4 LW, 4 RW, 6 D and 2 G, all healthy, and two players off it. The
// ratings (overall / offence / defence) are worked out from the formulas by hand.
std::unique_ptr<Session> gameRoster()
{
    auto s = std::make_unique<Session>();
    auto& r = s->Players[0];
    r[0] = makePlayer(PosC, 60, 60, 60);   // 65 / 65 / 60
    r[1] = makePlayer(PosC, 55, 20, 95);   // 64 / 68 / 43
    r[2] = makePlayer(PosC, 50, 90, 10);   // 51 / 46 / 63
    r[3] = makePlayer(PosC, 45, 45, 45);   // 50 / 50 / 45
    r[4] = makePlayer(PosLW, 50, 50, 50);  // 55 / 55 / 50
    r[5] = makePlayer(PosLW, 50, 10, 90);  // 58 / 63 / 36
    r[6] = makePlayer(PosLW, 50, 80, 30);  // 54 / 51 / 60
    r[7] = makePlayer(PosLW, 45, 45, 45);  // 50 / 50 / 45
    r[8] = makePlayer(PosRW, 60, 60, 60);  // 65 / 65 / 60
    r[9] = makePlayer(PosRW, 50, 30, 80);  // 58 / 61 / 43
    r[10] = makePlayer(PosRW, 40, 95, 40); // 50 / 46 / 58
    r[11] = makePlayer(PosRW, 45, 45, 45); // 50 / 50 / 45
    r[12] = makePlayer(PosD, 55, 20, 95);  // 63 / 68 / 43
    r[13] = makePlayer(PosD, 50, 90, 10);  // 59 / 46 / 63
    r[14] = makePlayer(PosD, 60, 60, 60);  // 65 / 65 / 60
    r[15] = makePlayer(PosD, 50, 10, 90);  // 57 / 63 / 36
    r[16] = makePlayer(PosD, 50, 80, 30);  // 59 / 51 / 60
    r[17] = makePlayer(PosD, 45, 45, 45);  // 50 / 50 / 45
    r[18] = evenPlayer(PosG, 60);          // overall 57
    r[19] = evenPlayer(PosG, 70);          // overall 67
    r[20] = evenPlayer(PosC, 80, 0);       // farm, 85 / 85 / 80
    r[21] = evenPlayer(PosG, 90, 100);     // scratch, overall 86
    return s;
}

LineTable run(const Session& s)
{
    LineTable t;
    for (auto& line : t)
        line.fill(77); // anything left over from before must not survive
    AutoLines(s, t, 0, 0);
    return t;
}

TEST(BestPlayer, TiesGoToTheLowerSlotAndZeroNeverWins)
{
    auto s = std::make_unique<Session>();
    s->Players[0][7] = evenPlayer(PosC, 60);
    s->Players[0][3] = evenPlayer(PosC, 60);
    LinePicker picker(*s, 0);
    EXPECT_EQ(picker.BestPlayer(PosC, Offence), 3);
    EXPECT_TRUE(picker.LineUsed[3]);
    EXPECT_TRUE(picker.GroupUsed[3]);
    EXPECT_FALSE(picker.LineUsed[7]);

    // A healthy defenceman rated 0 by defence is passed over by passes 1 and 2; pass 3 then
    // takes the farm defenceman by overall rating.
    s = std::make_unique<Session>();
    s->Players[0][0] = evenPlayer(PosD, 0);
    s->Players[0][1] = evenPlayer(PosD, 40, 0);
    LinePicker zero(*s, 0);
    EXPECT_EQ(zero.BestPlayer(PosD, Defence), 1);
    EXPECT_FALSE(zero.LineUsed[0]);
}

TEST(BestPlayer, PassesWidenStepByStep)
{
    auto s = std::make_unique<Session>();
    s->Players[0][2] = evenPlayer(PosC, 70);
    s->Players[0][5] = evenPlayer(PosC, 50);
    s->Players[0][8] = evenPlayer(PosC, 90, 100); // scratch: only pass 3 sees him
    LinePicker picker(*s, 0);
    picker.GroupUsed[2] = true;
    EXPECT_EQ(picker.BestPlayer(PosC, Offence), 5) << "pass 1 skips the group";
    picker.LineUsed.fill(false);
    EXPECT_EQ(picker.BestPlayer(PosC, Offence), 2) << "pass 2 takes a player of the group";
    picker.LineUsed = {};
    picker.LineUsed[2] = true;
    picker.LineUsed[5] = true;
    EXPECT_EQ(picker.BestPlayer(PosRW, Defence), 8) << "pass 3 takes any forward of any status";

    // Pass 4 ranks players of the wanted position by condition, whatever their status.
    s = std::make_unique<Session>();
    s->Players[0][1] = evenPlayer(PosC, 60, HealthyDressed, 99);
    s->Players[0][4] = evenPlayer(PosG, 80, 0, 30);
    s->Players[0][9] = evenPlayer(PosG, 50, 100, 70);
    LinePicker last(*s, 0);
    EXPECT_EQ(last.BestPlayer(PosG, OverallStyle), 9);
}

TEST(BestPlayer, EmptySlotWinsPassThreeOnlyWhenNobodyRatesHigher)
{
    // An empty slot rates 5 overall as a centre, like a forward whose skills are all 0.
    auto s = std::make_unique<Session>();
    s->Players[0][10] = evenPlayer(PosC, 0);
    LinePicker tie(*s, 0);
    EXPECT_EQ(tie.BestPlayer(PosLW, Offence), 0);

    s->Players[0][10] = evenPlayer(PosC, 1); // 6
    LinePicker better(*s, 0);
    EXPECT_EQ(better.BestPlayer(PosLW, Offence), 10);
}

TEST(BestPlayer, NobodyFoundMarksNobody)
{
    auto s = std::make_unique<Session>(); // 50 empty slots: no goalie, every condition 0
    LinePicker picker(*s, 0);
    EXPECT_EQ(picker.BestPlayer(PosG, OverallStyle), NoPlayer);
    EXPECT_EQ(picker.BestPlayer(AnySkater, Offence), NoPlayer);
    for (int i = 0; i < RosterSize; ++i) {
        EXPECT_FALSE(picker.LineUsed[static_cast<std::size_t>(i)]);
        EXPECT_FALSE(picker.GroupUsed[static_cast<std::size_t>(i)]);
    }

    LinePicker badSlot(*s, 2);
    EXPECT_EQ(badSlot.BestPlayer(PosC, Offence), NoPlayer);
}

TEST(AutoLines, FullGameRosterEvenStrength)
{
    auto s = gameRoster();
    s->Players[0][1].Susp = 3; // suspended but dressed and healthy: picked like any other
    const LineTable t = run(*s);

    EXPECT_EQ(t[0], (Line{1, 5, 8, 12, 13}));
    EXPECT_EQ(t[1], (Line{0, 4, 9, 14, 16}));
    EXPECT_EQ(t[2], (Line{2, 6, 10, 15, 17}));
    // All six defencemen are taken; pass 2 gives E4 the two best by overall.
    EXPECT_EQ(t[3], (Line{3, 7, 11, 14, 12}));

    std::set<int> forwards;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y)
            forwards.insert(t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
    EXPECT_EQ(forwards.size(), 12u);
}

TEST(AutoLines, FullGameRosterSpecialTeamsAndGoalieLine)
{
    auto s = gameRoster();
    const LineTable t = run(*s);

    EXPECT_EQ(t[4], (Line{1, 5, 8, 12, 14}));
    EXPECT_EQ(t[5], (Line{0, 4, 9, 15, 16}));
    std::set<int> power(t[4].begin(), t[4].end());
    power.insert(t[5].begin(), t[5].end());
    EXPECT_EQ(power.size(), 10u);

    EXPECT_EQ(t[6], (Line{1, 5, 12, 14, 0}));
    EXPECT_EQ(t[7], (Line{0, 4, 15, 16, 0}));
    EXPECT_EQ(t[8], (Line{2, 6, 13, 14, 0})); // 14 and 16 tie by defence: the lower slot
    EXPECT_EQ(t[9], (Line{0, 4, 16, 17, 0}));
    EXPECT_EQ(t[10], (Line{2, 13, 14, 0, 0}));
    EXPECT_EQ(t[11], (Line{0, 16, 17, 0, 0}));

    // The best healthy goalie, not the better scratch; X1 the first of three skaters rated 65
    // (not the farm centre); X2 the best attacker outside E1 and X1.
    EXPECT_EQ(t[12], (Line{19, 0, 14, 0, 0}));

    // Spare cells hold 0; the team records are not touched.
    for (int x = 6; x < LineCount; ++x)
        for (int y = slotsOfLine(x); y < LineWidth; ++y)
            EXPECT_EQ(t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)], 0) << x << "," << y;
    EXPECT_FALSE(LinesIncomplete(t));
}

TEST(AutoLines, LeavesTheTeamsAlone)
{
    auto s = gameRoster();
    s->Teams[0].LineSlots[0][0] = 9;
    const auto before = s->Teams[0].encoded();
    (void)run(*s);
    EXPECT_EQ(s->Teams[0].encoded(), before);
}

TEST(AutoLines, NoHealthyGoalieTakesTheFittestGoalieFromPassFour)
{
    auto s = gameRoster();
    auto& r = s->Players[0];
    r[18].Sts = 100; // scratch
    r[18].Con = 40;
    r[19].Sts = 204; // injured
    r[19].Con = 90;
    r[21].Sts = 0; // farm
    r[21].Con = 60;
    r[3].Con = 99; // a skater in better condition does not go in goal
    const LineTable t = run(*s);
    EXPECT_EQ(t[12][0], 19);
    for (std::uint8_t k4 : {t[11][0], t[11][1], t[11][2]})
        EXPECT_NE(t[12][0], k4);
}

TEST(AutoLines, NoHealthyLeftWingTakesTheBestForwardOfTheWholeRoster)
{
    auto s = gameRoster();
    auto& r = s->Players[0];
    r[4].Sts = 0;
    r[5].Sts = 100;
    r[6].Sts = 201;
    r[7].Sts = 0;
    const LineTable t = run(*s);
    // The farm centre (85) is the best forward; he is never in a line before its wing slot.
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(t[static_cast<std::size_t>(x)][1], 20) << "line " << x;
    EXPECT_EQ(t[0], (Line{1, 20, 8, 12, 13}));
    // X1 still comes from the healthy dressed skaters.
    EXPECT_EQ(t[12][1], 0);
}

TEST(AutoLines, ExtraSkaters)
{
    auto s = gameRoster();
    // Make an E1 player the best skater overall: he is X1, and X2 is neither him nor E1.
    s->Players[0][12] = makePlayer(PosD, 75, 20, 99); // 79 / 84 / 56
    s->Players[0][15] = makePlayer(PosD, 52, 10, 99); // 60 / 67 / 38
    const LineTable t = run(*s);
    EXPECT_EQ(t[0][3], 12);
    EXPECT_EQ(t[12][1], 12);
    const std::set<int> e1(t[0].begin(), t[0].end());
    EXPECT_NE(t[12][2], t[12][1]);
    EXPECT_EQ(e1.count(t[12][2]), 0u);
    // X2 goes by offence: 15 outscores 0 and 14 (65 each), who rate higher overall.
    EXPECT_EQ(t[12][2], 15);
}

TEST(AutoLines, NobodyToPickLeavesCellsEmpty)
{
    // Only empty slots: forwards come from pass 3 (empty slots count as centres), but there is
    // no defenceman or goalie, and every condition is 0.
    auto s = std::make_unique<Session>();
    LineTable t = run(*s);
    EXPECT_EQ(t[0], (Line{0, 1, 2, NoPlayer, NoPlayer}));
    EXPECT_EQ(t[12], (Line{NoPlayer, NoPlayer, NoPlayer, 0, 0}));
    EXPECT_TRUE(LinesIncomplete(t));

    // Out-of-range position codes must not trip anything either.
    for (auto& p : s->Players[0])
        p = evenPlayer(9, 60);
    t = run(*s);
    EXPECT_TRUE(LinesIncomplete(t));

    // A team slot that does not exist leaves the table as it was.
    LineTable same{};
    same[0][0] = 42;
    AutoLines(*s, same, 5, 0);
    EXPECT_EQ(same[0][0], 42);
}

} // namespace
