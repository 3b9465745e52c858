// Every writer of the program, made to fail after each possible number of bytes: the user is told
// (or the caller gets the failure), nothing reports success, and every file is either exactly as
// it was or completely written, never torn.
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
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;
using namespace bb;
using namespace bb::test;

// The home folder's files by name. The time a waiver record carries is left out: two runs a second
// apart differ there and nowhere else.
std::map<std::string, Bytes> folder(const fs::path& dir)
{
    std::map<std::string, Bytes> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file())
            out[e.path().filename().string()] = readBytes(e.path());
    if (auto w = out.find("waivers.dat"); w != out.end())
        for (std::size_t rec = 0; rec + 134 <= w->second.size(); rec += 134)
            std::fill_n(&w->second[rec + 24], 8, 0);
    return out;
}

struct FailedWrites : ::testing::Test {
    TempDir home;
    Session s;
    ScriptedPrompter prompter;
    std::string league = (home / "league" / "demo").string();
    std::size_t veteran = 0; // the first dressed player who can go down only through waivers

    // A one-team league, its team loaded.
    void SetUp() override
    {
        ASSERT_TRUE(demo::writeDemoLeague(home / "league", {"demo", 1, 1, false}).ok());
        s.init(home.path());
        ASSERT_TRUE(LoadLg(s, league).ok() && LoadTeam(s, 0, 0).ok());
        for (const PlayerRec* p = &s.Players[0][0];
             !(p->Sts == 200 && !p->Released && roster::waiversNeeded(s.League, *p)); ++p)
            ASSERT_LT(++veteran, RosterSize);
    }

    // Runs the writer once to learn how many bytes it writes (n = -1), then once for every shorter
    // budget and the exact one, each time from the same files and session (prepare queues the
    // prompter's answers). A failed run must leave the folder and the memory as they were and say so
    // in one message starting with told (none when told is empty: the caller is told); the run with
    // the exact budget must succeed and write what the first did. Returns the bytes of a whole run.
    long long everyByte(auto run, std::function<void()> prepare = [] {}, std::string told = "")
    {
        // What a failed write must leave in memory: the league's path, and team slot 0's players and
        // the current team's record as a save would write them.
        const auto memory = [&] {
            const auto records = *SaveTeamEdits(s, s.CurTeam, 0);
            return join({bytesOf(s.LgPath), records[0].bytes, records[1].bytes});
        };
        const Session start = s;
        auto files = folder(home.path()), written = files;
        const Bytes mem = memory();
        long long total = -1;
        for (long long n = -1; n <= total && !HasFailure(); ++n) {
            s = start, prompter = {}, prepare();
            io::testing::ScopedFaults g({n, -1});
            const bool ok = run();
            const auto said = prompter.messages();
            EXPECT_EQ(ok, n < 0 || n == total) << n << " of " << total;
            EXPECT_TRUE(ok || (memory() == mem && said.size() == !told.empty() &&
                               (said.empty() ? "" : said[0]).starts_with(told)));
            EXPECT_TRUE(n < 0 || folder(home.path()) == (n < total ? files : written)) << "torn at " << n;
            if (n < 0) { // learnt: put the folder back as it was
                total = g.bytesWritten(), written = folder(home.path());
                std::ranges::for_each(written, [&](const auto& f) { fs::remove(home / f.first); });
                std::ranges::for_each(files, [&](const auto& f) { writeBytes(home / f.first, f.second); });
            }
        }
        return total;
    }
};

TEST_F(FailedWrites, TeamSaveAndLinesCommit)
{
    s.Players[0][0].Con = 1;
    EXPECT_EQ(everyByte([&] { return SaveTeam(s, 0, 0).ok(); }), 50 * 86 + 254);
    lines::LineWork work(s.Teams[0].LineSlots);
    work.LineSlots[0][0] = work.LineSlots[1][0];
    everyByte([&] { return work.TransferBuffer(s, 0).ok(); });
}

TEST_F(FailedWrites, RosterCommitWithReleaseWaiverAndLog)
{
    // A released player, a veteran sent down through waivers, earlier records in all three files.
    const auto files = roster::RosterFiles::in(home.path());
    writeBytes(files.releases, Bytes(88, 'r'));
    writeBytes(files.waivers, Bytes(134, 'w'));
    writeBytes(files.log, bytesOf("old\r\n"));
    roster::RosterWork work;
    roster::ResetFlags(s, work, 0);
    work.RosterStatus[veteran] = 0;
    const auto now = [] { return 46000.0; };
    const auto commit = [&] { return roster::TransferBuffer(s, prompter, work, 0, files, now).ok(); };
    EXPECT_GT(everyByte(commit, [&] { prompter.yesNo = {true}; }), 88 + 134 + 4300 + 254) << "a release too";
}

TEST_F(FailedWrites, LeagueLoadAndTheLinesFile)
{
    // The header, one team, its 50 players, the defaults file; a failed load keeps the league before.
    s.LgPath = "an earlier league";
    EXPECT_EQ(everyByte([&] { return LoadLg(s, league).ok(); }),
              459 + 254 + 50 * 86 + std::ssize(league) + 2);
    lines::LineWork work(s.Teams[0].LineSlots);

    // Saved over an existing, longer file.
    const fs::path lns = home / "lines.lns";
    writeBytes(lns, Bytes(300, 'x'));
    everyByte([&] { return lines::ExportLinesSub(s, prompter, work, 0) == lines::ExportOutcome::Saved; },
              [&] { prompter.texts = {"pass0"}, prompter.files = {lns.string()}; },
              "The lines could not be saved");

    // Load Lines sending a veteran to the farm: the waiver placement is the import's one write.
    Bytes file = readBytes(lns);
    file.at(lines::LinesFileRec::StsOffset + veteran) = 0, writeBytes(lns, file);
    everyByte([&] { return lines::ImportLinesSub(s, prompter, work, 0) != lines::ImportOutcome::Failed; },
              [&] { prompter.files = {lns.string()}, prompter.yesNo = {true}; }, "Errors in File");
}

} // namespace
