// The lines file: its layout, what Save Lines writes and how Load Lines applies a file.
#include "coach/lines/lines_file.h"
#include "coach/roster/waivers.h"
#include "core/file_io.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace bb;
using namespace bb::lines;
using bb::io::Bytes;
using bb::test::readBytes;
using bb::test::writeBytes;
using enum ImportOutcome;

LineTable filledTable(std::uint8_t v)
{
    LineTable t;
    for (auto& line : t)
        line.fill(v);
    return t;
}

// The record's bytes placed by hand: team, password, cell (x, y) at 11 + x + 13y, statuses from
// 76, two-byte flags low byte first from 126.
Bytes handMade(std::uint8_t team, const std::string& password, const LineTable& t,
               const std::array<std::uint8_t, 50>& sts, const std::array<std::int16_t, 50>& flags)
{
    Bytes b(226);
    b[0] = team;
    std::copy_n(password.begin(), 10, b.begin() + 1);
    for (int x = 0; x < 13; ++x)
        for (int y = 0; y < 5; ++y)
            b[static_cast<std::size_t>(11 + x + 13 * y)] = t[x][y];
    for (std::size_t i = 0; i < 50; ++i) {
        b[76 + i] = sts[i];
        b[126 + 2 * i] = static_cast<std::uint8_t>(flags[i] & 0xFF);
        b[127 + 2 * i] = static_cast<std::uint8_t>((flags[i] >> 8) & 0xFF);
    }
    return b;
}

// Team 3, "Hawks", password "secret". Roster slots 0..19 dressed, 20..23 scratches, 24..39 on
// the farm, all healthy and old enough for waivers; 40..49 empty. Waivers are off unless a test
// turns them on.
struct LinesFile : ::testing::Test {
    test::TempDir home;
    Session s;
    test::ScriptedPrompter prompter;
    LineWork work{filledTable(NoPlayer)};
    fs::path file = home / "lines.lns";

    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 3;
        s.Teams[3].Name.assign("Hawks");
        s.Teams[3].Password.assign("secret");
        s.League.WaiverGP = 10;
        s.League.WaiverAge = 25;
        for (int i = 0; i < 40; ++i) {
            PlayerRec& p = s.Players[0][static_cast<std::size_t>(i)];
            p.Name.assign("Skater " + std::to_string(i));
            p.Sts = i < 20 ? 200 : i < 24 ? 100 : 0;
            p.GP = 10;
            p.Age = 26;
        }
    }

    // A file that leaves every player where he is, under the team's password.
    LinesFileRec sameRoster() const
    {
        LinesFileRec r;
        r.Password = s.Teams[3].Password;
        r.LineSlots = filledTable(9);
        for (std::size_t i = 0; i < RosterSize; ++i)
            r.Sts[i] = s.Players[0][i].Sts;
        return r;
    }
    ImportOutcome load(const std::string& name)
    {
        prompter.files = {name};
        return ImportLinesSub(s, prompter, work, 0);
    }
    ImportOutcome load(const LinesFileRec& r)
    {
        const auto b = r.encoded();
        writeBytes(file, Bytes(b.begin(), b.end()));
        return load(file.string());
    }
    ExportOutcome save(std::optional<std::string> name, std::string password = "secret")
    {
        prompter.texts = {password};
        prompter.files = {name};
        return ExportLinesSub(s, prompter, work, 0);
    }

    // What a load may change: each roster slot's status and flag, then the table and its flags.
    std::vector<int> state() const
    {
        std::vector<int> st;
        for (const PlayerRec& p : s.Players[0])
            st.insert(st.end(), {p.Sts, p.Protected.raw});
        for (const auto& line : work.LineSlots)
            st.insert(st.end(), line.begin(), line.end());
        st.insert(st.end(), {work.LinesChanged, s.Teams[3].LinesSet.raw});
        return st;
    }
};

TEST_F(LinesFile, SaveWritesTheWorkingCopyAndTheRosterOverTheFilesStart)
{
    // Uncommitted cells, spare values and empty slots' bytes go as they stand, under the password
    // typed (as UTF-8) in the code page, cut to ten and padded with spaces; Cancel in the password
    // box gives an empty one. A longer file keeps its tail; a cancel in the file dialog writes
    // nothing; saving is no commit.
    work.LineSlots[0][0] = 5;
    work.LineSlots[12][4] = 77;
    s.Players[0][45].Sts = 123;
    s.Players[0][45].Protected.raw = 1;
    s.Players[0][2].Protected.set(true);
    writeBytes(file, Bytes(300, 'z'));
    EXPECT_EQ(save(std::nullopt), ExportOutcome::Cancelled);
    EXPECT_EQ(save(""), ExportOutcome::Cancelled);
    EXPECT_EQ(readBytes(file), Bytes(300, 'z'));

    std::array<std::uint8_t, 50> sts;
    std::array<std::int16_t, 50> flags;
    for (std::size_t i = 0; i < 50; ++i) {
        sts[i] = s.Players[0][i].Sts;
        flags[i] = s.Players[0][i].Protected.raw;
    }
    const auto before = state();
    const std::pair<std::string, std::string> passwords[] = {
        {"secret", "secret    "},
        {"", "          "},
        {"twelve chars", "twelve cha"},
        {"Caf\u00E9 \u20AC \u03A9", "Caf\xE9 \x80 ?  "},
        {std::string(11, 'e') + "\u00E9", "eeeeeeeeee"},
    };
    for (const auto& [typed, stored] : passwords) {
        ASSERT_EQ(save(file.string(), typed), ExportOutcome::Saved);
        Bytes want = handMade(3, stored, work.LineSlots, sts, flags);
        want.resize(300, 'z');
        EXPECT_EQ(readBytes(file), want) << stored;
    }
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(prompter.asked[0].text + "|" + prompter.asked[0].title, "Password?|Save Lines");
    const FileDialogRequest& r = prompter.asked[1].request;
    EXPECT_TRUE(r.title == "Save Lines" && r.selectedFilter == 1 &&
                r.filters == (decltype(r.filters){{"All Files", "*"}, {"Lines Files", "*.lns"}}));
    EXPECT_EQ(r.initialName, (home / "Hawks.lns").string());

    // The name offered is the trimmed team name as stored, kept a plain file name.
    s.Teams[3].Name.b = {'A', '/', 'B', '\xE9', '\0', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(save(std::nullopt), ExportOutcome::Cancelled);
    EXPECT_EQ(prompter.asked.back().request.initialName, (home / "A_B\xE9.lns").string());
}

TEST_F(LinesFile, ASaveThatFailsSaysSoAndLosesNothing)
{
    // A disk that fills up, a missing folder, a folder in the file's place, a link: each is told
    // by name, and the file there before is as it was.
    writeBytes(file, Bytes(300, 'z'));
    fs::create_symlink(file, home / "link.lns");
    const fs::path fresh = home / "new.lns";
    for (const fs::path& target :
         {fresh, home / "no-such-folder" / "x.lns", home.path(), home / "link.lns"}) {
        io::testing::ScopedFaults faults({target == fresh ? 100 : -1, -1});
        EXPECT_EQ(save(target.string()), ExportOutcome::Failed) << target;
        const std::string said = prompter.take();
        EXPECT_TRUE(said.starts_with("! The lines could not be saved to " + target.string() + ".\r") &&
                    said.ends_with(" [Save Lines, stop] "))
            << said;
    }
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(readBytes(file), Bytes(300, 'z'));
}

TEST_F(LinesFile, ThePasswordMustMatchExactly)
{
    // The team's password padded with NULs is not what a typed "abc" becomes; case counts, and so
    // does the tenth byte.
    s.Teams[3].Password.b = {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(save(file.string(), "abc"), ExportOutcome::Saved);
    for (auto& p : s.Players[0])
        p.Sts = 0; // the file would dress twenty of them
    const auto before = state();
    prompter = {};
    for (const std::string stored : {"", "ABC", "abc      x"}) {
        if (!stored.empty())
            s.Teams[3].Password.assign(stored);
        EXPECT_EQ(load(file.string()), WrongPassword) << stored;
        EXPECT_EQ(prompter.take(), "! Password Incorrect [Import Lines, stop] ");
    }
    EXPECT_EQ(state(), before);
    s.Teams[3].Password.assign("abc");
    EXPECT_EQ(load(file.string()), Taken);
}

TEST_F(LinesFile, LoadReadsTheFileAsFarAsItGoes)
{
    // A file placed by hand, saved for another team, under a team password of ten NULs so that a
    // file shorter than 11 bytes matches too; cut, whole, or longer. Missing bytes read as zero.
    // Whatever the cells hold the table is taken, every flag as it is (2 stays 2, not a normalised
    // -1), every status by its class (every player is healthy on the farm, so each takes the
    // file's class and drops its injury code).
    s.Teams[3].Password.b.fill('\0');
    LineTable t;
    std::array<std::uint8_t, 50> sts;
    std::array<std::int16_t, 50> flags;
    for (int x = 0; x < 13; ++x)
        for (int y = 0; y < 5; ++y)
            t[x][y] = static_cast<std::uint8_t>(x * 10 + y);
    for (std::size_t i = 0; i < 50; ++i) {
        sts[i] = static_cast<std::uint8_t>(99 + 3 * i);
        flags[i] = static_cast<std::int16_t>(i % 2 ? -256 + i : i);
    }
    const Bytes whole = handMade(40, std::string(10, '\0'), t, sts, flags);
    for (std::size_t size : {0, 1, 225, 226, 227, 4096}) {
        for (auto& p : s.Players[0])
            p.Sts = 0;
        Bytes b(size, 0xEE);
        std::copy_n(whole.begin(), std::min(size, whole.size()), b.begin());
        writeBytes(file, b);
        ASSERT_EQ(load(file.string()), Taken) << size;
        b.resize(226, 0);
        const LinesFileRec want = LinesFileRec::decode(std::span<const std::uint8_t, 226>(b.data(), 226));
        if (size >= 226) {
            EXPECT_TRUE(want.LineSlots == t && want.Sts == sts && want.Protected[1].raw == -255);
        }
        EXPECT_EQ(work.LineSlots, want.LineSlots) << size;
        for (std::size_t i = 0; i < RosterSize; ++i) {
            EXPECT_EQ(s.Players[0][i].Sts, s.Players[0][i].isEmpty() ? 0 : want.Sts[i] / 100 * 100) << size;
            EXPECT_EQ(s.Players[0][i].Protected, want.Protected[i]) << size << " " << i;
        }
    }
    const FileDialogRequest& d = prompter.asked.at(0).request;
    EXPECT_TRUE(d.title == "Import Text Lines" && d.filters.size() == 2 && d.selectedFilter == 1);
    EXPECT_EQ(d.initialName, "") << "no name proposed";
    EXPECT_TRUE(work.LinesChanged && s.Teams[3].LinesSet.raw == -1);
    EXPECT_EQ(s.Teams[3].LineSlots, filledTable(0)) << "the team's own table waits for the commit";
}

TEST_F(LinesFile, StatusesByTheirClassAndTheWaiverRule)
{
    // Roster slot 30 is now, and the file says, the statuses of a row. The file's class is taken
    // and its injury code dropped. A hurt player keeps his status, and one the file dresses with
    // exactly 200 makes the file invalid: its statuses and flags still apply (the farm player in
    // slot 25 is dressed whatever the counts), its table does not. A healthy pro player whom the
    // file sends to 0 goes through the waiver rule (dressed and answered No: a scratch); one sent to
    // 1..99 goes down with no question.
    struct Row {
        std::uint8_t now, inFile, after;
        bool waiversOn = false, answer = false, asked = false;
        std::uint8_t gp = 10;
    };
    // clang-format off
    const Row rows[] = {
        {0, 200, 200},   {0, 99, 0},      {0, 150, 100},   {100, 255, 200}, {200, 1, 0},    {200, 99, 0},
        {200, 100, 100}, {200, 0, 0},     {103, 200, 103}, {103, 201, 103}, {203, 0, 203},  {6, 100, 6},
        {200, 50, 0, true},               {200, 0, 0, true, false, false, 0},
        {100, 0, 100, true, false, true}, {200, 0, 100, true, false, true}, {200, 0, 0, true, true, true}};
    // clang-format on
    for (const Row& c : rows) {
        const std::string row = std::to_string(c.now) + "/" + std::to_string(c.inFile);
        work = LineWork(filledTable(NoPlayer));
        s.League.WaiversOn = c.waiversOn;
        s.Players[0][30].Sts = c.now;
        s.Players[0][30].GP = c.gp;
        s.Players[0][25].Sts = 0;
        s.Players[0][25].Protected = {};
        LinesFileRec r = sameRoster();
        r.Sts[30] = c.inFile;
        r.Sts[25] = 200;
        r.Protected[25].set(true);
        prompter.yesNo = {c.answer};
        const bool invalid = c.now == 103 && c.inFile == 200;
        EXPECT_EQ(load(r), invalid ? Invalid : Taken) << row;
        EXPECT_EQ(s.Players[0][30].Sts, c.after) << row;
        EXPECT_TRUE(s.Players[0][25].Sts == 200 && s.Players[0][25].Protected) << row;
        EXPECT_EQ(work.LineSlots, filledTable(invalid ? NoPlayer : 9)) << row;
        EXPECT_EQ(prompter.take(),
                  (c.asked ? "? Put Skater 30 on waivers? [Keep changes?] " : "") +
                      std::string(invalid ? "! Hawks lines are not valid [Invalid Lines] " : ""))
            << row;
    }
    EXPECT_EQ(readBytes(roster::RosterFiles::in(home.path()).waivers).size(), roster::WaiverRec::Size);
}

TEST_F(LinesFile, ErrorsInFile)
{
    // A name that names no file, a folder, a cancel: nothing changes; only the first two say so.
    const auto before = state();
    const std::string errors = "! Errors in File [Invalid File] ";
    EXPECT_EQ(load((home / "missing.lns").string()), Failed);
    EXPECT_EQ(load(home.path().string()), Failed);
    EXPECT_EQ(load(""), Cancelled);
    EXPECT_EQ(prompter.take(), errors + errors);
    EXPECT_EQ(state(), before);
}

} // namespace
