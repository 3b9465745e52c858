#include "ratings.h"

#include <algorithm>

namespace bb {

namespace {

using Weights = std::array<int, 13>;

constexpr Weights kGoalie = {5, 17, 4, 3, 1, 1, 7, 3, 8, 0, 0, 1, 1};
constexpr Weights kDefenceStrong = {8, 5, 10, 3, 1, 1, 6, 8, 6, 13, 5, 1, 1};
constexpr Weights kDefenceSkilled = {4, 8, 4, 3, 1, 1, 8, 11, 9, 6, 11, 1, 1};
constexpr Weights kForward = {5, 5, 7, 3, 1, 1, 6, 10, 8, 7, 13, 1, 1};
constexpr std::array<int, 11> kOffense = {3, 10, 3, 1, 1, 1, 10, 15, 12, 2, 18};
constexpr std::array<int, 11> kDefense = {10, 2, 10, 2, 1, 1, 5, 1, 5, 20, 1};

template <std::size_t N>
int weighted(const PlayerRec& p, const std::array<int, N>& w)
{
    int sum = 0;
    for (std::size_t k = 0; k < N; ++k)
        sum += w[k] * p.Skill[k];
    return sum;
}

// Sums are never negative, so whole-number division is the floor.
int capped(int value) { return std::min(value, 99); }

} // namespace

std::optional<int> overallOf(const PlayerRec& p)
{
    const auto& sk = p.Skill;
    switch (p.Pos) {
    case PosG:
        return capped(weighted(p, kGoalie) / 53);
    case PosD: {
        // Compared as whole numbers: a pair above 255 must not wrap around.
        const bool strong = sk[9] + sk[2] > sk[10] + sk[7];
        return capped(weighted(p, strong ? kDefenceStrong : kDefenceSkilled) / 68 + 5);
    }
    case PosC:
    case PosLW:
    case PosRW:
        return capped(weighted(p, kForward) / 68 + 5);
    default:
        return std::nullopt;
    }
}

int offenseOf(const PlayerRec& p) { return capped(weighted(p, kOffense) / 76 + 5); }

int defenseOf(const PlayerRec& p) { return capped(weighted(p, kDefense) / 58); }

namespace {
const PlayerRec& at(const Session& s, int T, int Ply)
{
    return s.Players.at(static_cast<std::size_t>(T)).at(static_cast<std::size_t>(Ply));
}
} // namespace

std::optional<int> Overall(const Session& s, int T, int Ply) { return overallOf(at(s, T, Ply)); }
int OffenseRating(const Session& s, int Ply, int T) { return offenseOf(at(s, T, Ply)); }
int DefenseRating(const Session& s, int Ply, int T) { return defenseOf(at(s, T, Ply)); }

} // namespace bb
