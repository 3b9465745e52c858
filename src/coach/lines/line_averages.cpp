#include "line_averages.h"

#include "core/ratings.h"
#include "line_table.h"

#include <cmath>

namespace bb::lines {

LineAverages lineAverages(const Session& s, const LineTable& t, int x)
{
    LineAverages out;
    if (x < 0 || x > 11)
        return out;
    // The divisor is the number of slots the line has, however many of them are filled.
    const int n = slotsOfLine(x);
    std::array<int, 13> sums{};
    int total = 0;
    for (int y = 0; y < n; ++y) {
        const std::uint8_t c = t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
        if (!occupied(c))
            continue;
        const PlayerRec& p = s.Players[0][c];
        for (std::size_t k = 0; k < sums.size(); ++k)
            sums[k] += p.Skill[k];
        total += overallOf(p).value_or(0);
    }
    // An empty cell counts as a player rated 0: the divisor is always the nominal size.
    const auto halfUp = [n](int sum) { return static_cast<int>(std::floor(static_cast<double>(sum) / n + 0.5)); };
    for (std::size_t k = 0; k < sums.size(); ++k)
        out.rating[k] = halfUp(sums[k]);
    out.overall = halfUp(total);
    return out;
}

} // namespace bb::lines
