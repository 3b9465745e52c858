// League loading, the working files, the defaults file and team input and output.
#include "file_bytes.h"
#include "core/file_io.h"
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

using bb::test::readBytes;
using bb::test::writeBytes;

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A missing file or a folder reads as no bytes.


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

TEST_F(LeagueIo, LoadFailedLoadsAndASecondLoad)
{
    // The header names 4 teams although the team file holds 6; the comma must survive the defaults file.
    const std::string lg = makeLeague("with, comma", 6);
    poke(lg + ".lge", 25, 3);
    writeBytes(bb::defaultsFilePath(home()), Bytes(300, 'x'));
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
    EXPECT_EQ(readBytes(s.SwapRos), wantRos);
    fs::remove(s.SwapRos);
    EXPECT_FALSE(bb::LoadTeam(s, 7, 0).ok() || bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(bytesOf(s.Players[0]), want);
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
    EXPECT_EQ(readBytes(lg + ".ros"), ros);
    for (const fs::path& f : {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(home())})
        EXPECT_FALSE(fs::is_symlink(f)) << f;
    EXPECT_EQ(readBytes(s.SwapTms), tms);

    ASSERT_TRUE(bb::LoadTeam(s, 1, 0).ok());
    s.Players[0][0].Name.assign("Committed");
    ASSERT_TRUE(bb::SaveTeam(s, 1, 0).ok());
    EXPECT_EQ(readBytes(lg + ".ros"), ros);
    EXPECT_EQ(readBytes(lg + ".tms"), tms);

    // A link planted after the load is refused by the save, which then writes nothing at all.
    fs::remove(s.SwapTms);
    fs::create_symlink(lg + ".tms", s.SwapTms);
    const Bytes swapRos = readBytes(s.SwapRos);
    s.Players[0][0].Name.assign("Again");
    EXPECT_FALSE(bb::SaveTeam(s, 1, 0).ok());
    EXPECT_EQ(readBytes(lg + ".tms"), tms);
    EXPECT_EQ(readBytes(s.SwapRos), swapRos);
}

TEST_F(LeagueIo, ALoadThatFailsPartWayChangesNothing)
{
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("first", 4)).ok());
    const std::string second = makeLeague("second", 6);
    // The first rename succeeds and a later one cannot replace its file; likewise a disk that
    // fills up at any point while the new files are written.
    for (int renames = 0; renames < 4; ++renames) {
        const auto before = snapshot(s);
        {
            bb::io::testing::ScopedFaults f({-1, renames});
            EXPECT_FALSE(bb::LoadLg(s, second).ok()) << renames;
        }
        EXPECT_TRUE(snapshot(s) == before) << renames;
    }
    const long long total = static_cast<long long>(fs::file_size(second + ".lge") + fs::file_size(second + ".tms") +
                                                   fs::file_size(second + ".ros") + second.size() + 2);
    for (long long n : {0LL, 1LL, 459LL, 460LL, total / 2, total - 1}) {
        const auto before = snapshot(s);
        {
            bb::io::testing::ScopedFaults f({n, -1});
            EXPECT_FALSE(bb::LoadLg(s, second).ok()) << n;
        }
        EXPECT_TRUE(snapshot(s) == before) << n;
    }
    ASSERT_TRUE(bb::LoadLg(s, second).ok());
    EXPECT_EQ(s.LgPath, second);
}

TEST_F(LeagueIo, ASaveThatFailsWritesNeitherFile)
{
    ASSERT_TRUE(bb::LoadLg(s, makeLeague("a", 5)).ok());
    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    const Bytes ros = readBytes(s.SwapRos), tms = readBytes(s.SwapTms);
    for (auto& p : s.Players[0])
        p.Con = 77;
    s.Teams[2].Cash = 123456;
    constexpr long long total = 50 * 86 + 254;
    for (long long n = 0; n < total; n += 1 + n / 7) {
        bb::io::testing::ScopedFaults f({n, -1});
        EXPECT_FALSE(bb::SaveTeam(s, 2, 0).ok()) << n;
        EXPECT_EQ(readBytes(s.SwapRos), ros) << n;
        EXPECT_EQ(readBytes(s.SwapTms), tms) << n;
    }
    // The team file cannot be written at all: the roster file keeps its bytes too.
    const Bytes saved = readBytes(s.SwapTms);
    fs::remove(s.SwapTms);
    fs::create_directory(s.SwapTms);
    EXPECT_FALSE(bb::SaveTeam(s, 2, 0).ok());
    EXPECT_EQ(readBytes(s.SwapRos), ros);
    fs::remove(s.SwapTms);
    writeBytes(s.SwapTms, saved);
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());
    EXPECT_EQ(readBytes(s.SwapRos)[(100 + 3) * 86 + 31], 77);
}

TEST_F(LeagueIo, AFolderNameThatIsNotUtf8)
{
    // "Ligue défi" in Latin-1: the path travels as bytes from the defaults file to every open.
    const std::string lg = makeLeague("Ligue d\xE9" "fi", 2);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    EXPECT_EQ(bb::readDefaultsFile(home()), lg);
    bb::Session again;
    again.init(home());
    ASSERT_TRUE(bb::LoadLg(again, *bb::readDefaultsFile(home())).ok());
    EXPECT_EQ(again.LgPath, lg);
}

TEST_F(LeagueIo, CutAndCorruptLeagueFiles)
{
    const std::string good = makeLeague("good", 3);
    ASSERT_TRUE(bb::LoadLg(s, good).ok());
    const Bytes lge = readBytes(good + ".lge"), tms = readBytes(good + ".tms"), ros = readBytes(good + ".ros");

    // A header or team file cut anywhere short of what the header names fails the load and changes
    // nothing; a roster file cut anywhere loads, the missing records as empty slots.
    struct Cut {
        const char* ext;
        const Bytes* whole;
        std::size_t record;
        bool loads;
    };
    const Cut cuts[] = {{".lge", &lge, 459, false}, {".tms", &tms, 254, false}, {".ros", &ros, 86, true}};
    const std::string lg = makeLeague("cut", 3);
    for (const Cut& c : cuts) {
        std::set<std::size_t> lengths;
        for (std::size_t n = 0; n < c.record; ++n)
            lengths.insert(n); // every byte of the first record
        for (std::size_t n = c.record; n < c.whole->size(); n += c.record)
            lengths.insert(n); // every record boundary
        for (const std::size_t n : lengths) {
            writeBytes(lg + c.ext, slice(*c.whole, 0, n));
            const auto before = snapshot(s);
            const bool loaded = bb::LoadLg(s, lg).ok();
            EXPECT_EQ(loaded, c.loads) << c.ext << " cut at " << n;
            if (!loaded) {
                EXPECT_TRUE(snapshot(s) == before) << c.ext << " cut at " << n;
                continue;
            }
            for (int tm = 0; tm < 3; ++tm) {
                ASSERT_TRUE(bb::LoadTeam(s, tm, 0).ok());
                for (std::size_t slot = 0; slot < 50; ++slot) {
                    if ((tm * 50 + slot + 1) * 86 > n) {
                        EXPECT_EQ(bytesOf(s.Players[0][slot]), Bytes(86, 0)) << n;
                    }
                }
            }
        }
        writeBytes(lg + c.ext, *c.whole);
    }
    ASSERT_TRUE(bb::LoadLg(s, good).ok());

    // Too many teams for the table, and a folder where a league file should be.
    for (int maxTeam : {50, 255}) {
        const std::string lg = makeLeague("big" + std::to_string(maxTeam), 3);
        poke(lg + ".lge", 25, static_cast<char>(maxTeam));
        writeBytes(lg + ".tms", Bytes(256 * 254, 1));
        const auto before = snapshot(s);
        EXPECT_FALSE(bb::LoadLg(s, lg).ok()) << maxTeam;
        EXPECT_TRUE(snapshot(s) == before) << maxTeam;
    }
    fs::remove(lg + ".ros");
    fs::create_directory(lg + ".ros");
    const auto before = snapshot(s);
    const bb::Status st = bb::LoadLg(s, lg);
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.error().find(lg + ".ros"), std::string::npos) << st.error();
    EXPECT_TRUE(snapshot(s) == before);
}

} // namespace
