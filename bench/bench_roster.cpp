// Cost of the automatic roster on a demo-league team, and on rosters that send every pick
// through the fallbacks.
#include "coach/roster/auto_roster.h"
#include "core/league_io.h"
#include "demo_league.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// Team 0 of the demo league, loaded into team slot 0 once for all runs.
std::unique_ptr<bb::Session> demoTeam;

void autoRoster(benchmark::State& state, const bb::Session& team)
{
    auto s = std::make_unique<bb::Session>(team);
    bb::roster::RosterWork work;
    for (auto _ : state) {
        bb::roster::AutoRoster(*s, work, 0, 0);
        benchmark::DoNotOptimize(work);
    }
}

void BM_AutoRoster_DemoTeam(benchmark::State& state)
{
    autoRoster(state, *demoTeam);
}
BENCHMARK(BM_AutoRoster_DemoTeam);

// Everybody injured: no pick finds anybody, so each one runs the search and all three fallbacks.
void BM_AutoRoster_AllInjured(benchmark::State& state)
{
    bb::Session s = *demoTeam;
    for (bb::PlayerRec& p : s.Players[0])
        p.Sts = static_cast<std::uint8_t>(p.Sts / 100 * 100 + 3);
    autoRoster(state, s);
}
BENCHMARK(BM_AutoRoster_AllInjured);

// Everybody healthy on the farm but suspended: every pick rates the whole farm in the second
// fallback.
void BM_AutoRoster_AllSuspendedOnTheFarm(benchmark::State& state)
{
    bb::Session s = *demoTeam;
    for (bb::PlayerRec& p : s.Players[0]) {
        p.Sts = 0;
        p.Susp = 2;
    }
    autoRoster(state, s);
}
BENCHMARK(BM_AutoRoster_AllSuspendedOnTheFarm);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::string pattern = (fs::temp_directory_path() / "benchboss-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const fs::path root = pattern;
    int rc = 1;
    demoTeam = std::make_unique<bb::Session>();
    demoTeam->init(root / "home");
    std::error_code ec;
    fs::create_directories(root / "home", ec);
    bb::Status st = bb::demo::writeDemoLeague(root / "league", {});
    if (st)
        st = bb::LoadLg(*demoTeam, (root / "league" / "demo").string());
    if (st)
        st = bb::LoadTeam(*demoTeam, 0, 0);
    if (st) {
        benchmark::RunSpecifiedBenchmarks();
        rc = 0;
    } else {
        std::fprintf(stderr, "%s\n", st.error().c_str());
    }
    benchmark::Shutdown();
    fs::remove_all(root, ec);
    return rc;
}
