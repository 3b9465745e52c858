// League loading, the working files and the defaults file, on leagues written by the generator.
#include "core/league_io.h"
#include "demo_league.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const fs::path& p)
{
    if (!fs::is_regular_file(p))
        return {};
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const Bytes& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string readText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t size)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + size));
}

template <typename R> Bytes bytesOf(const R& r)
{
    const auto a = r.encoded();
    return Bytes(a.begin(), a.end());
}

// Offsets at which two equally long files differ.
std::vector<std::size_t> differences(const Bytes& a, const Bytes& b)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            out.push_back(i);
    return out;
}

class LeagueIo : public ::testing::Test {
  protected:
    void SetUp() override
    {
        fs::create_directories(home());
        s.init(home());
    }

    fs::path home() const { return dir / "home"; }

    // Writes a league and returns its path without extension.
    std::string makeLeague(const std::string& folder, int teams, std::uint32_t seed = 1)
    {
        bb::demo::Options o;
        o.name = "lg";
        o.teams = teams;
        o.seed = seed;
        EXPECT_TRUE(bb::demo::writeDemoLeague(dir / folder, o).ok());
        return (dir / folder / "lg").string();
    }

    bb::test::TempDir dir;
    bb::Session s;
};

TEST_F(LeagueIo, LoadReadsHeaderAndTeamsUpToMaxTeamOnly)
{
    const std::string lg = makeLeague("a", 6);
    // The header names 4 teams although the team file holds 6.
    Bytes lge = readFile(lg + ".lge");
    lge[25] = 3;
    writeFile(lg + ".lge", lge);
    for (auto& t : s.Teams)
        t.Name.assign("Untouched");

    ASSERT_TRUE(bb::LoadLg(s, lg).ok());

    EXPECT_EQ(bytesOf(s.League), lge);
    const Bytes tms = readFile(lg + ".tms");
    for (std::size_t t = 0; t < 4; ++t)
        EXPECT_EQ(bytesOf(s.Teams[t]), slice(tms, t * 254, 254)) << "team " << t;
    for (std::size_t t = 4; t < 50; ++t)
        EXPECT_EQ(s.Teams[t].Name.str(), "Untouched ") << "team " << t;
    EXPECT_EQ(s.LgPath, lg);
    EXPECT_TRUE(s.LeagueLoaded);
}

TEST_F(LeagueIo, LoadCopiesTheLeagueFilesAndRemembersThePath)
{
    // A comma in the path must survive the defaults file whole.
    const std::string lg = makeLeague("with, comma", 5);
    writeFile(bb::defaultsFilePath(home()), Bytes(300, 'x')); // a longer earlier content

    ASSERT_TRUE(bb::LoadLg(s, lg).ok());

    EXPECT_EQ(readFile(s.SwapTms), readFile(lg + ".tms"));
    EXPECT_EQ(readFile(s.SwapRos), readFile(lg + ".ros"));
    EXPECT_EQ(readFile(s.SwapLge), readFile(lg + ".lge"));
    EXPECT_EQ(readText(bb::defaultsFilePath(home())), lg + "\r\n");
    EXPECT_EQ(bb::readDefaultsFile(home()), lg);
    // Nothing but the working files and the defaults file is left in the home folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(home()), fs::directory_iterator()), 4);
}

TEST_F(LeagueIo, DefaultsFileReadsTheWholeFirstLine)
{
    EXPECT_EQ(bb::readDefaultsFile(home()), std::nullopt);
    writeFile(bb::defaultsFilePath(home()), Bytes{});
    EXPECT_EQ(bb::readDefaultsFile(home()), std::nullopt);

    const std::string path = "C:\\Leagues\\Big, Old League\\nhl 98";
    ASSERT_TRUE(bb::writeDefaultsFile(home(), path).ok());
    EXPECT_EQ(readText(bb::defaultsFilePath(home())), path + "\r\n");
    EXPECT_EQ(bb::readDefaultsFile(home()), path);

    // A file written by hand with a bare line feed and a second line.
    const std::string text = "/srv/league, two\nsecond line\r\n";
    writeFile(bb::defaultsFilePath(home()), Bytes(text.begin(), text.end()));
    EXPECT_EQ(bb::readDefaultsFile(home()), "/srv/league, two");
}

TEST_F(LeagueIo, SecondLoadDiscardsCommits)
{
    const std::string lg = makeLeague("a", 4);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    s.Players[0][0].Sts = 0;
    s.Players[0][0].Name.assign("Committed");
    s.Teams[2].LinesSet.set(true);
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());
    ASSERT_NE(readFile(s.SwapRos), readFile(lg + ".ros"));
    ASSERT_NE(readFile(s.SwapTms), readFile(lg + ".tms"));

    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    EXPECT_EQ(readFile(s.SwapRos), readFile(lg + ".ros"));
    EXPECT_EQ(readFile(s.SwapTms), readFile(lg + ".tms"));
    EXPECT_FALSE(static_cast<bool>(s.Teams[2].LinesSet));
}

// Everything a failed load must leave as it was.
struct Snapshot {
    Bytes league;
    std::vector<Bytes> teams;
    std::string lgPath;
    std::uint8_t curTeam = 0;
    bool loaded = false;
    Bytes swapTms, swapRos, swapLge, defaults;
    std::vector<fs::path> homeFiles;

    static Snapshot of(const bb::Session& s)
    {
        Snapshot n;
        n.league = bytesOf(s.League);
        for (const auto& t : s.Teams)
            n.teams.push_back(bytesOf(t));
        n.lgPath = s.LgPath;
        n.curTeam = s.CurTeam;
        n.loaded = s.LeagueLoaded;
        n.swapTms = readFile(s.SwapTms);
        n.swapRos = readFile(s.SwapRos);
        n.swapLge = readFile(s.SwapLge);
        n.defaults = readFile(bb::defaultsFilePath(s.HomeDir));
        for (const auto& e : fs::directory_iterator(s.HomeDir))
            n.homeFiles.push_back(e.path());
        std::sort(n.homeFiles.begin(), n.homeFiles.end());
        return n;
    }
    bool operator==(const Snapshot&) const = default;
};

TEST_F(LeagueIo, FailedLoadChangesNothing)
{
    const std::string good = makeLeague("good", 6, 1);
    ASSERT_TRUE(bb::LoadLg(s, good).ok());
    s.CurTeam = 5;
    ASSERT_TRUE(bb::LoadTeam(s, 5, 0).ok());
    s.Players[0][3].Sts = 7;
    ASSERT_TRUE(bb::SaveTeam(s, 5, 0).ok()); // a commit the failed loads must keep
    const Snapshot before = Snapshot::of(s);

    struct Case {
        const char* what;
        void (*spoil)(const std::string& lg);
    };
    const Case cases[] = {
        {"missing roster file", [](const std::string& lg) { fs::remove(lg + ".ros"); }},
        {"missing header file", [](const std::string& lg) { fs::remove(lg + ".lge"); }},
        {"header file is a folder",
         [](const std::string& lg) {
             fs::remove(lg + ".lge");
             fs::create_directory(lg + ".lge");
         }},
        {"MaxTeam 50",
         [](const std::string& lg) {
             Bytes lge = readFile(lg + ".lge");
             lge[25] = 50;
             writeFile(lg + ".lge", lge);
         }},
        {"MaxTeam 255",
         [](const std::string& lg) {
             Bytes lge = readFile(lg + ".lge");
             lge[25] = 255;
             writeFile(lg + ".lge", lge);
         }},
        {"team file one byte short",
         [](const std::string& lg) {
             Bytes tms = readFile(lg + ".tms");
             tms.pop_back();
             writeFile(lg + ".tms", tms);
         }},
        {"team file empty", [](const std::string& lg) { writeFile(lg + ".tms", {}); }},
        {"header one byte short",
         [](const std::string& lg) {
             Bytes lge = readFile(lg + ".lge");
             lge.pop_back();
             writeFile(lg + ".lge", lge);
         }},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string bad = makeLeague("bad" + std::to_string(n++), 3, 2);
        c.spoil(bad);
        EXPECT_FALSE(bb::LoadLg(s, bad).ok()) << c.what;
        EXPECT_TRUE(Snapshot::of(s) == before) << c.what;
    }
}

TEST_F(LeagueIo, FailedLoadWhenAWorkingFileCannotBeReplaced)
{
    const std::string first = makeLeague("first", 4, 1);
    const std::string second = makeLeague("second", 5, 2);
    ASSERT_TRUE(bb::LoadLg(s, first).ok());
    // A folder where the roster working file should be: even root cannot write over it.
    fs::remove(s.SwapRos);
    fs::create_directory(s.SwapRos);
    const Snapshot before = Snapshot::of(s);

    EXPECT_FALSE(bb::LoadLg(s, second).ok());
    EXPECT_TRUE(Snapshot::of(s) == before); // no half-written copies left behind either
    EXPECT_EQ(s.LgPath, first);
    EXPECT_EQ(s.League.MaxTeam, 3);
}

TEST_F(LeagueIo, FailedFirstLoadLeavesNoLeague)
{
    EXPECT_FALSE(bb::LoadLg(s, (dir / "nowhere" / "lg").string()).ok());
    EXPECT_FALSE(s.LeagueLoaded);
    EXPECT_FALSE(bb::FileExists(s.SwapTms));
    EXPECT_FALSE(bb::FileExists(bb::defaultsFilePath(home())));
}

TEST_F(LeagueIo, FileExistsCountsOrdinaryFilesOnly)
{
    writeFile(dir / "f.lge", Bytes{1});
    fs::create_directory(dir / "d.lge");
    EXPECT_TRUE(bb::FileExists(dir / "f.lge"));
    EXPECT_FALSE(bb::FileExists(dir / "d.lge"));
    EXPECT_FALSE(bb::FileExists(dir / "none.lge"));
    EXPECT_FALSE(bb::FileExists(""));
}

// ---- LoadTeam / SaveTeam ----

class TeamIo : public LeagueIo {
  protected:
    void SetUp() override
    {
        LeagueIo::SetUp();
        lg = makeLeague("a", 10);
        ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    }
    std::string lg;
};

TEST_F(TeamIo, LoadTeamReadsItsFiftyRecords)
{
    // Every record of the working file names its own record number.
    Bytes ros(500 * 86, 0);
    for (std::size_t rec = 1; rec <= 500; ++rec) {
        const std::string name = "Rec" + std::to_string(rec);
        std::copy(name.begin(), name.end(), ros.begin() + static_cast<std::ptrdiff_t>((rec - 1) * 86));
        ros[(rec - 1) * 86 + 30] = static_cast<std::uint8_t>(rec % 256);
    }
    writeFile(s.SwapRos, ros);

    ASSERT_TRUE(bb::LoadTeam(s, 7, 0).ok());
    EXPECT_EQ(s.Players[0][0].Name.str(), "Rec351" + std::string(16, '\0'));
    EXPECT_EQ(s.Players[0][49].Name.str(), "Rec400" + std::string(16, '\0'));
    for (std::size_t slot = 0; slot < 50; ++slot)
        EXPECT_EQ(bytesOf(s.Players[0][slot]), slice(ros, (350 + slot) * 86, 86)) << "slot " << slot;
    // Team slot 1 and the team record are not touched.
    EXPECT_TRUE(s.Players[1][0].isEmpty());
    EXPECT_EQ(bytesOf(s.Teams[7]), slice(readFile(lg + ".tms"), 7 * 254, 254));
}

TEST_F(TeamIo, EmptySlotWithStaleBytesLoadsAsZerosAndIsSavedAsZeros)
{
    // Even teams of the generated league carry one empty slot with stale bytes after the NUL.
    const Bytes ros = readFile(s.SwapRos);
    std::size_t stale = 50;
    for (std::size_t slot = 0; slot < 50 && stale == 50; ++slot) {
        const Bytes rec = slice(ros, (4 * 50 + slot) * 86, 86);
        if (rec[0] == 0 && std::any_of(rec.begin(), rec.end(), [](std::uint8_t b) { return b != 0; }))
            stale = slot;
    }
    ASSERT_LT(stale, 50u) << "the generator no longer writes a stale empty slot for team 4";

    ASSERT_TRUE(bb::LoadTeam(s, 4, 0).ok());
    EXPECT_EQ(bytesOf(s.Players[0][stale]), Bytes(86, 0));
    EXPECT_EQ(s.Players[0][stale].Sts, 0);
    EXPECT_EQ(s.Players[0][stale].Skill[0], 0);

    ASSERT_TRUE(bb::SaveTeam(s, 4, 0).ok());
    EXPECT_EQ(slice(readFile(s.SwapRos), (4 * 50 + stale) * 86, 86), Bytes(86, 0));
}

TEST_F(TeamIo, ShortRosterFileLoadsMissingRecordsAsEmpty)
{
    Bytes ros = readFile(s.SwapRos);
    ros.resize((3 * 50 + 10) * 86 + 40); // team 3: ten whole records and part of an eleventh
    writeFile(s.SwapRos, ros);
    for (auto& p : s.Players[0])
        p.Name.assign("Stale");

    ASSERT_TRUE(bb::LoadTeam(s, 3, 0).ok());
    for (std::size_t slot = 0; slot < 10; ++slot) {
        const Bytes rec = slice(ros, (150 + slot) * 86, 86);
        EXPECT_EQ(bytesOf(s.Players[0][slot]), rec[0] ? rec : Bytes(86, 0)) << "slot " << slot;
    }
    for (std::size_t slot = 10; slot < 50; ++slot)
        EXPECT_EQ(bytesOf(s.Players[0][slot]), Bytes(86, 0)) << "slot " << slot;

    // A team wholly past the end of the file: fifty empty slots.
    ASSERT_TRUE(bb::LoadTeam(s, 9, 0).ok());
    for (const auto& p : s.Players[0])
        EXPECT_EQ(bytesOf(p), Bytes(86, 0));
}

TEST_F(TeamIo, SaveTeamChangesOnlyItsOwnRecords)
{
    ASSERT_TRUE(bb::LoadTeam(s, 4, 0).ok());
    for (auto& p : s.Players[0])
        p.Con = 7; // every record changes, the empty ones too
    s.Teams[4].Name.assign("Renamed");
    s.Teams[4].LinesSet.set(true);
    s.Teams[5].Name.assign("NotSaved"); // another team changed in memory stays in memory
    const Bytes rosBefore = readFile(s.SwapRos);
    const Bytes tmsBefore = readFile(s.SwapTms);

    ASSERT_TRUE(bb::SaveTeam(s, 4, 0).ok());

    const Bytes ros = readFile(s.SwapRos);
    const Bytes tms = readFile(s.SwapTms);
    ASSERT_EQ(ros.size(), rosBefore.size());
    ASSERT_EQ(tms.size(), tmsBefore.size());
    for (std::size_t off : differences(ros, rosBefore)) {
        EXPECT_GE(off, 200u * 86);
        EXPECT_LT(off, 250u * 86);
    }
    for (std::size_t off : differences(tms, tmsBefore)) {
        EXPECT_GE(off, 4u * 254);
        EXPECT_LT(off, 5u * 254);
    }
    for (std::size_t slot = 0; slot < 50; ++slot)
        EXPECT_EQ(slice(ros, (200 + slot) * 86, 86), bytesOf(s.Players[0][slot])) << "slot " << slot;
    EXPECT_EQ(slice(tms, 4 * 254, 254), bytesOf(s.Teams[4]));

    // The team number picks the records, the team slot only the players: slot 1 into team 8.
    s.Players[1] = s.Players[0];
    ASSERT_TRUE(bb::SaveTeam(s, 8, 1).ok());
    EXPECT_EQ(slice(readFile(s.SwapRos), 400 * 86, 50 * 86), slice(ros, 200 * 86, 50 * 86));
}

TEST_F(TeamIo, MissingOrUnusableWorkingFilesAreReported)
{
    ASSERT_TRUE(bb::LoadTeam(s, 1, 0).ok());
    const Bytes rosBefore = readFile(s.SwapRos);

    // Without the team working file nothing is written, not even the roster records.
    fs::remove(s.SwapTms);
    s.Players[0][0].Con = static_cast<std::uint8_t>(s.Players[0][0].Con ^ 0xFF);
    EXPECT_FALSE(bb::SaveTeam(s, 1, 0).ok());
    EXPECT_EQ(readFile(s.SwapRos), rosBefore);

    fs::remove(s.SwapRos);
    const auto kept = bytesOf(s.Players[0][0]);
    EXPECT_FALSE(bb::LoadTeam(s, 1, 0).ok());
    EXPECT_EQ(bytesOf(s.Players[0][0]), kept);
    EXPECT_FALSE(bb::SaveTeam(s, 1, 0).ok());

    // A device that refuses every write.
    if (fs::exists("/dev/full")) {
        ASSERT_TRUE(bb::LoadLg(s, lg).ok());
        s.SwapRos = "/dev/full";
        EXPECT_FALSE(bb::SaveTeam(s, 1, 0).ok());
    }
}

TEST_F(TeamIo, OutOfRangeNumbersAreRefused)
{
    EXPECT_FALSE(bb::LoadTeam(s, 50, 0).ok());
    EXPECT_FALSE(bb::LoadTeam(s, -1, 0).ok());
    EXPECT_FALSE(bb::LoadTeam(s, 0, 2).ok());
    EXPECT_FALSE(bb::SaveTeam(s, 50, 0).ok());
    EXPECT_FALSE(bb::SaveTeam(s, 0, -1).ok());
    EXPECT_EQ(readFile(s.SwapRos), readFile(lg + ".ros"));
}

} // namespace
