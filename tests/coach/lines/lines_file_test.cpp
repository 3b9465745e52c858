// The lines file: its layout, what Save Lines writes and how Load Lines applies a file.
#include "coach/lines/lines_file.h"
#include "coach/roster/waivers.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace bb;
using namespace bb::lines;
using namespace bb::test;
using enum ImportOutcome;
using ::testing::AllOf, ::testing::EndsWith, ::testing::StartsWith;

LineTable filledTable(std::uint8_t v)
{
    LineTable t;
    t.fill({v, v, v, v, v});
    return t;
}

// Team 3, "Hawks", password "secret". Roster slots 0..19 dressed, 20..23 scratches, 24..39 on
// the farm, all healthy and old enough for waivers; 40..49 empty. Waivers are off unless a test
// turns them on, and then every player who is sent down from the pros needs them.
struct LinesFile : ::testing::Test {
    TempDir home;
    Session s;
    ScriptedPrompter prompter;
    LineWork work{filledTable(NoPlayer)};
    std::filesystem::path file = home / "lines.lns";

    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 3;
        s.Teams[3].Name.assign("Hawks");
        s.Teams[3].Password.assign("secret");
        for (int i = 0; i < 40; ++i) {
            PlayerRec& p = s.Players[0][static_cast<std::size_t>(i)];
            p.Name.assign("Skater " + std::to_string(i));
            p.Sts = i < 20 ? 200 : i < 24 ? 100 : 0;
            p.Age = 26;
        }
    }

    ImportOutcome load(std::string n) { return prompter.files = {n}, ImportLinesSub(s, prompter, work, 0); }
    ExportOutcome save(std::optional<std::string> name, std::string password = "secret")
    {
        return prompter.texts = {password}, prompter.files = {name}, ExportLinesSub(s, prompter, work, 0);
    }
};

TEST_F(LinesFile, SaveWritesOverTheFileHead)
{
    // Uncommitted cells, spare values and empty slots' bytes go as they stand, under the password
    // typed (as UTF-8) in the code page, cut to ten or padded with spaces. A longer file keeps its
    // tail; a cancel in the file dialog writes nothing; saving is no commit.
    work.LineSlots[0][1] = 5, work.LineSlots[12][4] = 77;
    s.Players[0][45].Sts = 123, s.Players[0][45].Protected.raw = 0x1234;
    writeBytes(file, Bytes(300, 'z'));
    EXPECT_TRUE(save(std::nullopt) == ExportOutcome::Cancelled && save("") == ExportOutcome::Cancelled);
    EXPECT_EQ(readBytes(file), Bytes(300, 'z'));
    ASSERT_EQ(save(file.string(), "Caf\u00E9 \u20AC \u03A9xyz"), ExportOutcome::Saved);
    Bytes b = readBytes(file);
    EXPECT_EQ(Bytes(b.begin() + 1, b.begin() + 11), bytesOf("Caf\xE9 \x80 ?xy"));
    ASSERT_EQ(save(file.string(), "abc"), ExportOutcome::Saved);
    // Every byte: the team, the password, cell (x, y) at 11 + x + 13y, statuses from 76, two-byte
    // flags low byte first from 126, then the old tail.
    Bytes want = join({Bytes{3}, bytesOf("abc       "), Bytes(65, NoPlayer), Bytes(20, 200), Bytes(4, 100),
                       Bytes(126, 0), Bytes(74, 'z')});
    want[11 + 13] = 5, want[11 + 12 + 52] = 77, want[76 + 45] = 123; // cells (0, 1) and (12, 4)
    want[126 + 90] = 0x34, want[127 + 90] = 0x12;
    EXPECT_EQ(readBytes(file), want);
    EXPECT_TRUE(prompter.messages().empty() && !s.Teams[3].LinesSet);
    const FileDialogRequest& r = prompter.asked[1].request;
    EXPECT_TRUE(r.selectedFilter == 1 && r.initialName == (home / "Hawks.lns").string() &&
                r.filters == (decltype(r.filters){{"All Files", "*"}, {"Lines Files", "*.lns"}}));

    // The name offered is the trimmed team name as stored, kept a plain file name.
    s.Teams[3].Name.b = {'A', '/', 'B', '\xE9', '\0', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(save(std::nullopt), ExportOutcome::Cancelled);
    EXPECT_EQ(prompter.asked.back().request.initialName, (home / "A_B\xE9.lns").string());

    // A file that cannot be written is named in the message.
    const std::string nowhere = (home / "no-such-folder" / "x.lns").string();
    prompter = {};
    EXPECT_EQ(save(nowhere), ExportOutcome::Failed);
    EXPECT_THAT(prompter.take(), AllOf(StartsWith("! The lines could not be saved to " + nowhere + ".\r"),
                                       EndsWith(" [Save Lines, stop] ")));

    // The file saved under "abc" does not load for a team whose password is "ABC".
    s.Teams[3].Password.assign("ABC");
    EXPECT_EQ(load(file.string()), WrongPassword);
}

TEST_F(LinesFile, RefusedLoadsChangeNothingOthersReadAsFarAsTheFileGoes)
{
    // A file saved for another team under a password of ten NULs.
    Bytes whole(226);
    for (std::size_t i = 11; i < whole.size(); ++i) // team 0
        whole[i] = static_cast<std::uint8_t>(i * 7 % 251);
    writeBytes(file, whole);
    // Refused, changing nothing: a name that names no file, a folder, a cancel; then the file while
    // the team's password is ten spaces, or NULs but for a tenth byte.
    EXPECT_EQ(load((home / "missing.lns").string()), Failed);
    EXPECT_EQ(load(home.path().string()), Failed);
    EXPECT_EQ(load(""), Cancelled);
    EXPECT_EQ(prompter.take(), "! Errors in File [Invalid File] ! Errors in File [Invalid File] ");
    for (const char* password : {"          ", "\0\0\0\0\0\0\0\0\0x"}) {
        std::copy_n(password, 10, s.Teams[3].Password.b.begin());
        EXPECT_EQ(load(file.string()), WrongPassword) << password;
        EXPECT_EQ(prompter.take(), "! Password Incorrect [Import Lines, stop] ");
    }
    EXPECT_TRUE(work.LineSlots == filledTable(NoPlayer) && !work.LinesChanged && !s.Teams[3].LinesSet &&
                s.Players[0][0].Sts == 200 && !s.Players[0][0].Protected);

    // Under the team's password the file is read as far as it goes, cut, whole, or longer: missing
    // bytes read as zero (so a file shorter than 11 bytes matches too). Whatever the cells hold the
    // table is taken, every flag as it is (not normalised to -1), every status by its class (nobody
    // is hurt and waivers are off, so each takes the file's class and drops its injury code).
    s.Teams[3].Password.b.fill('\0');
    for (std::size_t size : {0, 1, 225, 226, 227, 4096}) {
        Bytes b = whole;
        b.resize(size, 0xEE);
        writeBytes(file, b);
        ASSERT_EQ(load(file.string()), Taken) << size;
        b.resize(226, 0);
        for (int x = 0; x < 65; ++x) // cell (x % 13, x / 13)
            EXPECT_EQ(work.LineSlots[x % 13][x / 13], b[11 + x]) << size;
        for (std::size_t i = 0; i < RosterSize; ++i) {
            const PlayerRec& p = s.Players[0][i];
            EXPECT_EQ(p.Sts, p.isEmpty() ? 0 : b[76 + i] / 100 * 100) << size << " " << i;
            EXPECT_EQ(static_cast<std::uint16_t>(p.Protected.raw), b[126 + 2 * i] | b[127 + 2 * i] << 8) << i;
        }
    }
    EXPECT_EQ(prompter.asked.at(0).request.initialName, "") << "no name proposed";
    EXPECT_TRUE(work.LinesChanged && s.Teams[3].LinesSet.raw == -1);
    EXPECT_EQ(s.Teams[3].LineSlots, filledTable(0)) << "the team's own table waits for the commit";
}

TEST_F(LinesFile, StatusesByTheirClassAndTheWaiverRule)
{
    // Roster slot 30 is now, and the file says, the statuses of a row. The file's class is taken
    // and its injury code dropped (here between the pro classes; the loads above cover the rest). A
    // hurt player keeps his status, and one the file dresses with exactly 200 makes the file
    // invalid: its statuses and flags still apply (the farm player in slot 25 is dressed whatever
    // the counts), its table does not. A healthy pro player whom the file sends to 0 goes through
    // the waiver rule (dressed and answered No: a scratch); one sent to 1..99 goes down with no
    // question.
    // Each row: now, in the file, after; waivers on, the answer, whether he is asked.
    // clang-format off
    const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, bool, bool, bool> rows[] = {
        {100, 255, 200, 0, 0, 0}, {200, 100, 100, 0, 0, 0}, {103, 200, 103, 0, 0, 0}, {103, 201, 103, 0, 0, 0},
        {203, 0, 203, 0, 0, 0},   {6, 100, 6, 0, 0, 0},     {200, 50, 0, 1, 0, 0},    {200, 0, 0, 1, 1, 1},
        {100, 0, 100, 1, 0, 1},   {200, 0, 100, 1, 0, 1}};
    // clang-format on
    // A file under the team's password that leaves everybody else where he is, and dresses and
    // protects slot 25.
    Bytes lns =
        join({Bytes{3}, bytesOf("secret    "), Bytes(65, 9), Bytes(20, 200), Bytes(4, 100), Bytes(126, 0)});
    lns[76 + 25] = 200, lns[126 + 50] = lns[127 + 50] = 0xFF;
    auto& p = s.Players[0];
    for (const auto& [now, inFile, after, waiversOn, answer, asked] : rows) {
        SCOPED_TRACE(std::to_string(now) + "/" + std::to_string(inFile));
        lns[76 + 30] = inFile, writeBytes(file, lns);
        work = LineWork(filledTable(NoPlayer));
        s.League.WaiversOn = waiversOn;
        p[30].Sts = now, p[25].Sts = 0, p[25].Protected = {};
        prompter.yesNo = {answer};
        const bool invalid = now == 103 && inFile == 200;
        EXPECT_EQ(load(file.string()), invalid ? Invalid : Taken);
        EXPECT_TRUE(p[30].Sts == after && p[25].Sts == 200 && p[25].Protected);
        EXPECT_EQ(work.LineSlots, filledTable(invalid ? NoPlayer : 9));
        EXPECT_EQ(prompter.take(),
                  (asked ? "? Put Skater 30 on waivers? [Keep changes?] " : "") +
                      std::string(invalid ? "! Hawks lines are not valid [Invalid Lines] " : ""));
    }
    EXPECT_EQ(readBytes(roster::RosterFiles::in(home.path()).waivers).size(), roster::WaiverRec::Size);
}

} // namespace
