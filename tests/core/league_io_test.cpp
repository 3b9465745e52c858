// League loading, the working files, the defaults file and team input and output.
#include "core/league_io.h"
#include "demo_league.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A missing file or a folder reads as no bytes.
Bytes readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return fs::is_regular_file(p) ? Bytes(std::istreambuf_iterator<char>(in), {}) : Bytes{};
}

void writeFile(const fs::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
}

void poke(const fs::path& p, int off, char b)
{
    std::fstream(p, std::ios::in | std::ios::out | std::ios::binary).seekp(off).put(b);
}

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes slice(const Bytes& b, std::size_t from, std::size_t n) { return Bytes(&b.at(from), &b.at(from) + n); }

// A record, or records (of records) end to end, as written.
template <typename R> Bytes bytesOf(const R& r)
{
    Bytes out;
    if constexpr (requires { r.encoded(); })
        std::ranges::copy(r.encoded(), std::back_inserter(out));
    else
        for (const auto& e : r)
            std::ranges::copy(bytesOf(e), std::back_inserter(out));
    return out;
}

// Everything a failed load must leave as it was: the session, the files, the home folder's listing.
std::vector<Bytes> snapshot(const bb::Session& s)
{
    std::vector<Bytes> n = {bytesOf(s.League), bytesOf(s.Teams), bytesOf(s.Players), bytes(s.LgPath),
                            {s.LeagueLoaded}};
    for (const fs::path& f : {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(s.HomeDir)})
        n.push_back(readFile(f));
    for (const fs::path& f : std::set<fs::path>(fs::directory_iterator(s.HomeDir), {}))
        n.push_back(bytes(f.string()));
    return n;
}

struct LeagueIo : ::testing::Test {
    void SetUp() override { s.init(home()); }
    const fs::path& home() const { return homeDir.path(); }

    // Writes a generated league and returns its path without extension.
    std::string makeLeague(const std::string& folder, int teams)
    {
        EXPECT_TRUE(bb::demo::writeDemoLeague(dir / folder, {"demo", teams, 1, false}).ok());
        return (dir / folder / "demo").string();
    }

    bb::test::TempDir dir, homeDir;
    bb::Session s;
};

TEST_F(LeagueIo, LoadFailedLoadsAndASecondLoad)
{
    // The header names 4 teams although the team file holds 6; the comma must survive the defaults file.
    const std::string lg = makeLeague("with, comma", 6);
    poke(lg + ".lge", 25, 3);
    writeFile(bb::defaultsFilePath(home()), Bytes(300, 'x'));
    for (auto& t : s.Teams)
        t.Name.assign("Untouched");
    const Bytes untouched = bytesOf(s.Teams[0]);
    // Load, and commit to the roster and team working files.
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    s.Players[0][0].Name.assign("Committed");
    s.Teams[2].LinesSet.set(true);
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());

    // A failed load changes nothing, the commit included.
    const std::pair<const char*, std::function<void(const std::string&)>> cases[] = {
        {"missing roster file", [](auto& f) { fs::remove(f + ".ros"); }},
        {"team file one byte short", [](auto& f) { fs::resize_file(f + ".tms", 3 * 254 - 1); }},
        {"MaxTeam 50", [](auto& f) { poke(f + ".lge", 25, 50); fs::resize_file(f + ".tms", 51 * 254); }},
        // Last, as it spoils the home folder: even root cannot write over a folder.
        {"swp.r is a folder", [this](auto&) { fs::remove(s.SwapRos); fs::create_directory(s.SwapRos); }},
    };
    for (const auto& [what, spoil] : cases) {
        const std::string bad = makeLeague(what, 3);
        spoil(bad);
        const auto before = snapshot(s);
        EXPECT_FALSE(bb::LoadLg(s, bad).ok()) << what;
        EXPECT_TRUE(snapshot(s) == before) << what;
    }

    // A second load discards the commit: teams 0..MaxTeam and the working files are the league's.
    fs::remove(s.SwapRos);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    const Bytes lge = readFile(lg + ".lge"), tms = readFile(lg + ".tms"), ros = readFile(lg + ".ros");
    EXPECT_EQ(bytesOf(s.League), lge);
    for (std::size_t t = 0; t < 50; ++t)
        EXPECT_EQ(bytesOf(s.Teams[t]), t < 4 ? slice(tms, t * 254, 254) : untouched) << "team " << t;
    EXPECT_EQ(s.LgPath, lg);
    EXPECT_EQ((std::vector{readFile(s.SwapLge), readFile(s.SwapTms), readFile(s.SwapRos)}),
              (std::vector{lge, tms, ros}));
    EXPECT_EQ(readFile(bb::defaultsFilePath(home())), bytes(lg + "\r\n"));

    writeFile(bb::defaultsFilePath(home()), bytes("/srv/a, b\nsecond line\r\n"));
    EXPECT_EQ(bb::readDefaultsFile(home()), "/srv/a, b") << "only the first line counts, whatever ends it";
}

TEST_F(LeagueIo, TeamInputAndOutput)
{
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("a", 10)).ok());
    // Every record differs from every other; record 351 is an empty slot with stray bytes after
    // its NUL; the file ends 40 bytes into record 461.
    Bytes ros(460 * 86 + 40);
    for (std::size_t i = 0; i < ros.size(); ++i)
        ros[i] = static_cast<std::uint8_t>(1 + (i / 86 * 7 + i % 86) % 251);
    ros[350 * 86] = 0;
    writeFile(s.SwapRos, ros);

    Bytes wantRos = ros, wantTms = readFile(s.SwapTms);
    std::fill_n(wantRos.begin() + 350 * 86, 86, 0);
    ASSERT_TRUE(bb::LoadTeam(s, 7, 0).ok()); // records 351..400, the empty one all zeros
    EXPECT_EQ(bytesOf(s.Players[0]), slice(wantRos, 350 * 86, 50 * 86));

    // SaveTeam writes its 50 + 1 records and no other byte: the empty slot as 86 zeros.
    for (std::size_t slot = 1; slot < 50; ++slot)
        wantRos[(350 + slot) * 86 + 31] = s.Players[0][slot].Con = 7;
    s.Teams[7].Name.assign("Renamed");
    std::copy_n("Renamed   ", 10, wantTms.begin() + 7 * 254);
    s.Teams[8].Name.assign("Not saved");
    ASSERT_TRUE(bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(readFile(s.SwapRos), wantRos);
    EXPECT_EQ(readFile(s.SwapTms), wantTms);

    // Records past the end of the file are empty slots: team 9 has ten whole records and 40 bytes
    // of an eleventh.
    ASSERT_TRUE(bb::LoadTeam(s, 9, 0).ok());
    Bytes want = slice(ros, 450 * 86, 10 * 86);
    want.resize(50 * 86);
    EXPECT_EQ(bytesOf(s.Players[0]), want);

    // Failures are reported and change nothing, in memory (team 9 now) or on disk.
    const std::pair<int, int> outOfRange[] = {{50, 0}, {-1, 0}, {0, 2}, {0, -1}};
    for (auto [tm, t] : outOfRange)
        EXPECT_FALSE(bb::LoadTeam(s, tm, t).ok() || bb::SaveTeam(s, tm, t).ok()) << tm << "," << t;
    fs::remove(s.SwapTms); // without it SaveTeam writes nothing, not even the roster records
    EXPECT_FALSE(bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(readFile(s.SwapRos), wantRos);
    fs::remove(s.SwapRos);
    EXPECT_FALSE(bb::LoadTeam(s, 7, 0).ok() || bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(bytesOf(s.Players[0]), want);
}

} // namespace
