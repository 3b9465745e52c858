#include "coach/lines/auto_lines.h"
#include "coach/lines/line_table.h"
#include "test_players.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

namespace {

using namespace bb;
using namespace bb::lines;
using bb::test::evenPlayer;
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
    LineTable t = bb::test::filledTable(77); // anything left over from before must not survive
    AutoLines(s, t, 0, 0);
    return t;
}

TEST(BestPlayer, TiesZeroScoresEmptySlotsAndNobody)
{
    auto s = std::make_unique<Session>();
    auto& r = s->Players[0];
    r[7] = r[3] = evenPlayer(PosC, 60);
    LinePicker tie(*s, 0);
    EXPECT_EQ(tie.BestPlayer(PosC, Offence), 3);
    EXPECT_TRUE(tie.LineUsed[3] && tie.GroupUsed[3]);
    EXPECT_FALSE(tie.LineUsed[7] || tie.GroupUsed[7]);

    // A healthy defenceman rated 0 by defence is passed over by passes 1 and 2; pass 3 then
    // takes the farm defenceman by overall rating.
    r = {};
    r[0] = evenPlayer(PosD, 0);
    r[1] = evenPlayer(PosD, 40, 0);
    EXPECT_EQ(LinePicker(*s, 0).BestPlayer(PosD, Defence), 1);

    // An empty slot rates 5 overall as a centre, like a forward whose skills are all 0: it wins
    // pass 3 on the tie (the lower slot), and loses to anybody rated higher.
    r = {};
    r[10] = evenPlayer(PosC, 0);
    EXPECT_EQ(LinePicker(*s, 0).BestPlayer(PosLW, Offence), 0);
    r[10] = evenPlayer(PosC, 1);
    EXPECT_EQ(LinePicker(*s, 0).BestPlayer(PosLW, Offence), 10);

    // Only empty slots: no goalie, no extra skater (every condition 0), and nobody is marked.
    r = {};
    LinePicker none(*s, 0);
    EXPECT_EQ(none.BestPlayer(PosG, OverallStyle), NoPlayer);
    EXPECT_EQ(none.LineUsed, decltype(none.LineUsed){});
    EXPECT_EQ(none.GroupUsed, decltype(none.GroupUsed){});
    EXPECT_EQ(LinePicker(*s, 2).BestPlayer(PosC, Offence), NoPlayer) << "no such team slot";
}

TEST(AutoLines, FullGameRoster)
{
    auto s = gameRoster();
    s->Players[0][1].Susp = 3; // suspended but dressed and healthy: picked like any other
    s->Teams[0].LineSlots[0][0] = 9;
    const auto team = s->Teams[0].encoded();
    const LineTable t = run(*s);

    // E1-E4: twelve different forwards; E1-E3 take the six defencemen in pairs; E4 gets the
    // two best by overall (14: 65, 12: 63) through pass 2.
    EXPECT_EQ(t[0], (Line{1, 5, 8, 12, 13}));
    EXPECT_EQ(t[1], (Line{0, 4, 9, 14, 16}));
    EXPECT_EQ(t[2], (Line{2, 6, 10, 15, 17}));
    EXPECT_EQ(t[3], (Line{3, 7, 11, 14, 12}));
    // P1 and P2: ten different players. The spare cells hold 0.
    EXPECT_EQ(t[4], (Line{1, 5, 8, 12, 14}));
    EXPECT_EQ(t[5], (Line{0, 4, 9, 15, 16}));
    EXPECT_EQ(t[6], (Line{1, 5, 12, 14, 0}));
    EXPECT_EQ(t[7], (Line{0, 4, 15, 16, 0}));
    EXPECT_EQ(t[8], (Line{2, 6, 13, 14, 0})); // 14 and 16 tie by defence: the lower slot
    EXPECT_EQ(t[9], (Line{0, 4, 16, 17, 0}));
    EXPECT_EQ(t[10], (Line{2, 13, 14, 0, 0}));
    EXPECT_EQ(t[11], (Line{0, 16, 17, 0, 0}));
    // The best healthy goalie, not the better scratch; X1 the first of three skaters rated 65
    // (not the farm centre); X2 the best attacker outside E1 and X1.
    EXPECT_EQ(t[12], (Line{19, 0, 14, 0, 0}));
    EXPECT_FALSE(LinesIncomplete(t));
    EXPECT_EQ(s->Teams[0].encoded(), team);
}

TEST(AutoLines, NoHealthyGoalieTakesTheFittestGoalieFromPassFour)
{
    auto s = gameRoster();
    auto& r = s->Players[0];
    r[18] = evenPlayer(PosG, 60, 100, 40); // scratch
    r[19] = evenPlayer(PosG, 70, 204, 90); // injured
    r[21] = evenPlayer(PosG, 90, 0, 60);   // farm
    r[3].Con = 99;                         // a skater in better condition does not go in goal
    const LineTable t = run(*s);
    EXPECT_EQ(t[12][0], 19);
    EXPECT_EQ(std::count(t[11].begin(), t[11].end(), 19), 0) << "never a K4 player";
}

TEST(AutoLines, NoHealthyLeftWingTakesTheBestForwardOfTheWholeRoster)
{
    auto s = gameRoster();
    auto& r = s->Players[0];
    r[4].Sts = r[7].Sts = 0;
    r[5].Sts = 100;
    r[6].Sts = 201;
    const LineTable t = run(*s);
    // The farm centre (85) is the best forward; he is never in a line before its wing slot.
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(t[x][1], 20) << "line " << x;
    EXPECT_EQ(t[0], (Line{1, 20, 8, 12, 13}));
    EXPECT_EQ(t[12][1], 0) << "X1 still comes from the healthy dressed skaters";
}

TEST(AutoLines, ExtraSkatersAndNobodyToPick)
{
    // An E1 defenceman who is the best skater overall is X1; X2 is neither him nor from E1, and
    // goes by offence: 15 outscores 0 and 14 (65 each), who rate higher overall.
    auto s = gameRoster();
    s->Players[0][12] = makePlayer(PosD, 75, 20, 99); // 79 / 84 / 56
    s->Players[0][15] = makePlayer(PosD, 52, 10, 99); // 60 / 67 / 38
    LineTable t = run(*s);
    EXPECT_EQ(t[0][3], 12);
    EXPECT_EQ(t[12][1], 12);
    EXPECT_EQ(t[12][2], 15);
    EXPECT_EQ(std::count(t[0].begin(), t[0].end(), t[12][2]), 0);

    // Only empty slots: forwards come from pass 3 (empty slots count as centres), but there is
    // no defenceman or goalie, and every condition is 0.
    s = std::make_unique<Session>();
    t = run(*s);
    EXPECT_EQ(t[0], (Line{0, 1, 2, NoPlayer, NoPlayer}));
    EXPECT_EQ(t[12], (Line{NoPlayer, NoPlayer, NoPlayer, 0, 0}));
    EXPECT_TRUE(LinesIncomplete(t));
    for (auto& p : s->Players[0])
        p = evenPlayer(9, 60); // out-of-range position codes trip nothing
    EXPECT_TRUE(LinesIncomplete(run(*s)));

    LineTable same = t;
    AutoLines(*s, same, 5, 0);
    EXPECT_EQ(same, t) << "a team slot that does not exist leaves the table as it was";
}

} // namespace
