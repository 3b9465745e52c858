// The working copy, the list refresh's counts, the moves and their refusals, the Auto button's
// check and the name and rating edits.
#include "coach/roster/roster_work.h"
#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <string>
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
        p.Pos = pos;
        p.Sts = sts;
        p.Con = 90;
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
    void move(int button, const std::vector<std::uint8_t>& rows)
    {
        cmdMovePlayer(s, prompter, work, button, rows);
    }
    static std::string stored(const std::string& name) { return name + std::string(22 - name.size(), ' '); }
};

TEST_F(RosterEditing, OpeningPutsInjuredPlayersAmongTheScratches)
{
    put(0, PosC, 203).Con = 5;             // injured dressed
    put(1, PosC, 3).Con = 9;               // injured farm player: moved up in his record
    put(2, PosC, 200).Con = 5;             // healthy: keeps his condition
    put(3, PosC, 106).Con = 10;            // condition 10 is kept
    for (int pass = 0; pass < 2; ++pass) { // building it again gives the same
        ResetFlags(s, work, 0);
        const int want[4][4] = {
            {103, 203, 203, 100}, {103, 103, 103, 100}, {200, 200, 200, 5}, {106, 106, 106, 10}};
        for (int i = 0; i < 4; ++i) {
            const PlayerRec& p = s.Players[0][static_cast<std::size_t>(i)];
            EXPECT_EQ(
                (std::array{int(work.RosterStatus[i]), int(work.SavedStatus[i]), int(p.Sts), int(p.Con)}),
                (std::array{want[i][0], want[i][1], want[i][2], want[i][3]}))
                << i;
        }
    }
}

TEST_F(RosterEditing, RefreshListsCountsAndLabel)
{
    const std::pair<std::array<int, 5>, const char*> cases[] = {
        {{3, 4, 3, 8, 2}, "Roster Complete"},  {{3, 3, 3, 6, 2}, "17 Total Players"},
        {{3, 3, 3, 7, 4}, "20 Total Players"}, // four goalies
        {{4, 4, 3, 5, 4}, "20 Total Players"}, // five defencemen
        {{4, 4, 3, 8, 2}, "21 Total Players"},
    };
    for (const auto& [dressed, label] : cases) {
        s = {};
        fill(dressed);
        EXPECT_EQ(refresh(all).Label5, label);
        EXPECT_EQ(work.RosterComplete, std::string(label) == "Roster Complete");
    }

    // Rows by working class in slot order; a filter hides rows only; empty and released slots are
    // nowhere; a player suspended for good is not counted on the pro roster.
    put(25, PosC, 100);
    put(26, PosD, 100).Susp = 99;
    put(27, PosD, 200).Released = 1;
    s.Players[0][28].Sts = 200; // empty
    put(29, PosLW, 0).Pos = 7;  // no filter for him: always listed
    PositionFilter noGoalies = all;
    noGoalies[PosG] = false;
    const RosterLists l = refresh(noGoalies);
    const auto slots = [&l](int k) {
        std::vector<int> out;
        for (const ListRow& r : l.rows[static_cast<std::size_t>(k)])
            out.push_back(r.slot);
        return out;
    };
    EXPECT_EQ(slots(FarmList), std::vector<int>{29});
    EXPECT_EQ(slots(ScratchList), (std::vector<int>{25, 26}));
    EXPECT_EQ(slots(GameList).size(), 19u);
    EXPECT_EQ(work.ProCount, 22);
    EXPECT_EQ(work.PosDressed, (std::array<std::uint8_t, 5>{4, 4, 3, 8, 2}));
    EXPECT_EQ(l.Label5, "21 Total Players");

    // The protect-mode mark is asked for each listed row.
    const RosterLists marked = listPlayers(s, work, all, [](const PlayerRec& p) { return p.Pos == PosG; });
    EXPECT_TRUE(marked.rows[GameList].back().marked && !marked.rows[GameList].front().marked);
}

TEST_F(RosterEditing, MovesAndTheirRefusals)
{
    fill({3, 3, 3, 6, 2});        // slots 0..16, dressed
    put(17, PosC, 100);           // healthy scratch
    put(18, PosLW, 100).Susp = 2; // suspended scratch
    put(19, PosRW, 203);          // injured dressed: opens among the scratches
    s.Players[0][19].Name.b.fill('\0');
    std::copy_n("J\xE9r\xF4me", 6, s.Players[0][19].Name.b.begin());
    put(20, PosD, 0);
    put(21, PosD, 4); // injured farm player: opens among the scratches
    refresh(all);

    // One message per refused row (the name as stored, up to a NUL; no icon, the program's
    // title); the others move. The injury is read from the record.
    move(Dress, {17, 18, 19});
    EXPECT_EQ(prompter.take(),
              "! " + stored("Player 18") + " is unavailable [] ! J\u00E9r\u00F4me is unavailable [] ");
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

    // Every press marks the work as changed, even one with nothing selected.
    work.RosterChanged = false;
    move(Dress, {});
    EXPECT_TRUE(work.RosterChanged);
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

    // Injured farm players moved up at opening can take the pro roster past the limit.
    put(34, PosC, 2);
    put(35, PosC, 2);
    refresh(all);
    EXPECT_EQ(work.ProCount, 26);
    move(CallUp, {32});
    EXPECT_EQ(prompter.take(), "! Roster is full [Set Roster, stop] ");
    EXPECT_EQ(work.RosterStatus[32], 0);
}

TEST_F(RosterEditing, AutoNeedsEnoughPlayersOfEveryPosition)
{
    const std::pair<std::array<int, 5>, bool> cases[] = {
        {{5, 4, 4, 5, 2}, true}, // exactly five defencemen
        {{3, 3, 3, 5, 2}, false}, {{6, 4, 4, 4, 2}, false},
        {{6, 4, 4, 5, 1}, false}, {{2, 6, 5, 5, 2}, false},
    };
    for (const auto& [counts, enough] : cases) {
        s = {};
        fill(counts, 0);
        s.Players[0][0].Released = 1; // counted all the same
        s.Players[0][1].Sts = 5;      // as are the injured
        EXPECT_EQ(enoughForAutoRoster(s, prompter), enough);
        EXPECT_EQ(prompter.take(), enough ? "" : "! Not enough players [Auto Roster, info] ");
    }
}

TEST_F(RosterEditing, NameAndRatingEdits)
{
    const std::pair<std::string, int> ratings[] = {
        {"55.7", 55}, {"15", 15},  {"99.99", 99}, {"  42", 42}, {"60abc", 60}, {"1.5e1", 15}, {"+20", 20},
        {"14.9", -1}, {"100", -1}, {"na", -1},    {"", -1},     {"-20", -1},   {".5", -1},    {"1e999", -1},
    };
    for (const auto& [text, want] : ratings) {
        const auto got = parseRating(text);
        EXPECT_EQ(got ? int(*got) : -1, want) << '"' << text << '"';
    }

    put(3, PosC, 200);
    EXPECT_TRUE(setPlayerName(s, 3, "Jan Nov\u00E1k-Longername Extra"));
    EXPECT_EQ(s.Players[0][3].Name.str(), "Jan Nov\xE1k-Longername E");
    EXPECT_TRUE(setPlayerName(s, 3, ""));
    EXPECT_EQ(s.Players[0][3].Name.str(), std::string(22, ' '));
    EXPECT_TRUE(isListed(s.Players[0][3]));
    EXPECT_TRUE(setRating(s, 3, 12, "71.9"));
    EXPECT_FALSE(setRating(s, 3, 0, "14"));
    EXPECT_EQ(s.Players[0][3].Skill[12], 71);
    EXPECT_EQ(s.Players[0][3].Skill[0], 0);

    // An empty slot has no player to rename or rate.
    EXPECT_FALSE(setPlayerName(s, 4, "Ghost"));
    EXPECT_FALSE(setRating(s, 4, 0, "50"));
    EXPECT_TRUE(s.Players[0][4].isEmpty() && s.Players[0][4].Skill[0] == 0);
}

} // namespace
