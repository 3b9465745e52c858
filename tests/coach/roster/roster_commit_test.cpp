// The roster commit: release records, how it uses the waiver rule, that it stores everything or
// nothing; the line-table pruning.
#include "file_bytes.h"
#include "coach/roster/roster_commit.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using bb::test::readBytes;
using bb::test::writeBytes;

namespace fs = std::filesystem;
using namespace bb;
using namespace bb::roster;
using io::Bytes;



Bytes pattern(std::size_t n, std::size_t seed)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>((i * 7 + seed) % 251);
    return b;
}

template <std::size_t N> Bytes bytesOf(const std::array<std::uint8_t, N>& a)
{
    return Bytes(a.begin(), a.end());
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct RosterCommit : ::testing::Test {
    test::TempDir home;
    RosterFiles files = RosterFiles::in(home.path());
    Session s;
    test::ScriptedPrompter prompter;
    RosterWork work;
    static constexpr std::size_t Block = RosterSize * PlayerRec::Size;

    // Team 2, "Hawks", in working files of four teams. Slots 0..19 dressed, 20 and 21 scratches,
    // 22..25 on the farm; all of them old and experienced enough to need waivers.
    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 2;
        s.Teams[2].Name.assign("Hawks");
        s.League.MaxTeam = 3;
        s.League.WaiversOn = 1;
        s.League.WaiverGP = 10;
        s.League.WaiverAge = 25;
        writeBytes(s.SwapRos, pattern(4 * Block, 1));
        writeBytes(s.SwapTms, pattern(4 * TeamRec::Size, 2));
        for (int i = 0; i < 26; ++i) {
            PlayerRec& p = player(i);
            p.Name.assign("Player " + std::to_string(i));
            p.Pos = static_cast<std::uint8_t>(i % 5);
            p.Sts = i < 20 ? 200 : i < 22 ? 100 : 0;
            p.GP = 12;
            p.Age = 30;
        }
        ResetFlags(s, work, 0);
    }
    Status commit()
    {
        return TransferBuffer(s, prompter, work, 0, files, [] { return 46362.5; });
    }
    PlayerRec& player(int i) { return s.Players[0][static_cast<std::size_t>(i)]; }
    Bytes sessionBytes() const
    {
        Bytes out;
        for (const PlayerRec& p : s.Players[0])
            out = out + bytesOf(p.encoded());
        return out + bytesOf(s.Teams[2].encoded());
    }
};

TEST_F(RosterCommit, ReleasesGoByWholeRecordsAndName)
{
    // The record by hand: Fld0 0, then the player's 86 bytes with Released written 0.
    player(22).Released = 1;
    player(22).raw[70] = 0x5A; // a byte no rule reads
    Bytes ours = Bytes{0, 0} + bytesOf(player(22).encoded());
    ours[2 + 75] = 0;
    ASSERT_EQ(ours.size(), ReleaseRec::Size);
    const PlayerRec released = player(22);
    PlayerRec someone;
    someone.Name.assign("Someone Else");
    ReleaseRec other;
    other.Player = someone;
    const Bytes otherRec = bytesOf(other.encoded());
    Bytes stale = ours;
    stale[30] = 0x77; // an earlier release of the same name

    struct Case {
        const char* what;
        std::optional<Bytes> before;
        Bytes after;
    };
    const Case cases[] = {
        {"missing", std::nullopt, ours},
        {"empty", Bytes{}, ours},
        {"another name", otherRec, otherRec + ours},
        {"a cut-off tail is overwritten", otherRec + Bytes(12, 0xEE), otherRec + ours},
        {"the same name is replaced", otherRec + stale, otherRec + ours},
        {"a name in a cut-off tail is no record", otherRec + Bytes(ours.begin(), ours.begin() + 40),
         otherRec + ours},
    };
    for (const Case& c : cases) {
        fs::remove(files.releases);
        if (c.before)
            writeBytes(files.releases, *c.before);
        player(22) = released;
        work.RosterStatus[22] = 100; // a release ignores the working status
        ASSERT_TRUE(commit().ok()) << c.what;
        EXPECT_EQ(readBytes(files.releases), c.after) << c.what;
        EXPECT_EQ(player(22).encoded(), PlayerRec{}.encoded()) << "the whole slot is cleared";
        const Bytes ros = readBytes(s.SwapRos);
        EXPECT_EQ(Bytes(ros.begin() + 2 * Block + 22 * 86, ros.begin() + 2 * Block + 23 * 86), Bytes(86, 0));
    }
    EXPECT_EQ(ReleaseRec::decode(std::span<const std::uint8_t, 88>(ours.data(), 88)).Player.Name,
              released.Name);

    // Two releases of one name in one commit: the second finds the first and replaces it.
    fs::remove(files.releases);
    player(3).Name = player(8).Name;
    for (int i : {3, 4, 8})
        player(i).Released = 1;
    Bytes want = Bytes{0, 0} + bytesOf(player(8).encoded()) + Bytes{0, 0} + bytesOf(player(4).encoded());
    ASSERT_TRUE(commit().ok());
    want[2 + 75] = want[88 + 2 + 75] = 0;
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
    const std::string line = "Hawks place Player 0 on waivers<BR><BR>\r\n";
    EXPECT_EQ(readBytes(files.log), Bytes(line.begin(), line.end()));
}

TEST_F(RosterCommit, AFailedCommitChangesNothing)
{
    // One release and one placement on waivers, over files that already hold records.
    player(7).Released = 1;
    work.RosterStatus[0] = 0;
    const std::pair<fs::path, Bytes> kept[] = {{files.releases, pattern(88, 3)},
                                               {files.waivers, pattern(134, 4)},
                                               {files.log, {'o', 'l', 'd', '\r', '\n'}},
                                               {s.SwapRos, readBytes(s.SwapRos)},
                                               {s.SwapTms, readBytes(s.SwapTms)}};
    for (const auto& [file, bytes] : kept)
        writeBytes(file, bytes);
    const Bytes before = sessionBytes();
    const long long total = 88 + 134 + 41 + Block + TeamRec::Size;
    for (long long n = 0; n < total; n += n < 300 ? 11 : 97) {
        prompter.yesNo = {true};
        io::testing::ScopedFaults f({n, -1});
        const Status st = commit();
        ASSERT_FALSE(st.ok()) << n;
        for (const auto& [file, bytes] : kept)
            EXPECT_EQ(readBytes(file), bytes) << file << " " << n;
        EXPECT_EQ(sessionBytes(), before) << n;
    }
    prompter.yesNo = {true};
    io::testing::ScopedFaults f({total, -1});
    ASSERT_TRUE(commit().ok());
}

TEST_F(RosterCommit, FilesThatCannotBeRead)
{
    // A folder in place of the release file: named in the failure, nothing asked, nothing changed.
    fs::create_directory(files.releases);
    player(7).Released = 1;
    work.RosterStatus[0] = 0;
    const Bytes before = sessionBytes();
    Status st = commit();
    EXPECT_NE(st.error().find(files.releases.string()), std::string::npos);
    EXPECT_EQ(prompter.take(), "");
    EXPECT_EQ(sessionBytes(), before);

    // A folder in place of the waiver file matters only when somebody needs waivers.
    fs::remove(files.releases);
    fs::create_directory(files.waivers);
    st = commit();
    EXPECT_NE(st.error().find(files.waivers.string()), std::string::npos);
    EXPECT_EQ(prompter.take(), "");
    s.League.WaiversOff = 1;
    EXPECT_TRUE(commit().ok());
    EXPECT_EQ(player(0).Sts, 0);
}

TEST(PruneLines, EmptiesTheCellsOfEveryPlayerNotDressed)
{
    Session s;
    s.CurTeam = 4;
    TeamRec& team = s.Teams[4];
    for (auto& line : team.LineSlots)
        line.fill(NoPlayer);
    team.LinesSet.set(true);
    const std::uint8_t sts[] = {200, 203, 100, 0}; // slot 4 is empty
    for (std::size_t i = 0; i < 4; ++i) {
        s.Players[0][i].Name.assign("Player");
        s.Players[0][i].Sts = sts[i];
    }
    team.LineSlots[0] = {0, 1, 2, 3, 4};
    team.LineSlots[6][4] = 2;              // a spare cell of a skater line is cleared too
    team.LineSlots[12] = {0, 2, 60, 3, 4}; // the goalie line's spare cells are left alone
    EXPECT_TRUE(PruneLines(s));
    EXPECT_EQ(team.LineSlots[0], (std::array<std::uint8_t, 5>{0, 1, 255, 255, 255}));
    EXPECT_EQ(team.LineSlots[6][4], 255);
    EXPECT_EQ(team.LineSlots[12], (std::array<std::uint8_t, 5>{0, 255, 60, 3, 4}));
    EXPECT_FALSE(team.LinesSet);

    // Nothing to take off: LinesSet stays as it is.
    team.LinesSet.set(true);
    EXPECT_FALSE(PruneLines(s));
    EXPECT_TRUE(team.LinesSet);
}

} // namespace
