// The lines file: its layout, what Save Lines writes and how Load Lines applies a file.
#include "file_bytes.h"
#include "coach/lines/lines_file.h"
#include "coach/roster/waivers.h"
#include "core/file_io.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using bb::test::readBytes;
using bb::test::writeBytes;

namespace fs = std::filesystem;
using namespace bb;
using namespace bb::lines;
using bb::io::Bytes;
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

TEST(LinesFileRec, FieldsAtTheirOffsets)
{
    LineTable t;
    std::array<std::uint8_t, 50> sts;
    std::array<std::int16_t, 50> flags;
    for (int x = 0; x < 13; ++x)
        for (int y = 0; y < 5; ++y)
            t[x][y] = static_cast<std::uint8_t>(x * 10 + y);
    for (int i = 0; i < 50; ++i) {
        sts[i] = static_cast<std::uint8_t>(200 + i);
        flags[i] = static_cast<std::int16_t>(i % 2 ? -256 + i : i); // 2 stays 2, not a normalised -1
    }
    const Bytes b = handMade(7, std::string("Pa ss\0\xE9wxy", 10), t, sts, flags);
    const auto r = LinesFileRec::decode(std::span<const std::uint8_t, 226>(b.data(), b.size()));
    EXPECT_EQ(r.Team, 7);
    EXPECT_EQ(r.Password.str(), std::string("Pa ss\0\xE9wxy", 10));
    EXPECT_EQ(r.LineSlots, t);
    EXPECT_EQ(r.Sts, sts);
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_EQ(r.Protected[i].raw, flags[i]) << i;
    const auto again = r.encoded();
    EXPECT_EQ(Bytes(again.begin(), again.end()), b);
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

    // Every question ("?") and message ("!") since the last look, with its title and icon.
    std::string said()
    {
        std::string out;
        for (const test::Asked& a : prompter.asked)
            if (a.kind == a.Message || a.kind == a.YesNo)
                out += (a.kind == a.YesNo ? "? " : "! ") + a.text + " [" + a.title +
                       std::array{"] ", ", stop] ", ", info] "}[int(a.icon)];
        prompter.asked.clear();
        return out;
    }

    // What a load may change.
    struct State {
        std::array<std::uint8_t, RosterSize> sts;
        std::array<Bool16, RosterSize> prot;
        LineTable table;
        bool changed;
        Bool16 linesSet;
        bool operator==(const State&) const = default;
    };
    State state() const
    {
        State st{{}, {}, work.LineSlots, work.LinesChanged, s.Teams[3].LinesSet};
        for (std::size_t i = 0; i < RosterSize; ++i) {
            st.sts[i] = s.Players[0][i].Sts;
            st.prot[i] = s.Players[0][i].Protected;
        }
        return st;
    }
};

TEST_F(LinesFile, SaveWritesTheWorkingCopyAndTheRosterOverTheFilesStart)
{
    // Uncommitted cells, spare values and empty slots' bytes go as they stand; a longer file keeps
    // its tail, and a cancel in the file dialog writes nothing.
    work.LineSlots[0][0] = 5;
    work.LineSlots[12][4] = 77;
    s.Players[0][45].Sts = 123;
    s.Players[0][45].Protected.raw = 1;
    s.Players[0][2].Protected.set(true);
    writeBytes(file, Bytes(300, 'z'));
    EXPECT_EQ(save(std::nullopt), ExportOutcome::Cancelled);
    EXPECT_EQ(save(""), ExportOutcome::Cancelled);
    EXPECT_EQ(readBytes(file), Bytes(300, 'z'));
    const auto before = state();
    ASSERT_EQ(save(file.string()), ExportOutcome::Saved);
    EXPECT_EQ(state(), before) << "saving is no commit";
    EXPECT_EQ(said(), "");

    std::array<std::uint8_t, 50> sts;
    std::array<std::int16_t, 50> flags;
    for (std::size_t i = 0; i < 50; ++i) {
        sts[i] = s.Players[0][i].Sts;
        flags[i] = s.Players[0][i].Protected.raw;
    }
    Bytes want = handMade(3, "secret    ", work.LineSlots, sts, flags);
    want.resize(300, 'z');
    EXPECT_EQ(readBytes(file), want);
}

TEST_F(LinesFile, SaveAsksForAPasswordAndAFileName)
{
    struct Case {
        std::optional<std::string> typed; // nothing: Cancel in the box
        std::string stored;
    };
    const Case cases[] = {
        {"", "          "},
        {std::nullopt, "          "},
        {"twelve chars", "twelve cha"},
        {"Caf\u00E9 \u20AC \u03A9", "Caf\xE9 \x80 ?  "}, // typed as UTF-8, stored in the code page
        {std::string(11, 'e') + "\u00E9", "eeeeeeeeee"},
    };
    for (const Case& c : cases) {
        prompter = {};
        if (c.typed)
            prompter.texts = {*c.typed};
        prompter.files = {file.string()};
        ASSERT_EQ(ExportLinesSub(s, prompter, work, 0), ExportOutcome::Saved);
        const Bytes b = readBytes(file);
        EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 11), c.stored) << c.stored;
    }
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].kind, test::Asked::Text);
    EXPECT_EQ(prompter.asked[0].text + "|" + prompter.asked[0].title, "Password?|Save Lines");
    const FileDialogRequest& r = prompter.asked[1].request;
    EXPECT_EQ(prompter.asked[1].kind, test::Asked::SaveFile);
    EXPECT_EQ(r.title, "Save Lines");
    EXPECT_EQ(r.filters, (std::vector<std::pair<std::string, std::string>>{{"All Files", "*"},
                                                                           {"Lines Files", "*.lns"}}));
    EXPECT_EQ(r.selectedFilter, 1);
    EXPECT_EQ(r.initialName, (home / "Hawks.lns").string());

    // The name offered is the trimmed team name as stored, kept a plain file name.
    s.Teams[3].Name.b = {'A', '/', 'B', '\xE9', '\0', 'x', 'x', 'x', 'x', 'x'};
    prompter = {};
    EXPECT_EQ(ExportLinesSub(s, prompter, work, 0), ExportOutcome::Cancelled);
    EXPECT_EQ(prompter.asked.at(1).request.initialName, (home / "A_B\xE9.lns").string());
}

TEST_F(LinesFile, ASaveThatFailsSaysSoAndLosesNothing)
{
    const Bytes old(300, 'z');
    writeBytes(file, old);
    const fs::path fresh = home / "new.lns";
    const auto failsNamed = [this](const fs::path& target) {
        prompter = {};
        EXPECT_EQ(save(target.string()), ExportOutcome::Failed) << target;
        const test::Asked& a = prompter.asked.back();
        EXPECT_TRUE(a.kind == a.Message && a.icon == MsgIcon::Stop && a.title == "Save Lines");
        EXPECT_EQ(a.text.rfind("The lines could not be saved to " + target.string() + ".\r", 0), 0u)
            << a.text;
    };
    for (long long n = 0; n < 226; n += 15) {
        io::testing::ScopedFaults faults({n, -1});
        failsNamed(file);
        failsNamed(fresh);
        EXPECT_EQ(readBytes(file), old) << n;
        EXPECT_FALSE(fs::exists(fresh)) << n;
    }
    // A missing folder, a folder in the file's place, a link: each refused by name.
    fs::create_symlink(file, home / "link.lns");
    for (const fs::path& target : {home / "no-such-folder" / "x.lns", home.path(), home / "link.lns"})
        failsNamed(target);
    EXPECT_EQ(readBytes(file), old);
}

TEST_F(LinesFile, LoadTakesAFileWithTheTeamsPassword)
{
    LinesFileRec r = sameRoster();
    r.Team = 40; // saved for another team: never compared
    r.LineSlots[2][1] = 60;
    r.Protected[45].raw = 1; // empty slots' flags are taken as they are
    r.Protected[3].set(true);
    s.Players[0][4].Protected.set(true);
    ASSERT_EQ(load(r), Taken);
    ASSERT_EQ(prompter.asked.size(), 1u);
    const FileDialogRequest& d = prompter.asked[0].request;
    EXPECT_EQ(prompter.asked[0].kind, test::Asked::OpenFile);
    EXPECT_TRUE(d.title == "Import Text Lines" && d.filters.size() == 2 && d.selectedFilter == 1);
    EXPECT_EQ(d.initialName, "") << "no name proposed";
    EXPECT_TRUE(work.LineSlots == r.LineSlots && work.LinesChanged && s.Teams[3].LinesSet.raw == -1);
    EXPECT_TRUE(s.Players[0][45].Protected.raw == 1 && s.Players[0][3].Protected &&
                !s.Players[0][4].Protected);
    EXPECT_EQ(s.Teams[3].LineSlots, filledTable(0)) << "the team's own table waits for the commit";
}

TEST_F(LinesFile, ThePasswordMustMatchExactly)
{
    // The team's password padded with NULs is not what a typed "abc" becomes; case counts.
    s.Teams[3].Password.b = {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(save(file.string(), "abc"), ExportOutcome::Saved);
    for (auto& p : s.Players[0])
        p.Sts = 0; // the file would dress twenty of them
    const auto before = state();
    prompter = {};
    EXPECT_EQ(load(file.string()), WrongPassword);
    s.Teams[3].Password.assign("ABC");
    EXPECT_EQ(load(file.string()), WrongPassword);
    EXPECT_EQ(said(), "! Password Incorrect [Import Lines, stop] ! Password Incorrect [Import Lines, stop] ");
    EXPECT_EQ(state(), before);
    s.Teams[3].Password.assign("abc");
    EXPECT_EQ(load(file.string()), Taken);
}

TEST_F(LinesFile, ShortAndLongFilesReadAsFarAsTheyGo)
{
    // Every player healthy on the farm, so each takes the file's class. A team password of ten
    // NULs matches the missing bytes of a file shorter than 11.
    s.Teams[3].Password.b.fill('\0');
    LinesFileRec full;
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < LineWidth; ++y)
            full.LineSlots[x][y] = static_cast<std::uint8_t>(x + y);
    full.Sts.fill(255);
    for (std::size_t i = 0; i < RosterSize; ++i)
        full.Protected[i].raw = static_cast<std::int16_t>(0x0101 * (i + 1));
    const auto fullBytes = full.encoded();

    for (std::size_t size : {0, 1, 225, 226, 227, 4096}) {
        for (auto& p : s.Players[0])
            p.Sts = 0;
        Bytes b(size, 0xEE);
        std::copy_n(fullBytes.begin(), std::min(size, fullBytes.size()), b.begin());
        writeBytes(file, b);
        EXPECT_EQ(load(file.string()), Taken) << size;
        std::array<std::uint8_t, LinesFileRec::Size> seen{};
        std::copy_n(b.begin(), std::min(size, seen.size()), seen.begin());
        const LinesFileRec want = LinesFileRec::decode(seen);
        EXPECT_EQ(work.LineSlots, want.LineSlots) << size;
        for (std::size_t i = 0; i < RosterSize; ++i) {
            EXPECT_EQ(s.Players[0][i].Sts, s.Players[0][i].isEmpty() ? 0 : want.Sts[i] / 100 * 100) << size;
            EXPECT_EQ(s.Players[0][i].Protected, want.Protected[i]) << size << " " << i;
        }
    }
    // The empty file: every status 0 (healthy pro players go down, waivers being off), every cell
    // roster slot 0.
    for (auto& p : s.Players[0])
        p.Sts = p.isEmpty() ? 0 : 200;
    s.Players[0][7].Sts = 203;
    writeBytes(home / "empty", {});
    EXPECT_EQ(load((home / "empty").string()), Taken);
    EXPECT_EQ(work.LineSlots, filledTable(0));
    for (std::size_t i = 0; i < 40; ++i)
        EXPECT_EQ(s.Players[0][i].Sts, i == 7 ? 203 : 0) << i;
}

TEST_F(LinesFile, StatusesByTheirClass)
{
    // The file's class is taken and its injury code dropped; a hurt player keeps his status, and
    // one the file dresses with exactly 200 makes the file invalid. A healthy farm player is
    // dressed whatever the counts; a file status of 1..99 sends a pro player down with no question.
    struct Row {
        std::uint8_t now, inFile, after;
    };
    const Row rows[] = {{0, 200, 200},   {0, 99, 0},    {0, 150, 100},   {100, 255, 200},
                        {200, 1, 0},     {200, 99, 0},  {200, 100, 100}, {103, 200, 103},
                        {103, 201, 103}, {203, 0, 203}, {6, 100, 6}};
    for (const Row& c : rows) {
        work = LineWork(filledTable(NoPlayer));
        LinesFileRec r = sameRoster();
        s.Players[0][30].Sts = c.now;
        r.Sts[30] = c.inFile;
        const bool invalid = c.now == 103 && c.inFile == 200;
        EXPECT_EQ(load(r), invalid ? Invalid : Taken) << int(c.now) << "/" << int(c.inFile);
        EXPECT_EQ(s.Players[0][30].Sts, c.after) << int(c.now) << "/" << int(c.inFile);
        EXPECT_EQ(said(), invalid ? "! Hawks lines are not valid [Invalid Lines] " : "");
    }
}

TEST_F(LinesFile, APlayerSentDownGoesThroughWaivers)
{
    s.League.WaiversOn = 1;
    LinesFileRec r = sameRoster();
    r.Sts[5] = 0;  // dressed, Yes: to the farm, on waivers
    r.Sts[21] = 0; // scratched, No: stays a scratch
    r.Sts[6] = 50; // 1..99: straight to the farm, no question
    prompter.yesNo = {true, false};
    ASSERT_EQ(load(r), Taken);
    EXPECT_EQ(said(),
              "? Put Skater 5 on waivers? [Keep changes?] ? Put Skater 21 on waivers? [Keep changes?] ");
    EXPECT_TRUE(s.Players[0][5].Sts == 0 && s.Players[0][21].Sts == 100 && s.Players[0][6].Sts == 0);
    EXPECT_EQ(readBytes(roster::RosterFiles::in(home.path()).waivers).size(), roster::WaiverRec::Size);

    // No waivers needed: the farm at once. A dressed player answered No becomes a scratch.
    s.Players[0][5].Sts = 200;
    s.Players[0][5].GP = 0;
    r.Sts[8] = 0;
    r.Sts[21] = 100;
    EXPECT_EQ(load(r), Taken);
    EXPECT_EQ(said(), "? Put Skater 8 on waivers? [Keep changes?] ");
    EXPECT_TRUE(s.Players[0][5].Sts == 0 && s.Players[0][8].Sts == 100);
}

TEST_F(LinesFile, AnInvalidFileStillAppliesStatusesAndFlags)
{
    s.League.WaiversOn = 1;
    s.Players[0][2].Sts = 102;
    LinesFileRec r = sameRoster();
    r.Sts[2] = 200; // an injured player dressed: the file is invalid, the loop goes on
    r.Sts[25] = 200;
    r.Sts[10] = 0;
    for (auto& f : r.Protected)
        f.set(true);
    prompter.yesNo = {true};
    EXPECT_EQ(load(r), Invalid);
    EXPECT_EQ(said(),
              "? Put Skater 10 on waivers? [Keep changes?] ! Hawks lines are not valid [Invalid Lines] ");
    EXPECT_TRUE(s.Players[0][2].Sts == 102 && s.Players[0][25].Sts == 200 && s.Players[0][10].Sts == 0);
    for (const auto& p : s.Players[0])
        EXPECT_TRUE(p.Protected);
    EXPECT_TRUE(work.LineSlots == filledTable(NoPlayer) && !work.LinesChanged && !s.Teams[3].LinesSet);
}

TEST_F(LinesFile, ErrorsInFile)
{
    // A name that names no file, a folder, a cancel: nothing changes; only the first two say so.
    const auto before = state();
    const std::string errors = "! Errors in File [Invalid File] ";
    EXPECT_EQ(load((home / "missing.lns").string()), Failed);
    EXPECT_EQ(load(home.path().string()), Failed);
    EXPECT_EQ(load(""), Cancelled);
    EXPECT_EQ(said(), errors + errors);
    EXPECT_EQ(state(), before);

    // A waiver file that cannot be used ends the load there: what came before stays, the player in
    // question keeps his status, and neither flags nor table are taken.
    s.League.WaiversOn = 1;
    fs::create_directory(roster::RosterFiles::in(home.path()).waivers);
    LinesFileRec r = sameRoster();
    r.Sts[1] = 100;
    r.Sts[3] = 0;
    r.Protected[0].set(true);
    prompter.yesNo = {true};
    EXPECT_EQ(load(r), Failed);
    EXPECT_EQ(said(), errors);
    auto after = before;
    after.sts[1] = 100;
    EXPECT_EQ(state(), after);
}

} // namespace
