// The roster commit: release records, how it uses the waiver rule, files it cannot read; the
// line-table pruning. That a failed commit changes nothing is proved byte by byte in the road tests.
#include "coach/roster/roster_commit.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using namespace bb;
using namespace bb::roster;
using test::Bytes;
using test::bytesOf;
using test::join;
using test::readBytes;
using test::writeBytes;

struct RosterCommit : ::testing::Test {
    test::TempDir home;
    RosterFiles files = RosterFiles::in(home.path());
    Session s;
    test::ScriptedPrompter prompter;
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
            PlayerRec& p = player(i);
            p.Name.assign("Player " + std::to_string(i));
            std::tie(p.Pos, p.Sts, p.GP, p.Age) = std::tuple(i % 5, i < 20 ? 200 : i < 22 ? 100 : 0, 12, 30);
        }
        ResetFlags(s, work, 0);
    }
    Status commit()
    {
        return TransferBuffer(s, prompter, work, 0, files, [] { return 46362.5; });
    }
    PlayerRec& player(int i) { return s.Players[0][static_cast<std::size_t>(i)]; }
    // A release record by hand: Fld0 0, then the player's 86 bytes with Released written 0.
    static Bytes released(const PlayerRec& p)
    {
        Bytes rec = join({{0, 0}, bytesOf(p.encoded())});
        rec[2 + 75] = 0;
        return rec;
    }
};

TEST_F(RosterCommit, ReleasesGoByWholeRecordsAndName)
{
    player(22).Released = 1;
    player(22).raw[70] = 0x5A; // a byte no rule reads
    const PlayerRec leaving = player(22);
    const Bytes ours = released(leaving);
    PlayerRec other = leaving;
    other.Name.assign("Someone Else");
    const Bytes theirs = released(other);
    PlayerRec padded = leaving; // the same name padded with NULs is another name
    std::fill(padded.Name.b.begin() + 9, padded.Name.b.end(), '\0');

    const std::pair<std::optional<Bytes>, Bytes> cases[] = {
        {std::nullopt, ours},
        {theirs, join({theirs, ours})},
        {join({released(padded), theirs}), join({released(padded), theirs, ours})},
        // A cut-off tail is no record, even when it holds the name: it is overwritten.
        {join({theirs, Bytes(ours.begin(), ours.begin() + 40)}), join({theirs, ours})},
    };
    for (const auto& [before, after] : cases) {
        fs::remove(files.releases);
        if (before)
            writeBytes(files.releases, *before);
        player(22) = leaving;
        work.RosterStatus[22] = 100; // a release ignores the working status
        ASSERT_TRUE(commit().ok());
        EXPECT_EQ(readBytes(files.releases), after) << (before ? long(before->size()) : -1L);
        EXPECT_TRUE(player(22).encoded() == PlayerRec{}.encoded()) << "the whole slot is cleared";
    }

    // Two releases of one name in one commit: the second finds the first and replaces it.
    fs::remove(files.releases);
    player(3).Name = player(8).Name;
    for (int i : {3, 4, 8})
        player(i).Released = 1;
    const Bytes want = join({released(player(8)), released(player(4))});
    ASSERT_TRUE(commit().ok());
    EXPECT_EQ(readBytes(files.releases), want);
    EXPECT_EQ(prompter.take(), "");
}

TEST_F(RosterCommit, SendingDownGoesThroughTheWaiverRule)
{
    player(20).Age = 25;             // too young for waivers
    player(5).Name = player(0).Name; // the same name twice
    player(6).Sts = 203;             // injured dressed: stored as a scratch
    ResetFlags(s, work, 0);
    work.RosterStatus[0] = 0;    // dressed to the farm: Yes
    work.RosterStatus[1] = 0;    // dressed to the farm: No, so he stays a scratch
    work.RosterStatus[2] = 100;  // scratched
    work.RosterStatus[5] = 0;    // the same name again in this commit: Yes, then refused
    work.RosterStatus[20] = 0;   // a scratch to the farm, no question
    work.RosterStatus[22] = 100; // a call-up asks nothing
    prompter.yesNo = {true, false, true};
    ASSERT_TRUE(commit().ok());
    EXPECT_EQ(prompter.take(),
              "? Put Player 0 on waivers? [Keep changes?] ? Put Player 1 on waivers? [Keep changes?] "
              "? Put Player 0 on waivers? [Keep changes?] "
              "! Player must clear waivers first [Hawks     , info] ");
    const std::pair<int, int> sts[] = {{0, 0},   {1, 100}, {2, 100}, {5, 100},
                                       {6, 103}, {7, 200}, {20, 0},  {22, 100}};
    for (auto [i, want] : sts)
        EXPECT_EQ(player(i).Sts, want) << i;
    EXPECT_EQ(readBytes(files.waivers).size(), 134u);
    EXPECT_EQ(readBytes(files.log), bytesOf("Hawks place Player 0 on waivers<BR><BR>\r\n"));
}

TEST_F(RosterCommit, AFileThatCannotBeReadIsNamedAndNothingChanges)
{
    player(7).Released = 1;
    work.RosterStatus[0] = 0;
    for (const fs::path& f : {files.releases, files.waivers}) {
        fs::create_directory(f);
        const Status st = commit();
        EXPECT_NE(st.error().find(f.string()), std::string::npos);
        EXPECT_EQ(player(0).Sts + player(7).Released, 201) << f;
        fs::remove(f);
    }
    EXPECT_EQ(prompter.take(), "");
    // The waiver file is read only when somebody needs waivers.
    fs::create_directory(files.waivers);
    s.League.WaiversOff = 1;
    EXPECT_TRUE(commit().ok());
    EXPECT_EQ(player(0).Sts, 0);
}

TEST_F(RosterCommit, PruningEmptiesTheCellsOfEveryPlayerNotDressed)
{
    TeamRec& team = s.Teams[2];
    for (auto& line : team.LineSlots)
        line.fill(NoPlayer);
    team.LinesSet.set(true);
    team.LineSlots[0] = {0, 20, 22, 30, 19};  // a scratch, a farm player, an empty slot
    team.LineSlots[6][4] = 21;                // a spare cell of a skater line is cleared too
    team.LineSlots[12] = {0, 20, 60, 21, 22}; // the goalie line's spare cells are left alone
    EXPECT_TRUE(PruneLines(s));
    EXPECT_EQ(team.LineSlots[0], (std::array<std::uint8_t, 5>{0, 255, 255, 255, 19}));
    EXPECT_EQ(team.LineSlots[6][4], 255);
    EXPECT_EQ(team.LineSlots[12], (std::array<std::uint8_t, 5>{0, 255, 60, 21, 22}));
    EXPECT_FALSE(team.LinesSet);

    // Nothing to take off: LinesSet stays as it is.
    team.LinesSet.set(true);
    EXPECT_FALSE(PruneLines(s));
    EXPECT_TRUE(team.LinesSet);
}

} // namespace
