// Ratings checked against sums worked out by hand, not against the formula code.
#include "core/ratings.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>

namespace {

using namespace bb;
using Skills = std::array<std::uint8_t, 14>;

// Skills chosen so that swapping any two weights of a formula changes its result; in A,
// DF + ST = 194 > SC + PA = 93, in B 108 < 226. Skill 13 counts for nobody.
constexpr Skills A{68, 93, 176, 222, 150, 165, 1, 37, 120, 18, 56, 206, 109, 255};
constexpr Skills B{130, 104, 33, 91, 8, 60, 117, 52, 20, 75, 174, 60, 7, 255};
constexpr auto all = [](std::uint8_t v) { Skills s{}; s.fill(v); return s; };

PlayerRec player(std::uint8_t pos, Skills skills)
{
    PlayerRec p;
    p.Pos = pos;
    p.Skill = skills;
    return p;
}

TEST(Ratings, OverallOffenseDefenseAndArgumentOrder)
{
    const std::tuple<const char*, PlayerRec, std::optional<int>> cases[] = {
        {"centre, all 50: 3400 / 68 + 5", player(PosC, all(50)), 55},
        // DF and SC at 255 ignored: 2550 / 53 = 48.1, no bonus.
        {"goalie, all 50", player(PosG, {50, 50, 50, 50, 50, 50, 50, 50, 50, 255, 255, 50, 50, 50}), 48},
        {"forward A: 5523 / 68 = 81.2", player(PosLW, A), 86},
        {"goalie A: 4999 / 53 = 94.3", player(PosG, A), 94},
        {"defenceman A, first formula: 5601 / 68 = 82.4", player(PosD, A), 87},
        {"defenceman B, second formula: 5944 / 68 = 87.4", player(PosD, B), 92},
        // DF + ST = 60 + 40 = 100 = SC + PA = 70 + 30: second formula, 1800 + 1620 = 3420 / 68 = 50.3;
        // the first would give 3370 / 68 = 49.6.
        {"defenceman tie", player(PosD, {50, 50, 40, 50, 50, 50, 50, 30, 50, 60, 70, 50, 50, 50}), 55},
        // Others 0: DF 200 + ST 100 = 300 beats SC 100 + PA 100 = 200 (as bytes, 44 would lose).
        // First: 1000 + 800 + 2600 + 500 = 4900 / 68 = 72.06; the second would give 60.
        {"defenceman, sums above 255", player(PosD, {0, 0, 100, 0, 0, 0, 0, 100, 0, 200, 100, 0, 0, 0}), 77},
        {"right wing, 95 + 5 = 100 capped", player(PosRW, all(95)), 99},
        {"goalie, all 255: capped", player(PosG, all(255)), 99},
        {"position code 5", player(5, all(50)), std::nullopt},
    };
    for (const auto& [what, p, overall] : cases)
        EXPECT_EQ(overallOf(p), overall) << what;

    // A: offence 5248 / 76 = 69.1, + 5; defence 4443 / 58 = 76.6, whatever the position.
    EXPECT_EQ(std::pair(offenseOf(player(PosG, A)), defenseOf(player(PosRW, A))), std::pair(74, 76));

    // Overall takes the team slot first, the other two take it second. All 255: each capped. An
    // empty slot is all zeros, position 0 and every skill 0: 5 / 5 / 0.
    Session s;
    s.Players[1][0] = player(PosC, all(255));
    s.Players[0][1] = player(PosC, all(40)); // 45 / 45 / 40
    EXPECT_EQ(std::tuple(Overall(s, 1, 0), OffenseRating(s, 0, 1), DefenseRating(s, 0, 1)),
              std::tuple(std::optional(99), 99, 99));
    EXPECT_EQ(std::tuple(Overall(s, 0, 7), OffenseRating(s, 7, 0), DefenseRating(s, 7, 0)),
              std::tuple(std::optional(5), 5, 0));
}

} // namespace
