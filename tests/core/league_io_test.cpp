// League loading, the working files, the defaults file and team input and output.
#include "core/file_io.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "file_bytes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>

namespace {

namespace fs = std::filesystem;
using bb::test::Bytes;
using bb::test::readBytes;
using bb::test::writeBytes;

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

// Everything a failed load must leave as it was: the session, and the home folder's files by name.
std::vector<Bytes> snapshot(const bb::Session& s)
{
    std::vector<Bytes> n = {bytesOf(s.League), bytesOf(s.Teams), bytesOf(s.Players),
                            bb::test::bytesOf(s.LgPath + char(s.LeagueLoaded))};
    for (const fs::path& f : std::set<fs::path>(fs::directory_iterator(s.HomeDir), {}))
        n.insert(n.end(), {bb::test::bytesOf(f.string()), readBytes(f)});
    return n;
}

struct LeagueIo : ::testing::Test {
    void SetUp() override { s.init(home.path()); }
    static void setMaxTeam(const std::string& lg, char n)
    {
        std::fstream(lg + ".lge", std::ios::in | std::ios::out | std::ios::binary).seekp(25).put(n);
    }
    static Bytes slice(const Bytes& b, std::size_t at, std::size_t n) { return {&b.at(at), &b.at(at) + n}; }
    // Writes a generated league and returns its path without extension.
    std::string makeLeague(const std::string& folder, int teams, std::uint32_t seed = 1)
    {
        EXPECT_TRUE(bb::demo::writeDemoLeague(dir / folder, {"demo", teams, seed, false}).ok());
        return (dir / folder / "demo").string();
    }
    bb::test::TempDir dir, home;
    bb::Session s;
};

TEST_F(LeagueIo, LoadCommitReloadAndCutRosterFileThroughPlantedLinks)
{
    // The header names 4 teams although the team file holds 6. The folder name has a comma and a
    // Latin-1 byte: the path travels as the file system's bytes through the defaults file.
    const std::string lg = makeLeague("with, comma, d\xE9", 6);
    setMaxTeam(lg, 3);
    const Bytes lge = readBytes(lg + ".lge"), tms = readBytes(lg + ".tms"), ros = readBytes(lg + ".ros");
    // A link at every name the program writes, and at the names of older staging files, all
    // pointing at the league's own roster file: nothing may be written through one.
    for (const char* name : {"swp.t", "swp.r", "swp.l", "benchset.def", "swp.t.new", "swp.r.new", "swp.l.new",
                             "benchset.def.new"})
        fs::create_symlink(lg + ".ros", home / name);
    // Load, then commit team 2 (first and last slots changed, another team renamed in memory only):
    // its records reach the working files and no other byte does.
    ASSERT_TRUE(bb::LoadLg(s, lg).ok() && bb::LoadTeam(s, 2, 0).ok());
    s.Players[0][0].Name.assign("Committed"), s.Players[0][49].Con = 7;
    s.Teams[2].LinesSet.set(true), s.Teams[3].Name.assign("Not saved");
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());
    Bytes committed[] = {ros, tms};
    std::ranges::copy(bytesOf(s.Players[0]), committed[0].begin() + 100 * 86);
    std::ranges::copy(bytesOf(s.Teams[2]), committed[1].begin() + 2 * 254);
    EXPECT_TRUE(readBytes(s.SwapRos) == committed[0] && readBytes(s.SwapTms) == committed[1]);
    // Load again: the commit is gone, teams 0..MaxTeam and the working files are the league's, and
    // the league's files never changed.
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    EXPECT_EQ(bytesOf(s.League), lge);
    for (std::size_t t = 0; t < 50; ++t)
        EXPECT_EQ(bytesOf(s.Teams[t]), t < 4 ? slice(tms, t * 254, 254) : Bytes(254, 0)) << "team " << t;
    EXPECT_EQ(s.LgPath, lg);
    EXPECT_EQ((std::vector{readBytes(s.SwapLge), readBytes(s.SwapTms), readBytes(s.SwapRos)}),
              (std::vector{lge, tms, ros}));
    EXPECT_EQ(readBytes(bb::defaultsFilePath(home.path())), bb::test::bytesOf(lg + "\r\n"));
    writeBytes(bb::defaultsFilePath(home.path()), bb::test::bytesOf("/srv/a\nsecond line\r\n"));
    EXPECT_EQ(bb::readDefaultsFile(home.path()), "/srv/a") << "only the first line counts, whatever ends it";

    // The roster file cut anywhere in its first three teams: each loads, every slot past the cut,
    // or whose name starts with NUL (stale bytes after it), all zeros.
    for (std::size_t n = 0; n < 150 * 86; n += n < 86 ? 1 : 86) {
        writeBytes(lg + ".ros", slice(ros, 0, n));
        ASSERT_TRUE(bb::LoadLg(s, lg).ok()) << n;
        for (std::size_t rec = 0; rec < 150; ++rec) {
            ASSERT_TRUE(rec % 50 != 0 || bb::LoadTeam(s, int(rec / 50), 0).ok());
            const bool empty = (rec + 1) * 86 > n || ros[rec * 86] == 0;
            EXPECT_EQ(bytesOf(s.Players[0][rec % 50]), empty ? Bytes(86, 0) : slice(ros, rec * 86, 86)) << n;
        }
    }
}

TEST_F(LeagueIo, WhatCannotBeLoadedOrSavedChangesNothing)
{
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("good", 4)).ok() && bb::LoadTeam(s, 1, 0).ok());
    const std::string pristine = makeLeague("pristine", 3, 2), lg = (dir / "bad" / "demo").string();
    const Bytes lge = readBytes(pristine + ".lge"), tms = readBytes(pristine + ".tms");
    // Spoils a copy of the pristine league and loads it with the renames failing after the given
    // number: the load fails, its reason names the file at fault, and nothing changed.
    const auto refused = [&](const fs::path& named, int renames, const std::function<void()>& spoil) {
        fs::remove_all(dir / "bad");
        fs::copy(dir / "pristine", dir / "bad");
        spoil();
        const auto before = snapshot(s);
        bb::io::testing::ScopedFaults faults({-1, renames});
        const bb::Status st = bb::LoadLg(s, lg);
        EXPECT_TRUE(!st.ok() && st.error().find(named.string()) != std::string::npos) << named;
        EXPECT_TRUE(snapshot(s) == before) << named;
    };
    // Each working file failing to be replaced after those before it were; a header or team file
    // cut at every byte of its first record and at every record boundary short of what the header
    // names; MaxTeam beyond the table; a file missing, or a folder in its place.
    const fs::path working[] = {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(home.path())};
    for (int r = 0; r < 4; ++r)
        refused(working[r], r, [] {});
    for (const auto& [ext, whole, record] : {std::tuple{".lge", &lge, 459u}, std::tuple{".tms", &tms, 254u}})
        for (std::size_t n = 0; n < whole->size(); n += n < record ? 1 : record)
            refused(lg + ext, -1, [n, f = lg + ext, w = whole] { writeBytes(f, slice(*w, 0, n)); });
    for (const char maxTeam : {50, -1})
        refused(lg + ".lge", -1,
                [&] { setMaxTeam(lg, maxTeam), writeBytes(lg + ".tms", Bytes(256 * 254, 1)); });
    refused(lg + ".ros", -1, [&] { fs::remove(lg + ".ros"); });
    refused(lg + ".ros", -1, [&] { fs::remove(lg + ".ros"), fs::create_directory(lg + ".ros"); });

    // Team slots out of range are refused both ways, changing nothing in memory or on disk.
    const auto before = snapshot(s);
    for (auto [tm, t] : std::initializer_list<std::pair<int, int>>{{50, 0}, {-1, 0}, {0, 2}, {0, -1}})
        EXPECT_FALSE(bb::LoadTeam(s, tm, t).ok() || bb::SaveTeam(s, tm, t).ok()) << tm << "," << t;
    EXPECT_TRUE(snapshot(s) == before);
    // A working file in a folder's place: the league is not loaded; then gone: no team is read.
    refused(s.SwapRos, -1, [&] { fs::remove(s.SwapRos), fs::create_directory(s.SwapRos); });
    fs::remove(s.SwapRos);
    EXPECT_FALSE(bb::LoadTeam(s, 1, 0).ok());
    EXPECT_EQ(bytesOf(s.Players), before[2]);
}

} // namespace
