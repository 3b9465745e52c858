// Ratings checked against sums worked out by hand, not against the formula code.
#include "core/ratings.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

namespace {

using bb::PlayerRec;
using Skills = std::array<std::uint8_t, 14>;

// Skills chosen so that swapping any two weights of a formula changes its result; in A,
// DF + ST = 194 > SC + PA = 93, in B 108 < 226. Skill 13 counts for nobody.
constexpr Skills A{68, 93, 176, 222, 150, 165, 1, 37, 120, 18, 56, 206, 109, 255};
constexpr Skills B{130, 104, 33, 91, 8, 60, 117, 52, 20, 75, 174, 60, 7, 255};

// A player at position pos with every skill at `all`, then the listed skills changed.
PlayerRec player(std::uint8_t pos, std::uint8_t all, std::initializer_list<std::pair<int, int>> skills = {})
{
    PlayerRec p;
    p.Name.assign("Test Player");
    p.Pos = pos;
    p.Skill.fill(all);
    for (auto [k, v] : skills)
        p.Skill.at(static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(v);
    return p;
}

PlayerRec player(std::uint8_t pos, const Skills& skills)
{
    PlayerRec p = player(pos, 0);
    p.Skill = skills;
    return p;
}

TEST(Ratings, Overall)
{
    const struct {
        const char* what;
        PlayerRec p;
        std::optional<int> overall;
    } cases[] = {
        {"centre, all 50: 3400 / 68 + 5", player(bb::PosC, 50), 55},
        {"goalie, all 50: 2550 / 53 = 48.1, no bonus", player(bb::PosG, 50), 48},
        {"forward A: 5523 / 68 = 81.2", player(bb::PosLW, A), 86},
        {"goalie A: 4999 / 53 = 94.3", player(bb::PosG, A), 94},
        {"defenceman A, first formula: 5601 / 68 = 82.4", player(bb::PosD, A), 87},
        {"defenceman B, second formula: 5944 / 68 = 87.4", player(bb::PosD, B), 92},
        {"goalie ignores DF and SC", player(bb::PosG, 50, {{9, 255}, {10, 255}}), 48},
        // DF + ST = 60 + 40 = 100 = SC + PA = 70 + 30: second formula, 1800 + 1620 = 3420 / 68 = 50.3;
        // the first would give 3370 / 68 = 49.6.
        {"defenceman tie: second formula", player(bb::PosD, 50, {{2, 40}, {7, 30}, {9, 60}, {10, 70}}), 55},
        // DF 61: 101 > 100, first formula: 1600 + 400 + 240 + 793 + 350 = 3383 / 68 = 49.8.
        {"defenceman, first formula", player(bb::PosD, 50, {{2, 40}, {7, 30}, {9, 61}, {10, 70}}), 54},
        // Others 0: DF 200 + ST 100 = 300 beats SC 100 + PA 100 = 200 (as bytes, 44 would lose).
        // First: 1000 + 800 + 2600 + 500 = 4900 / 68 = 72.06; the second would give 60.
        {"defenceman, sums above 255", player(bb::PosD, 0, {{2, 100}, {7, 100}, {9, 200}, {10, 100}}), 77},
        {"right wing, 95 + 5 = 100 capped", player(bb::PosRW, 95), 99},
        {"255 x 68 capped", player(bb::PosD, 255), 99},
        {"goalie, all 99: 95.3 stays below the cap", player(bb::PosG, 99), 95},
        {"goalie, all 255: capped", player(bb::PosG, 255), 99},
        {"position code 5", player(5, 50), std::nullopt},
        {"position code 255", player(255, 50), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bb::overallOf(c.p), c.overall) << c.what;
}

TEST(Ratings, OffenseDefenseAndArgumentOrder)
{
    // A: offence 5248 / 76 = 69.1, + 5; defence 4443 / 58 = 76.6. The same for every position.
    for (std::uint8_t pos : {bb::PosRW, bb::PosG}) {
        EXPECT_EQ(bb::offenseOf(player(pos, A)), 74);
        EXPECT_EQ(bb::defenseOf(player(pos, A)), 76);
    }
    EXPECT_EQ(bb::offenseOf(player(bb::PosC, 95)), 99);
    EXPECT_EQ(bb::defenseOf(player(bb::PosC, 255)), 99);

    bb::Session s; // an empty slot is all zeros: position 0, every skill 0
    EXPECT_EQ(bb::Overall(s, 0, 7), 5);
    EXPECT_EQ(bb::OffenseRating(s, 7, 0), 5);
    EXPECT_EQ(bb::DefenseRating(s, 7, 0), 0);
    // Overall takes the team slot first, the other two take it second.
    s.Players[1][0] = player(bb::PosC, 70); // 75 / 75 / 70
    s.Players[0][1] = player(bb::PosC, 40); // 45 / 45 / 40
    EXPECT_EQ(bb::Overall(s, 1, 0), 75);
    EXPECT_EQ(bb::OffenseRating(s, 0, 1), 75);
    EXPECT_EQ(bb::DefenseRating(s, 0, 1), 70);
}

} // namespace
