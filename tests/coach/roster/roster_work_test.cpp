// The working copy, the list refresh's counts, the moves and their refusals, the Auto button's
// check and the name and rating edits.
#include "coach/roster/roster_work.h"
#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace bb;
using namespace bb::roster;

struct RosterEditing : ::testing::Test {
    Session s;
    test::ScriptedPrompter prompter;
    RosterWork work;
    const PositionFilter all{true, true, true, true, true};

    // Slot i holds "Player i", padded with spaces.
    PlayerRec& put(int i, std::uint8_t pos, std::uint8_t sts)
    {
        PlayerRec& p = s.Players[0][static_cast<std::size_t>(i)];
        p.Name.assign("Player " + std::to_string(i));
        std::tie(p.Pos, p.Sts, p.Con) = std::tuple(pos, sts, 90);
        return p;
    }
    // Counts of C, LW, RW, D, G with status sts, from slot 0 up.
    void fill(std::array<int, 5> counts, std::uint8_t sts = 200)
    {
        int slot = 0;
        for (std::uint8_t pos = 0; pos < 5; ++pos)
            for (int n = 0; n < counts[pos]; ++n)
                put(slot++, pos, sts);
    }
    RosterLists refresh(const PositionFilter& shown)
    {
        ResetFlags(s, work, 0);
        return listPlayers(s, work, shown);
    }
    void move(int b, const std::vector<std::uint8_t>& rows) { cmdMovePlayer(s, prompter, work, b, rows); }
    static std::string stored(const std::string& name) { return name + std::string(22 - name.size(), ' '); }
};

TEST_F(RosterEditing, OpeningPutsInjuredPlayersAmongTheScratches)
{
    // Stored status and condition; then the working status, the stored status and the condition.
    const std::array<int, 5> cases[] = {
        {203, 5, 103, 203, 100}, // injured dressed
        {3, 9, 103, 103, 100},   // injured farm player: moved up in his record
        {200, 5, 200, 200, 5},   // healthy: keeps his condition
        {106, 10, 106, 106, 10}, // condition 10 is kept
    };
    for (std::size_t i = 0; i < 4; ++i)
        put(int(i), PosC, std::uint8_t(cases[i][0])).Con = std::uint8_t(cases[i][1]);
    ResetFlags(s, work, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        const PlayerRec& p = s.Players[0][i];
        EXPECT_EQ((std::array<int, 5>{cases[i][0], cases[i][1], work.RosterStatus[i], p.Sts, p.Con}),
                  cases[i]);
    }
}

TEST_F(RosterEditing, CompleteGameRosterAndEnoughForAuto)
{
    // Dressed C, LW, RW, D, G; the label; whether Auto has enough players of every position.
    const std::tuple<std::array<int, 5>, const char*, bool> cases[] = {
        {{3, 4, 3, 8, 2}, "Roster Complete", true},
        {{3, 3, 3, 7, 4}, "20 Total Players", true}, // four goalies
        {{4, 4, 3, 8, 2}, "21 Total Players", true},
        {{5, 4, 4, 5, 2}, "20 Total Players", true}, // five defencemen are enough for Auto
        {{6, 4, 4, 5, 1}, "20 Total Players", false},
    };
    for (const auto& [dressed, label, enough] : cases) {
        s = {};
        fill(dressed);
        EXPECT_EQ(refresh(all).Label5, label);
        EXPECT_EQ(work.RosterComplete, std::string(label) == "Roster Complete");
        // Auto counts every player, released and injured ones too.
        s.Players[0][0].Released = 1;
        s.Players[0][1].Sts = 5;
        EXPECT_EQ(enoughForAutoRoster(s, prompter), enough);
        EXPECT_EQ(prompter.take(), enough ? "" : "! Not enough players [Auto Roster, info] ");
    }
}

TEST_F(RosterEditing, MovesAndTheirRefusals)
{
    fill({3, 3, 3, 6, 2});        // slots 0..16, dressed
    put(17, PosC, 100);           // healthy scratch
    put(18, PosLW, 100).Susp = 2; // suspended scratch
    put(19, PosRW, 203);          // injured dressed: opens among the scratches
    put(20, PosD, 0);
    put(21, PosD, 4); // injured farm player: opens among the scratches
    refresh(all);

    // One message per refused row (the name as stored; no icon, the program's title); the others
    // move.
    move(Dress, {17, 18, 19});
    EXPECT_EQ(prompter.take(), "! " + stored("Player 18") + " is unavailable [] ! " + stored("Player 19") +
                                   " is unavailable [] ");
    move(SendDown, {21, 18, 0}); // slot 0 is not a scratch: not this button's row
    EXPECT_EQ(prompter.take(), "! " + stored("Player 21") + " cannot be sent to farm [] ! " +
                                   stored("Player 18") + " cannot be sent to farm [] ");
    move(Scratch, {0, 19});
    move(SendDown, {0});
    move(CallUp, {20});
    EXPECT_EQ(prompter.take(), "");
    const std::pair<int, int> want[] = {{0, 0}, {17, 200}, {18, 100}, {19, 103}, {20, 100}, {21, 104}};
    for (auto [i, status] : want)
        EXPECT_EQ(work.RosterStatus[static_cast<std::size_t>(i)], status) << i;
}

TEST_F(RosterEditing, CallUpsStopAtAFullProRoster)
{
    for (int i = 0; i < 24; ++i)
        put(i, PosD, 100);
    put(30, PosC, 0).Susp = 99; // not counted once up
    for (int i = 31; i < 34; ++i)
        put(i, PosC, 0);
    refresh(all);
    ASSERT_EQ(work.ProCount, 24);
    move(CallUp, {30, 31, 32, 33});
    EXPECT_EQ(prompter.take(), "! Roster is full [Set Roster, stop] ");
    EXPECT_EQ((std::array{work.RosterStatus[30], work.RosterStatus[31], work.RosterStatus[32],
                          work.RosterStatus[33]}),
              (std::array<std::uint8_t, 4>{100, 100, 0, 0}));
    EXPECT_TRUE(work.RosterChanged);
    listPlayers(s, work, all);
    EXPECT_EQ(work.ProCount, 25) << "a player suspended for good is not counted";
}

TEST_F(RosterEditing, NameAndRatingEdits)
{
    const std::pair<std::string, int> ratings[] = {
        {"55.7", 55}, {"15", 15},  {"99.99", 99}, {"  42", 42}, {"60abc", 60},
        {"14.9", -1}, {"100", -1}, {"na", -1},    {"", -1},     {"-20", -1},
    };
    for (const auto& [text, want] : ratings) {
        const auto got = parseRating(text);
        EXPECT_EQ(got ? int(*got) : -1, want) << '"' << text << '"';
    }

    put(3, PosC, 200);
    EXPECT_TRUE(setPlayerName(s, 3, "Jan Nov\u00E1k-Longername Extra"));
    EXPECT_EQ(s.Players[0][3].Name.str(), "Jan Nov\xE1k-Longername E");
    EXPECT_TRUE(setRating(s, 3, 12, "71.9"));
    EXPECT_FALSE(setRating(s, 3, 0, "14"));
    EXPECT_EQ(s.Players[0][3].Skill[12], 71);
    EXPECT_EQ(s.Players[0][3].Skill[0], 0);
    // An empty slot has no player to rename or rate.
    EXPECT_FALSE(setPlayerName(s, 4, "Ghost") || setRating(s, 4, 0, "50"));
    EXPECT_TRUE(s.Players[0][4].isEmpty());
}

} // namespace
