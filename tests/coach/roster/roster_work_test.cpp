// The working copy, the list refresh's counts, the moves and their refusals, the Auto button's
// check and the name and rating edits.
#include "coach/roster/roster_work.h"
#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace bb::roster {
namespace {

struct RosterEditing : ::testing::Test {
    Session s;
    test::ScriptedPrompter prompter;
    RosterWork work;

    // Slot i holds "Player i", padded with spaces.
    PlayerRec& put(int i, std::uint8_t pos, std::uint8_t sts)
    {
        PlayerRec& p = s.Players[0][static_cast<std::size_t>(i)];
        p.Name.assign("Player " + std::to_string(i)), p.Pos = pos, p.Sts = sts;
        return p;
    }
    const PositionFilter all{true, true, true, true, true};
    RosterLists refresh() { return ResetFlags(s, work, 0), listPlayers(s, work, all); }
    void move(int b, const std::vector<std::uint8_t>& rows) { cmdMovePlayer(s, prompter, work, b, rows); }
    std::uint8_t status(int i) const { return work.RosterStatus[static_cast<std::size_t>(i)]; }
    // A refusal names the player as stored, padding and all (slots 10 to 99), then a space.
    static std::string refused(int i, const char* why)
    {
        return "! Player " + std::to_string(i) + std::string(14, ' ') + why + " [] ";
    }
};

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
        for (int pos = 0, slot = 0; pos < 5; ++pos)
            for (int n = 0; n < dressed[static_cast<std::size_t>(pos)]; ++n)
                put(slot++, std::uint8_t(pos), 200);
        EXPECT_EQ(refresh().Label5, label);
        // Auto counts every player, released and injured ones too.
        s.Players[0][0].Released = 1, s.Players[0][1].Sts = 5;
        EXPECT_EQ(enoughForAutoRoster(s, prompter), enough);
        EXPECT_EQ(prompter.take(), enough ? "" : "! Not enough players [Auto Roster, info] ");
    }
}

TEST_F(RosterEditing, OpeningMovesAndTheirRefusals)
{
    put(0, PosC, 100);
    put(17, PosC, 100).Con = 5;   // healthy scratches; a condition below 10 kept
    put(18, PosLW, 100).Susp = 2; // suspended scratch
    put(19, PosRW, 203).Con = 5;  // injured dressed: opens among the scratches, condition 100
    put(20, PosD, 0);
    put(21, PosD, 4).Con = 10; // injured farm player: moved up in his record, condition kept
    refresh();
    const auto& p = s.Players[0];
    EXPECT_EQ(std::tuple(p[17].Con, p[19].Sts, p[19].Con, p[21].Sts, p[21].Con),
              std::tuple(5, 203, 100, 104, 10));

    // One message per refused row; the others move. A row not of the button's list stays.
    move(Dress, {17, 18, 19});
    EXPECT_EQ(prompter.take(), refused(18, "is unavailable") + refused(19, "is unavailable"));
    move(SendDown, {21, 18, 0, 20});
    EXPECT_EQ(prompter.take(), refused(21, "cannot be sent to farm") + refused(18, "cannot be sent to farm"));
    move(CallUp, {20}); // says nothing: the next message is the only one
    EXPECT_EQ((std::array{status(0), status(17), status(18), status(19), status(20), status(21)}),
              (std::array<std::uint8_t, 6>{0, 200, 100, 103, 100, 104}));

    // 24 on the pro roster, besides one suspended for good: a call-up of three stops at 25, the
    // one suspended for good not counted.
    s = {};
    for (int i = 0; i < 25; ++i)
        put(i, PosD, 100).Susp = i == 24 ? 99 : 0;
    put(45, PosC, 0).Susp = 99;
    for (int i : {46, 47})
        put(i, PosC, 0);
    refresh();
    ASSERT_EQ(work.ProCount, 24);
    move(CallUp, {45, 46, 47});
    EXPECT_EQ(prompter.take(), "! Roster is full [Set Roster, stop] ");
    EXPECT_EQ(std::tuple(status(45), status(46), status(47), work.RosterChanged),
              std::tuple(100, 100, 0, true));
}

TEST_F(RosterEditing, NameAndRatingEdits)
{
    // The rating a text gives; 0 for none.
    const std::pair<const char*, int> ratings[] = {
        {"55.7", 55}, {"15", 15}, {"99.99", 99}, {"  42", 42}, {"60abc", 60},
        {"14.9", 0},  {"100", 0}, {"na", 0},     {"", 0},      {"-20", 0},
    };
    for (const auto& [text, want] : ratings)
        EXPECT_EQ(parseRating(text).value_or(0), want) << '"' << text << '"';

    put(3, PosC, 200);
    EXPECT_TRUE(setPlayerName(s, 3, "Jan Nov\u00E1k-Longername Extra"));
    EXPECT_EQ(s.Players[0][3].Name.str(), "Jan Nov\xE1k-Longername E");
    EXPECT_TRUE(setRating(s, 3, 12, "71.9") && !setRating(s, 3, 0, "14"));
    EXPECT_TRUE(s.Players[0][3].Skill[12] == 71 && s.Players[0][3].Skill[0] == 0);
    // An empty slot has no player to rename or rate.
    EXPECT_FALSE(setPlayerName(s, 4, "Ghost") || setRating(s, 4, 0, "50") || !s.Players[0][4].isEmpty());
}

} // namespace
} // namespace bb::roster
