// League loading, the working files, the defaults file and team input and output.
#include "core/file_io.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "file_bytes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using bb::test::Bytes;
using bb::test::readBytes;
using bb::test::writeBytes;

void poke(const fs::path& p, int off, char b)
{
    std::fstream(p, std::ios::in | std::ios::out | std::ios::binary).seekp(off).put(b);
}

Bytes bytes(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}
Bytes slice(const Bytes& b, std::size_t from, std::size_t n)
{
    return Bytes(&b.at(from), &b.at(from) + n);
}

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
    std::vector<Bytes> n = {
        bytesOf(s.League), bytesOf(s.Teams), bytesOf(s.Players), bytes(s.LgPath), {s.LeagueLoaded}};
    for (const fs::path& f : {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(s.HomeDir)})
        n.push_back(readBytes(f));
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

TEST_F(LeagueIo, ALoadAndASecondLoad)
{
    // The header names 4 teams although the team file holds 6; the comma must survive the defaults file.
    const std::string lg = makeLeague("with, comma", 6);
    poke(lg + ".lge", 25, 3);
    writeBytes(bb::defaultsFilePath(home()), Bytes(300, 'x'));
    for (auto& t : s.Teams)
        t.Name.assign("Untouched");
    const Bytes untouched = bytesOf(s.Teams[0]);
    // Load, commit to the working files, then load again: the commit is gone, teams 0..MaxTeam
    // and the working files are the league's.
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    s.Players[0][0].Name.assign("Committed");
    s.Teams[2].LinesSet.set(true);
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    const Bytes lge = readBytes(lg + ".lge"), tms = readBytes(lg + ".tms"), ros = readBytes(lg + ".ros");
    EXPECT_EQ(bytesOf(s.League), lge);
    for (std::size_t t = 0; t < 50; ++t)
        EXPECT_EQ(bytesOf(s.Teams[t]), t < 4 ? slice(tms, t * 254, 254) : untouched) << "team " << t;
    EXPECT_EQ(s.LgPath, lg);
    EXPECT_EQ((std::vector{readBytes(s.SwapLge), readBytes(s.SwapTms), readBytes(s.SwapRos)}),
              (std::vector{lge, tms, ros}));
    EXPECT_EQ(readBytes(bb::defaultsFilePath(home())), bytes(lg + "\r\n"));

    writeBytes(bb::defaultsFilePath(home()), bytes("/srv/a, b\nsecond line\r\n"));
    EXPECT_EQ(bb::readDefaultsFile(home()), "/srv/a, b") << "only the first line counts, whatever ends it";
}

TEST_F(LeagueIo, ALeagueThatCannotBeLoadedChangesNothing)
{
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("good", 3)).ok());
    ASSERT_TRUE(bb::LoadTeam(s, 1, 0).ok());
    const std::string lg = makeLeague("bad", 3);
    const Bytes lge = readBytes(lg + ".lge"), tms = readBytes(lg + ".tms");
    // A header or team file cut at every byte of its first record and at every record boundary
    // short of what the header names; MaxTeam beyond the table; a file missing, or a folder in its
    // place (named in the reason); a working file that cannot be replaced.
    std::vector<std::pair<std::string, std::function<void()>>> cases;
    for (const std::string ext : {".lge", ".tms"}) {
        const Bytes* whole = ext == ".lge" ? &lge : &tms;
        const std::size_t record = ext == ".lge" ? 459 : 254;
        for (std::size_t n = 0; n < whole->size(); n += n < record ? 1 : record)
            cases.emplace_back(ext + std::to_string(n), [=] { writeBytes(lg + ext, slice(*whole, 0, n)); });
    }
    for (const char maxTeam : {50, -1})
        cases.emplace_back("MaxTeam " + std::to_string(std::uint8_t(maxTeam)), [=] {
            poke(lg + ".lge", 25, maxTeam);
            writeBytes(lg + ".tms", Bytes(256 * 254, 1));
        });
    cases.emplace_back("no .ros", [&] { fs::remove(lg + ".ros"); });
    cases.emplace_back(".ros a folder", [&] { fs::create_directory(lg + ".ros"); });
    cases.emplace_back("swp.r a folder", [&] { fs::remove(s.SwapRos), fs::create_directory(s.SwapRos); });
    for (const auto& [what, spoil] : cases) {
        writeBytes(lg + ".lge", lge);
        writeBytes(lg + ".tms", tms);
        spoil();
        const auto before = snapshot(s);
        const bb::Status st = bb::LoadLg(s, lg);
        EXPECT_FALSE(st.ok()) << what;
        EXPECT_TRUE(snapshot(s) == before) << what;
        if (what == ".ros a folder") {
            EXPECT_NE(st.error().find(lg + ".ros"), std::string::npos) << st.error();
        }
    }
}

TEST_F(LeagueIo, ARosterFileCutAnywhereLoadsWithEmptySlots)
{
    const std::string lg = makeLeague("cut", 3);
    const Bytes ros = readBytes(lg + ".ros");
    for (std::size_t n = 0; n < ros.size(); n += n < 86 ? 1 : 86) {
        writeBytes(lg + ".ros", slice(ros, 0, n));
        ASSERT_TRUE(bb::LoadLg(s, lg).ok()) << n;
        for (int tm = 0; tm < 3; ++tm) {
            ASSERT_TRUE(bb::LoadTeam(s, tm, 0).ok());
            for (std::size_t slot = 0; slot < 50; ++slot) {
                // Past the cut, or a name starting with NUL: an empty slot, all zeros.
                const std::size_t end = (tm * 50 + slot + 1) * 86;
                const bool empty = end > n || ros[end - 86] == 0;
                EXPECT_EQ(bytesOf(s.Players[0][slot]), empty ? Bytes(86, 0) : slice(ros, end - 86, 86)) << n;
            }
        }
    }
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
    writeBytes(s.SwapRos, ros);

    Bytes wantRos = ros, wantTms = readBytes(s.SwapTms);
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
    EXPECT_EQ(readBytes(s.SwapRos), wantRos);
    EXPECT_EQ(readBytes(s.SwapTms), wantTms);

    // Failures are reported and change nothing, in memory or on disk.
    const std::pair<int, int> outOfRange[] = {{50, 0}, {-1, 0}, {0, 2}, {0, -1}};
    for (auto [tm, t] : outOfRange)
        EXPECT_FALSE(bb::LoadTeam(s, tm, t).ok() || bb::SaveTeam(s, tm, t).ok()) << tm << "," << t;
    EXPECT_EQ(bytesOf(s.Players[0][1]), slice(wantRos, 351 * 86, 86));
    fs::remove(s.SwapRos);
    EXPECT_FALSE(bb::LoadTeam(s, 7, 0).ok() || bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(bytesOf(s.Players[0][1]), slice(wantRos, 351 * 86, 86));
}

TEST_F(LeagueIo, PlantedLinksNeverLeadIntoTheLeague)
{
    const std::string lg = makeLeague("a", 3);
    const Bytes ros = readBytes(lg + ".ros"), tms = readBytes(lg + ".tms");
    // A link at every name the program writes, and at the names of older staging files, all
    // pointing at the league's own roster file.
    for (const char* name : {"swp.t", "swp.r", "swp.l", "benchset.def", "swp.t.new", "swp.r.new", "swp.l.new",
                             "benchset.def.new"})
        fs::create_symlink(lg + ".ros", home() / name);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    for (const fs::path& f : {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(home())})
        EXPECT_FALSE(fs::is_symlink(f)) << f;
    EXPECT_EQ(readBytes(s.SwapTms), tms);
    ASSERT_TRUE(bb::LoadTeam(s, 1, 0).ok());
    s.Players[0][0].Name.assign("Committed");
    ASSERT_TRUE(bb::SaveTeam(s, 1, 0).ok());
    EXPECT_EQ(readBytes(lg + ".ros"), ros);
    EXPECT_EQ(readBytes(lg + ".tms"), tms);
}

TEST_F(LeagueIo, ALoadOrSaveThatFailsPartWayChangesNothing)
{
    // A load whose first renames succeed and a later one cannot replace its file.
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("first", 4)).ok());
    const std::string second = makeLeague("second", 6);
    for (int renames = 0; renames < 4; ++renames) {
        const auto before = snapshot(s);
        {
            bb::io::testing::ScopedFaults f({-1, renames});
            EXPECT_FALSE(bb::LoadLg(s, second).ok()) << renames;
        }
        EXPECT_TRUE(snapshot(s) == before) << renames;
    }
    // A save whose team file cannot be written: the roster file keeps its bytes too.
    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    const Bytes ros = readBytes(s.SwapRos);
    s.Players[0][0].Con = 77;
    fs::remove(s.SwapTms);
    fs::create_directory(s.SwapTms);
    EXPECT_FALSE(bb::SaveTeam(s, 2, 0).ok());
    EXPECT_EQ(readBytes(s.SwapRos), ros);
}

TEST_F(LeagueIo, AFolderNameThatIsNotUtf8)
{
    // "Ligue défi" in Latin-1: the path travels as bytes from the defaults file to every open.
    const std::string lg = makeLeague("Ligue d\xE9"
                                      "fi",
                                      2);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    bb::Session again;
    again.init(home());
    ASSERT_TRUE(bb::LoadLg(again, bb::readDefaultsFile(home()).value_or("")).ok());
    EXPECT_EQ(again.LgPath, lg);
}

} // namespace
