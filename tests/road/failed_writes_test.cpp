// Every writer of the program, made to fail after each possible number of bytes: the user is told
// (or the caller gets the failure), nothing reports success, and every file is either exactly as
// it was or completely written, never torn.
#include "coach/lines/line_table.h"
#include "coach/lines/lines_file.h"
#include "coach/roster/roster_commit.h"
#include "core/file_io.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;
using bb::test::Bytes;
using bb::test::readBytes;
using bb::test::writeBytes;
using Guard = bb::io::testing::ScopedFaults;

// The home folder's files by name. The time a waiver record carries is left out: two runs a
// second apart differ there and nowhere else.
std::map<std::string, Bytes> folder(const fs::path& dir)
{
    std::map<std::string, Bytes> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file())
            out[e.path().filename().string()] = readBytes(e.path());
    if (auto w = out.find("waivers.dat"); w != out.end())
        for (std::size_t rec = 0; rec + 134 <= w->second.size(); rec += 134)
            std::fill_n(w->second.begin() + static_cast<std::ptrdiff_t>(rec + 24), 8, 0);
    return out;
}

struct FailedWrites : ::testing::Test {
    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter prompter;
    std::string league;

    // A one-team league, its team loaded.
    void SetUp() override
    {
        bb::demo::Options o;
        o.teams = 1;
        ASSERT_TRUE(bb::demo::writeDemoLeague(home / "league", o).ok());
        league = (home / "league" / "demo").string();
        s.init(home.path());
        ASSERT_TRUE(bb::LoadLg(s, league).ok());
        ASSERT_TRUE(bb::LoadTeam(s, 0, 0).ok());
    }
    // Team slot 0's players and the current team's record, as they would be written.
    Bytes memory() const
    {
        Bytes out;
        for (const bb::PlayerRec& p : s.Players[0]) {
            const auto rec = p.encoded();
            out.insert(out.end(), rec.begin(), rec.end());
        }
        const auto team = s.Teams[s.CurTeam].encoded();
        out.insert(out.end(), team.begin(), team.end());
        return out;
    }
    int veteran() const
    {
        const auto& ps = s.Players[0];
        return int(std::find_if(ps.begin(), ps.end(),
                                [&](const bb::PlayerRec& p) {
                                    return !p.isEmpty() && !p.Released && p.Sts == 200 &&
                                           p.GP >= s.League.WaiverGP && p.Age > s.League.WaiverAge;
                                }) -
                   ps.begin());
    }

    // Runs the writer once to learn how many bytes it writes, then once for every shorter budget, each
    // time from the same files and session. A failed run must leave the folder as it was (so only the
    // session needs setting back); a whole run must succeed. Returns the bytes of a whole run.
    long long everyByte(
        const std::function<bool()>& run, const std::function<void()>& prepare = [] {})
    {
        const bb::Session start = s;
        const auto files = folder(home.path());
        long long total = 0;
        {
            prepare();
            Guard g({-1, -1});
            EXPECT_TRUE(run());
            total = g.bytesWritten();
        }
        const auto written = folder(home.path());
        for (const auto& e : fs::directory_iterator(home.path()))
            if (e.is_regular_file())
                fs::remove(e.path());
        for (const auto& [name, bytes] : files)
            writeBytes(home / name, bytes);
        for (long long n = 0; n <= total && !HasFailure(); ++n) {
            s = start;
            prompter = {};
            prepare();
            bool ok = false;
            {
                Guard g({n, -1});
                ok = run();
            }
            EXPECT_EQ(ok, n == total) << n << " of " << total;
            EXPECT_TRUE(folder(home.path()) == (n < total ? files : written))
                << "torn or changed at byte " << n;
        }
        return total;
    }
};

TEST_F(FailedWrites, LeagueLoad)
{
    const long long total = everyByte([&] {
        const auto before = s.LgPath;
        const bool ok = bb::LoadLg(s, league).ok();
        EXPECT_TRUE(ok || s.LgPath == before);
        return ok;
    });
    EXPECT_EQ(total, static_cast<long long>(fs::file_size(league + ".lge") + fs::file_size(league + ".tms") +
                                            fs::file_size(league + ".ros") + league.size() + 2));
}

TEST_F(FailedWrites, TeamSaveAndLinesCommit)
{
    s.Players[0][0].Con = 1;
    EXPECT_EQ(everyByte([&] { return bb::SaveTeam(s, 0, 0).ok(); }), 50 * 86 + 254);

    bb::lines::LineWork work(s.Teams[0].LineSlots);
    work.LineSlots[0][0] = work.LineSlots[1][0];
    everyByte([&] {
        const bb::TeamRec before = s.Teams[0];
        const bool ok = work.TransferBuffer(s, 0).ok();
        EXPECT_TRUE(ok || s.Teams[0].encoded() == before.encoded())
            << "a failed commit keeps the team's table";
        return ok;
    });
}

TEST_F(FailedWrites, RosterCommitWithReleaseWaiverAndLog)
{
    // A released player, a veteran sent down through waivers, earlier records in all three files.
    const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(home.path());
    writeBytes(files.releases, Bytes(88, 'r'));
    writeBytes(files.waivers, Bytes(134, 'w'));
    writeBytes(files.log, Bytes{'o', 'l', 'd', '\r', '\n'});
    bb::roster::RosterWork work;
    bb::roster::ResetFlags(s, work, 0);
    const auto released =
        std::find_if(s.Players[0].begin(), s.Players[0].end(), [](auto& p) { return p.Released; });
    ASSERT_TRUE(veteran() < bb::RosterSize && released != s.Players[0].end());
    work.RosterStatus[static_cast<std::size_t>(veteran())] = 0;
    const long long total = everyByte(
        [&] {
            const Bytes before = memory();
            const bool ok =
                bb::roster::TransferBuffer(s, prompter, work, 0, files, [] { return 46000.0; }).ok();
            EXPECT_TRUE(ok || memory() == before)
                << "a failed commit leaves the players and the team as they were";
            EXPECT_EQ(ok, released->isEmpty());
            return ok;
        },
        [&] { prompter.yesNo = {true}; });
    EXPECT_GT(total, 88 + 134 + 4300 + 254);
}

TEST_F(FailedWrites, LinesFileSaveAndImportWaiver)
{
    bb::lines::LineWork work(s.Teams[0].LineSlots);
    const fs::path lns = home / "lines.lns";
    writeBytes(lns, Bytes(300, 'x')); // an existing, longer file: its tail must survive a whole save
    everyByte(
        [&] {
            const auto out = bb::lines::ExportLinesSub(s, prompter, work, 0);
            EXPECT_TRUE(out == bb::lines::ExportOutcome::Saved || prompter.messages().size() == 1u);
            return out == bb::lines::ExportOutcome::Saved;
        },
        [&] {
            prompter.texts = {"pass0"};
            prompter.files = {lns.string()};
        });
    EXPECT_EQ(readBytes(lns).size(), 300u);

    // Load Lines sending a veteran to the farm: the waiver placement is the import's one write.
    ASSERT_LT(veteran(), bb::RosterSize);
    Bytes file = readBytes(lns);
    file[bb::lines::LinesFileRec::StsOffset + static_cast<std::size_t>(veteran())] = 0;
    writeBytes(lns, file);
    everyByte(
        [&] {
            const auto out = bb::lines::ImportLinesSub(s, prompter, work, 0);
            EXPECT_TRUE(out != bb::lines::ImportOutcome::Failed ||
                        prompter.messages() == std::vector<std::string>{"Errors in File"});
            return out != bb::lines::ImportOutcome::Failed;
        },
        [&] {
            prompter.files = {lns.string()};
            prompter.yesNo = {true};
        });
}

} // namespace
