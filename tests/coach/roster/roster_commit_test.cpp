// The roster commit: release records, how it uses the waiver rule, files it cannot read; the
// line-table pruning. That a failed commit changes nothing is proved byte by byte in the road tests.
#include "coach/roster/roster_commit.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace bb::roster {
namespace {

namespace fs = std::filesystem;
using namespace bb::test;

struct RosterCommit : ::testing::Test {
    TempDir home;
    RosterFiles files = RosterFiles::in(home.path());
    Session s;
    ScriptedPrompter prompter;
    RosterWork work;

    // Team 2, "Hawks", in working files of four teams. Slots 0..19 dressed, 20 and 21 scratches,
    // 22..25 on the farm; all of them old and experienced enough to need waivers.
    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 2;
        s.Teams[2].Name.assign("Hawks");
        std::tie(s.League.MaxTeam, s.League.WaiversOn, s.League.WaiverGP, s.League.WaiverAge) =
            std::tuple(3, 1, 10, 25);
        writeBytes(s.SwapRos, Bytes(4 * RosterSize * PlayerRec::Size, 7));
        writeBytes(s.SwapTms, Bytes(4 * TeamRec::Size, 7));
        for (int i = 0; i < 26; ++i) {
            PlayerRec& p = s.Players[0][i];
            p.Name.assign("Player " + std::to_string(i));
            std::tie(p.Pos, p.Sts, p.GP, p.Age) = std::tuple(i % 5, i < 20 ? 200 : i < 22 ? 100 : 0, 12, 30);
        }
        ResetFlags(s, work, 0);
    }
    Status commit() { return TransferBuffer(s, prompter, work, 0, files); }
    // A release record by hand: Fld0 0, then the player's 86 bytes with Released written 0.
    static Bytes released(PlayerRec p) { return p.Released = 0, join({{0, 0}, bytesOf(p.encoded())}); }
};

TEST_F(RosterCommit, ReleasesGoByWholeRecordsAndName)
{
    PlayerRec& p = s.Players[0][22];
    p.Released = 1;
    const PlayerRec leaving = p;
    const Bytes ours = released(p);
    Bytes theirs = ours, padded = ours; // another name; the same padded with NULs is another too
    theirs[2] = 'Q';
    std::fill_n(padded.begin() + 11, 13, 0);

    const std::pair<Bytes, Bytes> cases[] = {
        {{}, ours},
        {theirs, join({theirs, ours})},
        {join({padded, theirs}), join({padded, theirs, ours})},
        // A cut-off tail is no record, even when it holds the name: it is overwritten.
        {join({theirs, Bytes(ours.begin(), ours.begin() + 40)}), join({theirs, ours})},
    };
    for (const auto& [before, after] : cases) {
        writeBytes(files.releases, before);
        p = leaving;
        ASSERT_TRUE(commit().ok());
        EXPECT_EQ(readBytes(files.releases), after) << before.size();
        EXPECT_TRUE(p.encoded() == PlayerRec{}.encoded()) << "the whole slot is cleared";
    }

    // A release of a name on file replaces its record; of two with one name in one commit, the
    // second replaces the first.
    s.Players[0][3].Name = s.Players[0][8].Name = leaving.Name;
    for (int i : {3, 4, 8})
        s.Players[0][i].Released = 1;
    const Bytes want = join({theirs, released(s.Players[0][8]), released(s.Players[0][4])});
    ASSERT_TRUE(commit().ok());
    EXPECT_EQ(readBytes(files.releases), want);
}

TEST_F(RosterCommit, SendingDownGoesThroughTheWaiverRuleThenTheLinesArePruned)
{
    s.Players[0][5].Name = s.Players[0][0].Name; // the same name twice
    // Dressed to the farm: Yes, No (he stays a scratch), the same name again (Yes, then refused);
    // scratched, no question; a call-up, no question.
    work.RosterStatus[0] = work.RosterStatus[1] = work.RosterStatus[5] = 0;
    work.RosterStatus[2] = work.RosterStatus[22] = 100;
    prompter.yesNo = {true, false, true};
    ASSERT_TRUE(commit().ok());
    EXPECT_EQ(prompter.take(),
              "? Put Player 0 on waivers? [Keep changes?] ? Put Player 1 on waivers? [Keep changes?] "
              "? Put Player 0 on waivers? [Keep changes?] "
              "! Player must clear waivers first [Hawks     , info] ");
    const auto& pl = s.Players[0];
    EXPECT_EQ((std::array{pl[0].Sts, pl[1].Sts, pl[2].Sts, pl[5].Sts, pl[7].Sts, pl[22].Sts}),
              (std::array<std::uint8_t, 6>{0, 100, 100, 100, 200, 100}));
    EXPECT_EQ(readBytes(files.log), bytesOf("Hawks place Player 0 on waivers<BR><BR>\r\n"));

    // Then the lines: every cell of a player not dressed is emptied, an empty slot's too, and
    // LinesSet cleared; the goalie line's spare cells are left alone. Without a cell to empty,
    // LinesSet stays.
    TeamRec& team = s.Teams[2];
    team.LineSlots = {}; // slot 0, sent down, everywhere
    team.LinesSet.set(true);
    team.LineSlots[0] = {7, 1, 22, 30, 19};
    team.LineSlots[12] = {19, 20, 60, 21, 22};
    EXPECT_TRUE(PruneLines(s) && !team.LinesSet);
    EXPECT_EQ(team.LineSlots[0], (std::array<std::uint8_t, 5>{7, 255, 255, 255, 19}));
    EXPECT_EQ(team.LineSlots[12], (std::array<std::uint8_t, 5>{19, 255, 60, 21, 22}));
    team.LinesSet.set(true);
    EXPECT_TRUE(!PruneLines(s) && team.LinesSet);

    // The same commit again, with a release, and a file it cannot read: the file is named, and
    // nothing changes.
    s.Players[0][7].Released = 1;
    for (const fs::path& f : {files.releases, files.waivers}) {
        fs::remove(f), fs::create_directory(f);
        EXPECT_NE(commit().error().find(f.string()), std::string::npos);
        EXPECT_EQ(s.Players[0][1].Sts + s.Players[0][7].Released, 101) << f;
        fs::remove(f);
    }
    EXPECT_EQ(prompter.take(), "");
}

} // namespace
} // namespace bb::roster
