// The rest of the logic a manager waits for: the team figures of the team view, and the lines
// file saved and loaded back.
#include "coach/lines/lines_file.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/team_figures.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Team {
    bb::test::TempDir dir;
    bb::Session s;
    Team()
    {
        if (!bb::demo::writeDemoLeague(dir / "league", {}).ok())
            std::abort();
        s.init(dir.path());
        if (!bb::LoadLg(s, (dir / "league" / "demo").string()).ok() || !bb::LoadTeam(s, 0, 0).ok())
            std::abort();
    }
};

void teamFigures(benchmark::State& state)
{
    Team t;
    for (auto _ : state) {
        const auto figures = bb::manager::teamFigures(t.s);
        benchmark::DoNotOptimize(bb::manager::teamTexts(figures, t.s.Teams[0], {",", "."}));
    }
}
BENCHMARK(teamFigures)->Unit(benchmark::kMicrosecond);

void linesFileSave(benchmark::State& state)
{
    Team t;
    const bb::lines::LineWork work(t.s.Teams[0].LineSlots);
    const std::string file = (t.dir / "lines.lns").string();
    for (auto _ : state) {
        bb::test::ScriptedPrompter p;
        p.texts = {"pass0"};
        p.files = {file};
        if (bb::lines::ExportLinesSub(t.s, p, work, 0) != bb::lines::ExportOutcome::Saved)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(linesFileSave)->Unit(benchmark::kMicrosecond);

void linesFileLoad(benchmark::State& state)
{
    Team t;
    bb::lines::LineWork work(t.s.Teams[0].LineSlots);
    const std::string file = (t.dir / "lines.lns").string();
    bb::test::ScriptedPrompter save;
    save.texts = {"pass0"};
    save.files = {file};
    (void)bb::lines::ExportLinesSub(t.s, save, work, 0);
    for (auto _ : state) {
        bb::test::ScriptedPrompter p;
        p.files = {file};
        if (bb::lines::ImportLinesSub(t.s, p, work, 0) != bb::lines::ImportOutcome::Taken)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(linesFileLoad)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
