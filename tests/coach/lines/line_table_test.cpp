// The line logic: the line table, placements, the commit, line averages and the automatic lines.
#include "coach/lines/auto_lines.h"
#include "coach/lines/line_averages.h"
#include "coach/lines/line_table.h"
#include "file_bytes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

namespace {

using namespace bb;
using namespace bb::lines;
using Line = std::array<std::uint8_t, LineWidth>;

// All skills at level: a skater rates level + 5 overall and by offence, level by defence.
PlayerRec evenPlayer(std::uint8_t pos, std::uint8_t level, std::uint8_t sts = 200, std::uint8_t con = 50)
{
    PlayerRec p;
    p.Pos = pos;
    p.Sts = sts;
    p.Con = con;
    p.Skill.fill(level);
    return p;
}

LineTable filledTable(std::uint8_t value)
{
    LineTable t;
    for (auto& line : t)
        line.fill(value);
    return t;
}

// Used cell (x, y) holds roster slot x + y; the ten spare cells hold spare. Lines 0..5 have five
// slots, 6..9 four, 10..12 three.
LineTable fullTable(std::uint8_t spare)
{
    LineTable t = filledTable(spare);
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < (x < 6 ? 5 : x < 10 ? 4 : 3); ++y)
            t[x][y] = x + y;
    return t;
}

TEST(LineTable, AssignmentTextsAndCompleteness)
{
    LineTable t = filledTable(NoPlayer);
    t[8][1] = t[4][0] = t[0][0] = 7;
    t[12][1] = t[12][2] = 3;
    t[12][0] = 9;
    t[1][2] = 60;           // empty, whatever its value
    t[6][4] = t[10][3] = 4; // spare cells add nothing
    const AssignmentTexts texts = ReadLineAssgts(t);
    EXPECT_EQ((std::array{texts[7], texts[3], texts[9], texts[4]}),
              (std::array<std::string, 4>{"E1C P1C K1W", "X1 X2", "Starting Goaltender", "the Pine"}));

    // Complete whatever the spare cells hold; one empty used cell (NoPlayer or 60) is enough.
    for (std::uint8_t spare : {NoPlayer, std::uint8_t{0}, std::uint8_t{60}})
        EXPECT_FALSE(LinesIncomplete(fullTable(spare)));
    for (Cell c : {Cell{12, 2}, Cell{10, 2}, Cell{0, 0}}) {
        t = fullTable(0);
        t[c.x][c.y] = c.x == 10 ? 60 : NoPlayer;
        EXPECT_TRUE(LinesIncomplete(t)) << c.x << "," << c.y;
    }
}

TEST(Placement, GoalieSkatersOncePerLineAndSpareCells)
{
    const PlayerRec goalie = evenPlayer(PosG, 60), skater = evenPlayer(PosC, 60);
    LineWork work(filledTable(NoPlayer));
    const auto refused = [&](int index, std::uint8_t p, const PlayerRec& who, Mode mode) {
        const LineWork before = work; // a refused click changes no cell and not LinesChanged
        EXPECT_FALSE(work.place(index, p, who, mode)) << "slot " << index;
        EXPECT_TRUE(work.LineSlots == before.LineSlots && work.LinesChanged == before.LinesChanged) << index;
    };

    // The goalie goes in goal only, in every mode, and skaters (whatever their position code)
    // everywhere else, one of them as X1 and X2 at once. Nobody, or a slot beyond the window's, is refused.
    for (Mode mode : {Mode::Even, Mode::PP, Mode::PK})
        for (int index = 0; index < 23; ++index)
            if (index != 20)
                refused(index, 1, goalie, mode);
    refused(20, 2, skater, Mode::Even);
    EXPECT_TRUE(work.place(20, 1, goalie, Mode::PK) && work.place(21, 2, skater, Mode::PK) &&
                work.place(22, 2, skater, Mode::PK) && work.place(19, 6, evenPlayer(9, 50), Mode::Even));
    EXPECT_TRUE(work.LineSlots[12] == (Line{1, 2, 2, NoPlayer, NoPlayer}) && work.LineSlots[3][4] == 6);
    for (auto [index, p] : {std::pair<int, std::uint8_t>{1, NoPlayer}, {1, 50}, {23, 2}, {-1, 2}})
        refused(index, p, skater, Mode::Even);

    // Once per line, over used cells only; a placement replaces the occupant.
    work = LineWork(filledTable(NoPlayer));
    ASSERT_TRUE(work.place(0, 4, skater, Mode::Even)); // E1 C
    work.LinesChanged = false;
    refused(4, 4, skater, Mode::Even);                                      // E1 second D
    refused(0, 4, skater, Mode::Even);                                      // his own cell again
    EXPECT_TRUE(work.place(5, 4, skater, Mode::Even) && work.LinesChanged); // E2 C
    ASSERT_TRUE(work.place(5, 8, skater, Mode::Even)); // the occupant loses only this cell
    EXPECT_TRUE(work.LineSlots[0][0] == 4 && work.LineSlots[1][0] == 8) << "E1 C kept, E2 C replaced";

    // After the automatic lines the spare cells hold roster slot 0 (and here no used cell of
    // lines 6..11 does); they block nothing, and the slots showing them take no click.
    work = LineWork(fullTable(0));
    for (int index : {0, 10, 15}) // K1, K3, K4 C
        EXPECT_TRUE(work.place(index, 0, skater, Mode::PK));
    for (int index : {14, 19})
        refused(index, 7, skater, Mode::PP);
    for (int index : {4, 9, 13, 14, 18, 19})
        refused(index, 7, skater, Mode::PK);
}

TEST(Commit, WritesSpareCellsAsEmptyAndSetsLinesSet)
{
    // Team 2 in empty working files: the commit writes its records, so the team file grows to
    // hold record 2.
    bb::test::TempDir dir;
    auto s = std::make_unique<Session>();
    s->init(dir.path());
    bb::test::writeBytes(s->SwapTms, {});
    bb::test::writeBytes(s->SwapRos, {});
    LineWork work(fullTable(0));
    s->CurTeam = 200; // no such team: nothing is written
    EXPECT_FALSE(work.TransferBuffer(*s, 0).ok());
    EXPECT_TRUE(bb::test::readBytes(s->SwapTms).empty());

    s->CurTeam = 2;
    ASSERT_TRUE(work.TransferBuffer(*s, 0).ok());
    EXPECT_EQ(work.LineSlots, fullTable(0)) << "the working copy keeps its spare cells";
    EXPECT_EQ(s->Teams[2].LineSlots, fullTable(NoPlayer));
    // On disk, team record 2 as it stands in memory, LinesSet -1.
    const auto record = s->Teams[2].encoded();
    const bb::test::Bytes file = bb::test::readBytes(s->SwapTms);
    ASSERT_EQ(file.size(), 3u * 254);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), file.begin() + 2 * 254) &&
                s->Teams[2].LinesSet.raw == -1);
}

TEST(Averages, NominalDivisorHalfUpRounding)
{
    // Roster slot i rates 60 + i in every skill (65 + i overall); slot 4 has 255 in Skill(2).
    auto s = std::make_unique<Session>();
    for (int i = 0; i < 5; ++i)
        s->Players[0][i] = evenPlayer(PosC, 60 + i);
    s->Players[0][4].Skill[2] = 255;
    LineTable t = filledTable(NoPlayer);
    t[0] = {1, 2, 3, 4, 200}; // E1, one cell empty: 250 / 5; Skill(2) 441 / 5 = 88.2
    t[1][0] = 60;             // E2: empty
    t[9] = {1, 2, 3, 4, 0};   // K2, its spare cell ignored: 250 / 4 = 62.5
    t[10] = {0, 2, 3, 1, 1};  // K3: overall 200 / 3 = 66.67
    t[12] = {0, 1, 2, 0, 0};  // the goalie line has no averages
    const auto avg = [&](int x) { return lineAverages(*s, t, x); };
    EXPECT_EQ(std::pair(avg(0).rating[0], avg(0).rating[2]), std::pair(50, 88));
    EXPECT_EQ(avg(1).rating, (std::array<int, 13>{}));
    EXPECT_EQ(std::tuple(avg(1).overall, avg(12).overall, avg(-1).overall), std::tuple(0, 0, 0));
    EXPECT_EQ(std::pair(avg(9).rating[0], avg(10).overall), std::pair(63, 67)) << "62.5 and 66.67 round up";
}

// A game roster of 4 C, 4 LW, 4 RW, 6 D and 2 G, all healthy, then a farm centre and a scratched
// goalie. Skaters are {every skill, but DF (9) and SC (10)}, rated overall / offence / defence by
// hand from the formulas.
std::unique_ptr<Session> gameRoster()
{
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
    r[18] = evenPlayer(PosG, 60);      // overall 57
    r[19] = evenPlayer(PosG, 70);      // overall 67
    r[20] = evenPlayer(PosC, 80, 0);   // farm, 85 / 85 / 80
    r[21] = evenPlayer(PosG, 90, 100); // scratch, overall 86
    return s;
}

LineTable run(const Session& s)
{
    LineTable t = filledTable(77); // anything left over from before must not survive
    AutoLines(s, t, 0, 0);
    return t;
}

TEST(AutoLines, TiesEmptySlotsAndNobody)
{
    // Of equal scores the lower slot wins, and is marked used for the line and the group.
    auto s = std::make_unique<Session>();
    auto& r = s->Players[0];
    r[7] = r[3] = evenPlayer(PosC, 60);
    LinePicker tie(*s, 0);
    EXPECT_EQ(tie.BestPlayer(PosC, Offence), 3);
    EXPECT_TRUE(tie.LineUsed[3] && tie.GroupUsed[3] && !tie.LineUsed[7] && !tie.GroupUsed[7]);

    // Only empty slots: they rate 5 as centres, so the forwards come from the last pass; there is
    // no defenceman or goalie. A team slot that does not exist leaves the table as it was.
    r = {};
    const LineTable t = run(*s);
    EXPECT_EQ(t[0], (Line{0, 1, 2, NoPlayer, NoPlayer}));
    EXPECT_EQ(t[12], (Line{NoPlayer, NoPlayer, NoPlayer, 0, 0}));
    EXPECT_TRUE(LinesIncomplete(t));
    LineTable same = t;
    AutoLines(*s, same, 5, 0);
    EXPECT_EQ(same, t);
}

TEST(AutoLines, FullGameRoster)
{
    auto s = gameRoster();
    s->Players[0][1].Susp = 3; // suspended but dressed and healthy: picked like any other
    s->Teams[0].LineSlots[0][0] = 9;
    const auto team = s->Teams[0].encoded();
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
    EXPECT_EQ(run(*s), want);
    EXPECT_EQ(s->Teams[0].encoded(), team);
}

TEST(AutoLines, NoHealthyGoalieOrLeftWing)
{
    auto s = gameRoster();
    auto& r = s->Players[0];
    r[18] = evenPlayer(PosG, 60, 100, 40); // scratch
    r[19] = evenPlayer(PosG, 70, 204, 90); // injured
    r[21] = evenPlayer(PosG, 90, 0, 60);   // farm
    r[3].Con = 99;                         // a skater in better condition does not go in goal
    r[4].Sts = r[7].Sts = 0;
    r[5].Sts = 100;
    r[6].Sts = 201;
    const LineTable t = run(*s);
    EXPECT_EQ(t[12][0], 19) << "the goalie in the best condition, from pass 4";
    EXPECT_EQ(std::count(t[11].begin(), t[11].end(), 19), 0) << "never a K4 player";
    // The farm centre (85) is the best forward; he is never in a line before its wing slot.
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(t[x][1], 20) << "line " << x;
    EXPECT_EQ(t[0], (Line{1, 20, 8, 12, 13}));
    EXPECT_EQ(t[12][1], 0) << "X1 still comes from the healthy dressed skaters";
}

} // namespace
