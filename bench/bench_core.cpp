// Cost of loading a full 50-team league into the working files, against a plain copy of the same
// three files (and the same copy synced to the disk, as the load does), and of reading and
// writing back one team's records.
#include "core/league_io.h"
#include "demo_league.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

struct Workspace {
    fs::path root;
    std::string league; // league path without extension
    fs::path home;
};

Workspace* ws = nullptr;

void loadLeague(benchmark::State& state)
{
    auto s = std::make_unique<bb::Session>();
    s->init(ws->home);
    for (auto _ : state) {
        if (!bb::LoadLg(*s, ws->league).ok())
            state.SkipWithError("league load failed");
    }
}
BENCHMARK(loadLeague)->Unit(benchmark::kMicrosecond);

void copyLeagueFiles(benchmark::State& state)
{
    const fs::path copies = ws->root / "copies";
    fs::create_directories(copies);
    for (auto _ : state) {
        std::error_code ec;
        fs::copy_file(ws->league + ".tms", copies / "swp.t", fs::copy_options::overwrite_existing, ec);
        fs::copy_file(ws->league + ".ros", copies / "swp.r", fs::copy_options::overwrite_existing, ec);
        fs::copy_file(ws->league + ".lge", copies / "swp.l", fs::copy_options::overwrite_existing, ec);
        if (ec)
            state.SkipWithError("copy failed");
    }
}
BENCHMARK(copyLeagueFiles)->Unit(benchmark::kMicrosecond);

// The same copy made durable, as the load makes its working files: each copy synced to the disk.
void copyLeagueFilesSynced(benchmark::State& state)
{
    const fs::path copies = ws->root / "copies";
    fs::create_directories(copies);
    for (auto _ : state) {
        std::error_code ec;
        for (const auto& [from, to] : {std::pair{".tms", "swp.t"}, std::pair{".ros", "swp.r"}, std::pair{".lge", "swp.l"}}) {
            fs::copy_file(ws->league + from, copies / to, fs::copy_options::overwrite_existing, ec);
            const int fd = ::open((copies / to).c_str(), O_RDONLY);
            if (fd < 0 || ::fsync(fd) != 0)
                state.SkipWithError("sync failed");
            if (fd >= 0)
                ::close(fd);
        }
        if (ec)
            state.SkipWithError("copy failed");
    }
}
BENCHMARK(copyLeagueFilesSynced)->Unit(benchmark::kMicrosecond);

void loadAndSaveTeam(benchmark::State& state)
{
    auto s = std::make_unique<bb::Session>();
    s->init(ws->home);
    if (!bb::LoadLg(*s, ws->league).ok()) {
        state.SkipWithError("league load failed");
        return;
    }
    for (auto _ : state) {
        if (!bb::LoadTeam(*s, 25, 0).ok() || !bb::SaveTeam(*s, 25, 0).ok())
            state.SkipWithError("team load or save failed");
    }
}
BENCHMARK(loadAndSaveTeam)->Unit(benchmark::kMicrosecond);

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
    Workspace w{pattern, (fs::path(pattern) / "league" / "big").string(), fs::path(pattern) / "home"};
    fs::create_directories(w.home);
    bb::demo::Options options;
    options.name = "big";
    options.teams = 50;
    if (bb::Status st = bb::demo::writeDemoLeague(w.root / "league", options); !st) {
        std::fprintf(stderr, "%s\n", st.error().c_str());
        return 1;
    }
    ws = &w;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(w.root, ec);
    return 0;
}
