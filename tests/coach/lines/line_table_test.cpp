#include "coach/lines/line_averages.h"
#include "coach/lines/line_table.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "temp_dir.h"
#include "test_players.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using namespace bb;
using namespace bb::lines;
using bb::test::evenPlayer;
using bb::test::filledTable;

// Used cell (x, y) holds roster slot x + y; the ten spare cells hold spare.
LineTable fullTable(std::uint8_t spare)
{
    LineTable t = filledTable(spare);
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < slotsOfLine(x); ++y)
            t[x][y] = x + y;
    return t;
}

TEST(LineTable, AssignmentTextsAndCompleteness)
{
    LineTable t = filledTable(NoPlayer);
    t[8][1] = t[4][0] = t[0][0] = 7;
    t[12][1] = t[12][2] = 3;
    t[12][0] = 9;
    t[7][3] = t[11][2] = 5;
    t[1][2] = 60;           // empty, whatever its value
    t[6][4] = t[10][3] = 4; // spare cells add nothing
    const AssignmentTexts texts = ReadLineAssgts(t);
    EXPECT_EQ(texts[7], "E1C P1C K1W");
    EXPECT_EQ(texts[3], "X1 X2");
    EXPECT_EQ(texts[9], "Starting Goaltender");
    EXPECT_EQ(texts[5], "P4D K4D");
    EXPECT_EQ(texts[4], "the Pine");
    EXPECT_EQ(texts[49], "the Pine");

    // Complete whatever the spare cells hold; one empty used cell (NoPlayer or 60) is enough.
    for (std::uint8_t spare : {NoPlayer, std::uint8_t{0}, std::uint8_t{60}})
        EXPECT_FALSE(LinesIncomplete(fullTable(spare)));
    for (Cell c : {Cell{12, 2}, Cell{10, 2}, Cell{0, 0}}) {
        t = fullTable(0);
        t[c.x][c.y] = c.x == 10 ? 60 : NoPlayer;
        EXPECT_TRUE(LinesIncomplete(t)) << c.x << "," << c.y;
    }
}

struct Placement : ::testing::Test {
    PlayerRec goalie = evenPlayer(PosG, 60);
    PlayerRec skater = evenPlayer(PosC, 60);
    LineWork work{filledTable(NoPlayer)};

    // A refused click changes no cell and not LinesChanged.
    void refused(int index, std::uint8_t p, const PlayerRec& who, Mode mode)
    {
        const LineWork before = work;
        EXPECT_FALSE(work.place(index, p, who, mode)) << "slot " << index;
        EXPECT_EQ(work.LineSlots, before.LineSlots) << "slot " << index;
        EXPECT_EQ(work.LinesChanged, before.LinesChanged) << "slot " << index;
    }
};

TEST_F(Placement, GoalieOnlyInGoalSkatersEverywhereElse)
{
    for (Mode mode : {Mode::Even, Mode::PP, Mode::PK}) {
        for (int index = 0; index < 23; ++index)
            if (index != 20)
                refused(index, 1, goalie, mode);
        work.LineSlots[12][0] = NoPlayer;
        EXPECT_TRUE(work.place(20, 1, goalie, mode));
        EXPECT_EQ(work.LineSlots[12][0], 1);
    }
    refused(20, 2, skater, Mode::Even);
    EXPECT_TRUE(work.place(21, 2, skater, Mode::PK));
    EXPECT_TRUE(work.place(22, 2, skater, Mode::PK));
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[2], "X1 X2");
    EXPECT_TRUE(work.place(3, 5, evenPlayer(PosD, 50), Mode::Even));
    EXPECT_TRUE(work.place(19, 6, evenPlayer(9, 50), Mode::Even)) << "an unknown position is a skater";
    refused(1, NoPlayer, skater, Mode::Even);
    refused(1, 50, skater, Mode::Even);
    refused(23, 2, skater, Mode::Even);
    refused(-1, 2, skater, Mode::Even);
}

TEST_F(Placement, OncePerLineOverUsedCellsAndReplacing)
{
    ASSERT_TRUE(work.place(0, 4, skater, Mode::Even)); // E1 C
    work.LinesChanged = false;
    refused(4, 4, skater, Mode::Even);                 // E1 second D
    refused(0, 4, skater, Mode::Even);                 // his own cell again
    EXPECT_TRUE(work.place(5, 4, skater, Mode::Even)); // E2 C
    EXPECT_TRUE(work.LinesChanged);
    ASSERT_TRUE(work.place(5, 8, skater, Mode::Even)); // the occupant loses only this cell
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[4], "E1C");
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[8], "E2C");

    // After the automatic lines the spare cells hold roster slot 0 (and here no used cell of
    // lines 6..11 does); they block nothing, and the slots showing them take no click.
    work = LineWork(fullTable(0));
    for (int index : {10, 15}) // P3, P4 C
        EXPECT_TRUE(work.place(index, 0, skater, Mode::PP));
    for (int index : {0, 10, 15}) // K1, K3, K4 C
        EXPECT_TRUE(work.place(index, 0, skater, Mode::PK));
    for (int index : {14, 19})
        refused(index, 7, skater, Mode::PP);
    for (int index : {4, 9, 13, 14, 18, 19})
        refused(index, 7, skater, Mode::PK);
}

TEST(Commit, WritesSpareCellsAsEmptyAndSetsLinesSet)
{
    // A league in working files, with team 2 loaded into team slot 0.
    bb::test::TempDir dir;
    auto s = std::make_unique<Session>();
    s->init(dir.path());
    ASSERT_TRUE(demo::writeDemoLeague(dir.path(), {"commit", 4, 7, false}).ok());
    ASSERT_TRUE(LoadLg(*s, (dir / "commit").string()).ok());
    ASSERT_TRUE(LoadTeam(*s, 2, 0).ok());
    const auto teamBytes = [&](int tm) {
        std::ifstream in(s->SwapTms, std::ios::binary);
        std::vector<std::uint8_t> all(std::istreambuf_iterator<char>(in), {});
        all.resize((tm + 1) * TeamRec::Size); // a short file reads as zeros
        return std::vector<std::uint8_t>(all.end() - TeamRec::Size, all.end());
    };
    s->Teams[2].LinesSet.set(false);
    const std::vector<std::uint8_t> before = teamBytes(2), otherTeam = teamBytes(1);
    LineWork work(fullTable(0));
    s->CurTeam = 200; // no such team: nothing is written
    EXPECT_FALSE(work.TransferBuffer(*s, 0).ok());
    EXPECT_EQ(teamBytes(2), before);

    s->CurTeam = 2;
    ASSERT_TRUE(work.TransferBuffer(*s, 0).ok());
    EXPECT_EQ(work.LineSlots, fullTable(0)) << "the working copy keeps its spare cells";
    EXPECT_EQ(s->Teams[2].LineSlots, fullTable(NoPlayer));
    EXPECT_TRUE(static_cast<bool>(s->Teams[2].LinesSet));

    // On disk: cell (x, y) is byte x + 13 y of the table, which starts at byte 174.
    const std::vector<std::uint8_t> b = teamBytes(2);
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y)
            EXPECT_EQ(b[174 + x + 13 * y], isUsedCell(x, y) ? x + y : NoPlayer) << x << "," << y;
    EXPECT_EQ(b[252], 0xFF) << "LinesSet";
    EXPECT_EQ(b[253], 0xFF);
    EXPECT_EQ(teamBytes(1), otherTeam);
}

TEST(Averages, NominalDivisorHalfUpRounding)
{
    // Roster slot i rates 60 + i in every skill (65 + i overall); slot 4 has 255 in Skill(2).
    auto s = std::make_unique<Session>();
    for (int i = 0; i < 5; ++i)
        s->Players[0][i] = evenPlayer(PosC, 60 + i);
    s->Players[0][4].Skill[2] = 255;
    LineTable t = filledTable(NoPlayer);
    t[0] = {1, 2, 3, 4, 200};      // E1, one cell empty: 250 / 5; Skill(2) 441 / 5 = 88.2
    t[1][0] = 60;                  // E2: empty
    t[8] = {0, 2, 3, 4, NoPlayer}; // K1: 249 / 4 = 62.25
    t[9] = {1, 2, 3, 4, 0};        // K2, its spare cell ignored: 250 / 4 = 62.5
    t[10] = {0, 2, 3, 1, 1};       // K3: 185 / 3 = 61.67; overall 200 / 3 = 66.67
    t[12] = {0, 1, 2, 0, 0};       // the goalie line has no averages
    const auto avg = [&](int x) { return lineAverages(*s, t, x); };
    EXPECT_EQ(avg(0).rating[0], 50);
    EXPECT_EQ(avg(0).rating[2], 88);
    EXPECT_EQ(avg(1).rating, (std::array<int, 13>{}));
    EXPECT_EQ(avg(1).overall, 0);
    EXPECT_EQ(avg(8).rating[0], 62);
    EXPECT_EQ(avg(9).rating[0], 63);
    EXPECT_EQ(avg(10).rating[0], 62);
    EXPECT_EQ(avg(10).overall, 67);
    EXPECT_EQ(avg(12).overall, 0);
    EXPECT_EQ(avg(-1).overall, 0);
}

} // namespace
