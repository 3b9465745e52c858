// Cost of the automatic lines on a full team of 50 players.
#include "coach/lines/auto_lines.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace bb;

// 50 players: a game roster of 4 C, 4 LW, 4 RW, 6 D and 2 G, then scratches and farm players of
// every position, with skills spread so that ratings differ.
std::unique_ptr<Session> fullTeam(std::uint8_t dressedStatus)
{
    static const std::uint8_t dressedPos[20] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4};
    auto s = std::make_unique<Session>();
    for (int i = 0; i < RosterSize; ++i) {
        PlayerRec& p = s->Players[0][static_cast<std::size_t>(i)];
        p.Name.assign("Player");
        p.Pos = i < 20 ? dressedPos[i] : static_cast<std::uint8_t>(i % 5);
        p.Sts = i < 20 ? dressedStatus : static_cast<std::uint8_t>(i < 30 ? 100 : 0);
        p.Con = static_cast<std::uint8_t>(40 + (i * 7) % 60);
        for (std::size_t k = 0; k < p.Skill.size(); ++k)
            p.Skill[k] = static_cast<std::uint8_t>(30 + (i * 13 + static_cast<int>(k) * 29) % 65);
    }
    return s;
}

void autoLines(benchmark::State& state, std::uint8_t dressedStatus)
{
    const auto s = fullTeam(dressedStatus);
    LineTable t{};
    for (auto _ : state) {
        lines::AutoLines(*s, t, 0, 0);
        benchmark::DoNotOptimize(t);
    }
}

void BM_AutoLines_GameRoster(benchmark::State& state)
{
    autoLines(state, 200);
}
// Nobody healthy on the game roster: every cell falls through to the wider passes.
void BM_AutoLines_AllInjured(benchmark::State& state)
{
    autoLines(state, 205);
}

} // namespace

BENCHMARK(BM_AutoLines_GameRoster);
BENCHMARK(BM_AutoLines_AllInjured);

BENCHMARK_MAIN();
