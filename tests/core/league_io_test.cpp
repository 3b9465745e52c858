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
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A missing file or a folder reads as no bytes.
Bytes readFile(const fs::path& p)
{
    if (!fs::is_regular_file(p))
        return {};
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
}

void edit(const fs::path& p, const std::function<void(Bytes&)>& change)
{
    Bytes b = readFile(p);
    change(b);
    writeFile(p, b);
}

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes slice(const Bytes& b, std::size_t from, std::size_t n) { return Bytes(&b.at(from), &b.at(from) + n); }

template <typename R> Bytes bytesOf(const R& r)
{
    const auto a = r.encoded();
    return Bytes(a.begin(), a.end());
}

// Team slot 0's roster as it would be written: fifty records end to end.
Bytes roster(const bb::Session& s)
{
    Bytes out;
    for (const auto& p : s.Players[0])
        for (std::uint8_t b : p.encoded())
            out.push_back(b);
    return out;
}

// Everything a failed load must leave as it was: the session, the files, the home folder's listing.
std::vector<Bytes> snapshot(const bb::Session& s)
{
    std::vector<Bytes> n = {bytesOf(s.League), roster(s), bytes(s.LgPath), {s.LeagueLoaded}};
    for (const auto& t : s.Teams)
        n.push_back(bytesOf(t));
    for (const fs::path& f : {s.SwapTms, s.SwapRos, s.SwapLge, bb::defaultsFilePath(s.HomeDir)})
        n.push_back(readFile(f));
    const auto listing = n.size();
    for (const auto& e : fs::directory_iterator(s.HomeDir))
        n.push_back(bytes(e.path().string()));
    std::sort(n.begin() + static_cast<std::ptrdiff_t>(listing), n.end());
    return n;
}

class LeagueIo : public ::testing::Test {
  protected:
    void SetUp() override { s.init(home()); }
    const fs::path& home() const { return homeDir.path(); }

    // Writes a generated league and returns its path without extension.
    std::string makeLeague(const std::string& folder, int teams)
    {
        bb::demo::Options o;
        o.teams = teams;
        EXPECT_TRUE(bb::demo::writeDemoLeague(dir / folder, o).ok());
        return (dir / folder / "demo").string();
    }

    bb::test::TempDir dir, homeDir;
    bb::Session s;
};

TEST_F(LeagueIo, LoadCopiesTheLeagueAndASecondLoadDiscardsCommits)
{
    EXPECT_EQ(bb::readDefaultsFile(home()), std::nullopt);
    // The header names 4 teams although the team file holds 6; the comma must survive the defaults file.
    const std::string lg = makeLeague("with, comma", 6);
    edit(lg + ".lge", [](Bytes& b) { b[25] = 3; });
    writeFile(bb::defaultsFilePath(home()), Bytes(300, 'x'));
    for (auto& t : s.Teams)
        t.Name.assign("Untouched");

    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    const Bytes lge = readFile(lg + ".lge"), tms = readFile(lg + ".tms"), ros = readFile(lg + ".ros");
    EXPECT_EQ(bytesOf(s.League), lge);
    for (std::size_t t = 0; t < 4; ++t)
        EXPECT_EQ(bytesOf(s.Teams[t]), slice(tms, t * 254, 254)) << "team " << t;
    for (std::size_t t = 4; t < 50; ++t)
        EXPECT_EQ(s.Teams[t].Name.str(), "Untouched ") << "team " << t;
    EXPECT_EQ(s.LgPath, lg);
    EXPECT_TRUE(s.LeagueLoaded);
    EXPECT_EQ(readFile(s.SwapLge), lge);
    EXPECT_EQ(readFile(s.SwapTms), tms);
    EXPECT_EQ(readFile(s.SwapRos), ros);
    EXPECT_EQ(readFile(bb::defaultsFilePath(home())), bytes(lg + "\r\n"));
    EXPECT_EQ(bb::readDefaultsFile(home()), lg);
    EXPECT_EQ(std::distance(fs::directory_iterator(home()), {}), 4) << "nothing else in the home folder";

    ASSERT_TRUE(bb::LoadTeam(s, 2, 0).ok());
    s.Players[0][0].Name.assign("Committed");
    s.Teams[2].LinesSet.set(true);
    ASSERT_TRUE(bb::SaveTeam(s, 2, 0).ok());
    ASSERT_NE(readFile(s.SwapTms), tms);
    ASSERT_TRUE(bb::LoadLg(s, lg).ok());
    EXPECT_EQ(readFile(s.SwapRos), ros);
    EXPECT_EQ(readFile(s.SwapTms), tms);
    EXPECT_EQ(bytesOf(s.Teams[2]), slice(tms, 2 * 254, 254));

    // Only the first line counts, whatever ends it.
    writeFile(bb::defaultsFilePath(home()), bytes("/srv/a, b\nsecond line\r\n"));
    EXPECT_EQ(bb::readDefaultsFile(home()), "/srv/a, b");
}

TEST_F(LeagueIo, FailedLoadChangesNothing)
{
    const std::pair<const char*, std::function<void(const std::string&)>> cases[] = {
        {"missing roster file", [](auto& lg) { fs::remove(lg + ".ros"); }},
        {"header one byte short", [](auto& lg) { edit(lg + ".lge", [](Bytes& b) { b.pop_back(); }); }},
        {"team file one byte short", [](auto& lg) { edit(lg + ".tms", [](Bytes& b) { b.pop_back(); }); }},
        {"MaxTeam 50 and 51 teams in the team file",
         [](auto& lg) {
             edit(lg + ".lge", [](Bytes& b) { b[25] = 50; });
             edit(lg + ".tms", [](Bytes& b) { b.resize(51 * 254, 1); });
         }},
        // Last, as it spoils the home folder.
        // A folder where the roster working file belongs: even root cannot write over it.
        {"swp.r is a folder", [this](auto&) { fs::remove(s.SwapRos); fs::create_directory(s.SwapRos); }},
    };
    int n = 0;
    for (bool loaded : {false, true}) {
        if (loaded) { // a loaded league with a commit that the failed loads must keep
            fs::remove(s.SwapRos);
            ASSERT_TRUE(bb::LoadLg(s, makeLeague("good", 6)).ok());
            ASSERT_TRUE(bb::LoadTeam(s, 5, 0).ok());
            s.Players[0][3].Sts = 7;
            ASSERT_TRUE(bb::SaveTeam(s, 5, 0).ok());
        }
        for (const auto& [what, spoil] : cases) {
            const std::string bad = makeLeague("bad" + std::to_string(n++), 3);
            spoil(bad);
            const auto before = snapshot(s);
            EXPECT_FALSE(bb::LoadLg(s, bad).ok()) << what;
            EXPECT_TRUE(snapshot(s) == before) << what << (loaded ? ", after a load" : ", first load");
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
    writeFile(s.SwapRos, ros);

    ASSERT_TRUE(bb::LoadTeam(s, 7, 0).ok()); // records 351..400, the empty one all zeros
    Bytes want = slice(ros, 350 * 86, 50 * 86);
    std::fill_n(want.begin(), 86, 0);
    EXPECT_EQ(roster(s), want);

    // SaveTeam writes its 50 + 1 records and no other byte: the empty slot as 86 zeros.
    Bytes wantRos = ros, wantTms = readFile(s.SwapTms);
    std::fill_n(wantRos.begin() + 350 * 86, 86, 0);
    for (std::size_t slot = 1; slot < 50; ++slot) {
        s.Players[0][slot].Con = 7;
        wantRos[(350 + slot) * 86 + 31] = 7;
    }
    s.Teams[7].Name.assign("Renamed");
    std::copy_n("Renamed   ", 10, wantTms.begin() + 7 * 254);
    s.Teams[8].Name.assign("Not saved");
    ASSERT_TRUE(bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(readFile(s.SwapRos), wantRos);
    EXPECT_EQ(readFile(s.SwapTms), wantTms);

    // Records past the end of the file are empty slots: team 9 has ten whole records, team 20 none.
    ASSERT_TRUE(bb::LoadTeam(s, 9, 0).ok());
    want = slice(ros, 450 * 86, 10 * 86);
    want.resize(50 * 86);
    EXPECT_EQ(roster(s), want);
    ASSERT_TRUE(bb::LoadTeam(s, 20, 0).ok());
    EXPECT_EQ(roster(s), Bytes(50 * 86));

    // Failures are reported and change nothing, in memory or on disk.
    ASSERT_TRUE(bb::LoadTeam(s, 7, 0).ok());
    s.Players[0][1].Con = 8;
    const Bytes kept = roster(s);
    const std::pair<int, int> outOfRange[] = {{50, 0}, {-1, 0}, {0, 2}, {0, -1}};
    for (auto [tm, t] : outOfRange) {
        EXPECT_FALSE(bb::LoadTeam(s, tm, t).ok()) << tm << "," << t;
        EXPECT_FALSE(bb::SaveTeam(s, tm, t).ok()) << tm << "," << t;
    }
    fs::remove(s.SwapTms); // without it SaveTeam writes nothing, not even the roster records
    EXPECT_FALSE(bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(readFile(s.SwapRos), wantRos);
    fs::remove(s.SwapRos);
    EXPECT_FALSE(bb::LoadTeam(s, 7, 0).ok());
    EXPECT_FALSE(bb::SaveTeam(s, 7, 0).ok());
    EXPECT_EQ(roster(s), kept);
}

} // namespace
