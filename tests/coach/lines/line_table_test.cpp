#include "coach/lines/line_table.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "temp_dir.h"
#include "test_players.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

namespace {

using namespace bb;
using namespace bb::lines;
using bb::test::evenPlayer;

LineTable emptyTable()
{
    LineTable t;
    for (auto& line : t)
        line.fill(NoPlayer);
    return t;
}

// Every used cell holds a roster slot; spare cells hold spare.
LineTable fullTable(std::uint8_t spare)
{
    LineTable t;
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y)
            t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] =
                isUsedCell(x, y) ? static_cast<std::uint8_t>(x + y) : spare;
    return t;
}

TEST(LineCodes, CodesLabelsAndCaptions)
{
    EXPECT_EQ(lineCode(0), "E1");
    EXPECT_EQ(lineCode(3), "E4");
    EXPECT_EQ(lineCode(4), "P1");
    EXPECT_EQ(lineCode(7), "P4");
    EXPECT_EQ(lineCode(8), "K1");
    EXPECT_EQ(lineCode(11), "K4");
    EXPECT_EQ(lineCode(12), "");
    EXPECT_EQ(headerCaption(6), "PP Line 1 (4 on 3)");
    EXPECT_EQ(headerCaption(11), "PK Line 2 (3 on 5)");
    EXPECT_EQ(slotLabel(5, 1), "L");
    EXPECT_EQ(slotLabel(6, 1), "W");
    EXPECT_EQ(slotLabel(10, 1), "D");
    EXPECT_EQ(slotLabel(12, 0), "Starting Goaltender");
    EXPECT_EQ(slotLabel(6, 4), ""); // spare

    int used = 0;
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y)
            used += isUsedCell(x, y) ? 1 : 0;
    EXPECT_EQ(used, 55);
}

TEST(AssignmentText, CodesInLineThenSlotOrder)
{
    LineTable t = emptyTable();
    t[8][1] = 7;
    t[4][0] = 7;
    t[0][0] = 7;
    t[12][1] = 3;
    t[12][2] = 3;
    t[12][0] = 9;
    t[1][2] = 60; // empty, whatever its value
    t[6][4] = 4;  // spare: adds nothing
    t[10][3] = 4;

    const AssignmentTexts texts = ReadLineAssgts(t);
    EXPECT_EQ(texts[7], "E1C P1C K1W");
    EXPECT_EQ(texts[3], "X1 X2");
    EXPECT_EQ(texts[9], "Starting Goaltender");
    EXPECT_EQ(texts[4], "the Pine");
    EXPECT_EQ(texts[0], "the Pine");
    EXPECT_EQ(texts[49], "the Pine");
}

struct Placement : ::testing::Test {
    PlayerRec goalie = evenPlayer(PosG, 60);
    PlayerRec skater = evenPlayer(PosC, 60);
    LineWork work{emptyTable()};

    // A refused click changes no cell and not LinesChanged.
    void expectRefused(int index, std::uint8_t p, const PlayerRec& who, Mode mode)
    {
        const LineTable before = work.LineSlots;
        const bool changed = work.LinesChanged;
        EXPECT_FALSE(work.place(index, p, who, mode)) << "slot " << index;
        EXPECT_EQ(work.LineSlots, before) << "slot " << index;
        EXPECT_EQ(work.LinesChanged, changed) << "slot " << index;
    }
};

TEST_F(Placement, GoalieOnlyInGoalInEveryMode)
{
    for (Mode mode : {Mode::Even, Mode::PP, Mode::PK}) {
        for (int index = 0; index < 20; ++index)
            expectRefused(index, 1, goalie, mode);
        expectRefused(21, 1, goalie, mode);
        expectRefused(22, 1, goalie, mode);
    }
    for (Mode mode : {Mode::Even, Mode::PP, Mode::PK}) {
        work.LineSlots[12][0] = NoPlayer;
        EXPECT_TRUE(work.place(20, 1, goalie, mode));
        EXPECT_EQ(work.LineSlots[12][0], 1);
    }
    EXPECT_TRUE(work.LinesChanged);
}

TEST_F(Placement, SkatersTakeExtraSlotsAndLinesButNotGoal)
{
    expectRefused(20, 2, skater, Mode::Even);
    EXPECT_TRUE(work.place(21, 2, skater, Mode::PK));
    EXPECT_TRUE(work.place(22, 2, skater, Mode::PK));
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[2], "X1 X2");

    // Any skater in any skater slot: a centre on defence.
    PlayerRec defender = evenPlayer(PosD, 50);
    EXPECT_TRUE(work.place(3, 5, defender, Mode::Even));
    EXPECT_TRUE(work.place(0, 6, evenPlayer(9, 50), Mode::Even)) << "an unknown position is a skater";
    expectRefused(1, NoPlayer, skater, Mode::Even);
    expectRefused(1, 50, skater, Mode::Even);
    expectRefused(23, 2, skater, Mode::Even);
    expectRefused(-1, 2, skater, Mode::Even);
}

TEST_F(Placement, OncePerLine)
{
    ASSERT_TRUE(work.place(0, 4, skater, Mode::Even)); // E1 C
    work.LinesChanged = false;
    expectRefused(4, 4, skater, Mode::Even);           // E1 second D
    expectRefused(0, 4, skater, Mode::Even);           // his own cell again
    EXPECT_TRUE(work.place(5, 4, skater, Mode::Even)); // E2 C
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[4], "E1C E2C");
    EXPECT_TRUE(work.LinesChanged);

    // The occupant loses only the cell he is replaced in.
    ASSERT_TRUE(work.place(5, 8, skater, Mode::Even));
    const AssignmentTexts texts = ReadLineAssgts(work.LineSlots);
    EXPECT_EQ(texts[4], "E1C");
    EXPECT_EQ(texts[8], "E2C");
    ASSERT_TRUE(work.place(0, 8, skater, Mode::Even));
    EXPECT_EQ(ReadLineAssgts(work.LineSlots)[4], "the Pine");
}

TEST_F(Placement, SpareCellsNeitherBlockNorShow)
{
    // After the automatic lines the spare cells hold roster slot 0.
    work = LineWork(fullTable(0));
    for (int x = 6; x < 12; ++x)
        for (int y = 0; y < slotsOfLine(x); ++y)
            work.LineSlots[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = 30;
    EXPECT_TRUE(work.place(10, 0, skater, Mode::PP)); // P3 C
    EXPECT_TRUE(work.place(15, 0, skater, Mode::PP)); // P4 C
    EXPECT_TRUE(work.place(0, 0, skater, Mode::PK));  // K1 C
    EXPECT_TRUE(work.place(10, 0, skater, Mode::PK)); // K3 C
    EXPECT_TRUE(work.place(15, 0, skater, Mode::PK)); // K4 C

    // Hidden slot labels take nobody.
    for (int index : {14, 19})
        expectRefused(index, 7, skater, Mode::PP);
    for (int index : {4, 9, 13, 14, 18, 19})
        expectRefused(index, 7, skater, Mode::PK);
    for (int index = 0; index < 23; ++index)
        EXPECT_TRUE(slotShown(index, Mode::Even));
}

TEST(Completeness, SpareCellsAreIgnored)
{
    EXPECT_FALSE(LinesIncomplete(fullTable(NoPlayer)));
    EXPECT_FALSE(LinesIncomplete(fullTable(0)));
    EXPECT_FALSE(LinesIncomplete(fullTable(60)));

    LineTable t = fullTable(0);
    t[12][2] = NoPlayer; // X2
    EXPECT_TRUE(LinesIncomplete(t));
    t = fullTable(0);
    t[10][2] = 60;
    EXPECT_TRUE(LinesIncomplete(t));
    EXPECT_TRUE(LinesIncomplete(emptyTable()));
}

// A league in working files, with the team loaded into team slot 0.
struct Commit : ::testing::Test {
    bb::test::TempDir dir;
    std::unique_ptr<Session> s = std::make_unique<Session>();

    void SetUp() override
    {
        s->init(dir.path());
        const Status written = demo::writeDemoLeague(dir.path(), {"commit", 4, 7, false});
        ASSERT_TRUE(written.ok()) << written.error();
        const Status loaded = LoadLg(*s, (dir.path() / "commit").string());
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        s->CurTeam = 2;
        ASSERT_TRUE(LoadTeam(*s, 2, 0).ok());
    }

    std::vector<std::uint8_t> teamBytes(int tm) const
    {
        std::ifstream in(s->SwapTms, std::ios::binary);
        std::vector<std::uint8_t> b(TeamRec::Size);
        in.seekg(static_cast<std::streamoff>(tm) * TeamRec::Size);
        in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
        EXPECT_EQ(in.gcount(), static_cast<std::streamsize>(TeamRec::Size));
        return b;
    }
};

TEST_F(Commit, WritesSpareCellsAsEmptyAndSetsLinesSet)
{
    s->Teams[2].LinesSet.set(false);
    const std::vector<std::uint8_t> otherTeam = teamBytes(1);
    LineWork work(fullTable(0));
    ASSERT_TRUE(work.TransferBuffer(*s, 0).ok());

    EXPECT_EQ(work.LineSlots, fullTable(0)) << "the working copy keeps its spare cells";
    EXPECT_EQ(s->Teams[2].LineSlots, fullTable(NoPlayer));
    EXPECT_TRUE(static_cast<bool>(s->Teams[2].LinesSet));

    // On disk: cell (x, y) is byte x + 13 y of the table, which starts at byte 174.
    const std::vector<std::uint8_t> b = teamBytes(2);
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y) {
            const std::uint8_t want = isUsedCell(x, y) ? static_cast<std::uint8_t>(x + y) : NoPlayer;
            EXPECT_EQ(b[174 + static_cast<std::size_t>(x + 13 * y)], want) << x << "," << y;
        }
    EXPECT_NE(b[252] | b[253], 0) << "LinesSet";
    EXPECT_EQ(teamBytes(1), otherTeam);
}

TEST_F(Commit, NoSuchCurrentTeamWritesNothing)
{
    s->CurTeam = 200;
    const std::vector<std::uint8_t> before = teamBytes(2);
    LineWork work(fullTable(0));
    EXPECT_FALSE(work.TransferBuffer(*s, 0).ok());
    EXPECT_EQ(teamBytes(2), before);
}

} // namespace
