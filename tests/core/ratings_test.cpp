// Ratings checked against sums worked out by hand, not against the formula code.
#include "core/ratings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>

namespace {

using bb::PlayerRec;

PlayerRec player(std::uint8_t pos, std::uint8_t skill)
{
    PlayerRec p;
    p.Name.assign("Test Player");
    p.Pos = pos;
    p.Skill.fill(skill);
    return p;
}

TEST(Overall, WorkedExamples)
{
    // Forwards: 50 x 68 = 3400; 3400 / 68 = 50; + 5.
    EXPECT_EQ(bb::overallOf(player(bb::PosC, 50)), 55);
    EXPECT_EQ(bb::overallOf(player(bb::PosLW, 50)), 55);
    EXPECT_EQ(bb::overallOf(player(bb::PosRW, 50)), 55);
    // Goalie: 50 x 51 = 2550; 2550 / 53 = 48.1; no bonus.
    EXPECT_EQ(bb::overallOf(player(bb::PosG, 50)), 48);
    // Defenceman, both pairs 100 (a tie): second formula, weights also add to 68.
    EXPECT_EQ(bb::overallOf(player(bb::PosD, 50)), 55);
}

TEST(Overall, DefencemanFormulaChoice)
{
    // Others 50; ST 40, PA 30, DF 60, SC 70: DF + ST = 100 = SC + PA, a tie.
    PlayerRec d = player(bb::PosD, 50);
    d.Skill[2] = 40;
    d.Skill[7] = 30;
    d.Skill[9] = 60;
    d.Skill[10] = 70;
    // Second formula: 50 x (4+8+3+1+1+8+9+1+1) = 1800, + 4x40 + 11x30 + 6x60 + 11x70 = 1620;
    // 3420 / 68 = 50.3 -> 50 + 5. The first would give 3370 / 68 = 49.6 -> 54.
    EXPECT_EQ(bb::overallOf(d), 55);

    // DF 61: 101 > 100 takes the first formula: 1600 + 400 + 240 + 13x61 + 350 = 3383 -> 49 + 5.
    d.Skill[9] = 61;
    EXPECT_EQ(bb::overallOf(d), 54);

    // Pair sums beyond a byte are compared as whole numbers: DF 200 + ST 100 = 300 beats
    // SC 100 + PA 100 = 200 (as bytes 44 would lose to 200). Others 0.
    PlayerRec big = player(bb::PosD, 0);
    big.Skill[2] = 100;
    big.Skill[7] = 100;
    big.Skill[9] = 200;
    big.Skill[10] = 100;
    // First: 10x100 + 8x100 + 13x200 + 5x100 = 4900 / 68 = 72.06 -> 77.
    // (Second: 400 + 1100 + 1200 + 1100 = 3800 / 68 = 55.9 -> 60.)
    EXPECT_EQ(bb::overallOf(big), 77);
}

TEST(Overall, GoalieIgnoresDefenceAndScoring)
{
    PlayerRec g = player(bb::PosG, 50);
    g.Skill[9] = 255;
    g.Skill[10] = 255;
    EXPECT_EQ(bb::overallOf(g), 48);
    // Skill 13 counts for nobody.
    g.Skill[13] = 0;
    EXPECT_EQ(bb::overallOf(g), 48);
    PlayerRec c = player(bb::PosC, 50);
    c.Skill[13] = 255;
    EXPECT_EQ(bb::overallOf(c), 55);
}

TEST(Overall, CapAndLimits)
{
    EXPECT_EQ(bb::overallOf(player(bb::PosC, 95)), 99); // 95 + 5 = 100
    EXPECT_EQ(bb::overallOf(player(bb::PosC, 94)), 99); // exactly 99
    EXPECT_EQ(bb::overallOf(player(bb::PosD, 255)), 99);
    EXPECT_EQ(bb::overallOf(player(bb::PosG, 99)), 95);  // 99 x 51 / 53 = 95.3
    EXPECT_EQ(bb::overallOf(player(bb::PosG, 255)), 99); // 255 x 51 / 53 = 245.4
    EXPECT_EQ(bb::overallOf(player(5, 50)), std::nullopt);
    EXPECT_EQ(bb::overallOf(player(255, 50)), std::nullopt);
}

TEST(OffenseDefense, WeightedSums)
{
    PlayerRec p = player(bb::PosRW, 0);
    const std::array<std::uint8_t, 11> sk = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
    for (std::size_t k = 0; k < sk.size(); ++k)
        p.Skill[k] = sk[k];
    p.Skill[11] = p.Skill[12] = p.Skill[13] = 255; // not part of either formula
    // Offence: 30 + 200 + 90 + 40 + 50 + 60 + 700 + 1200 + 1080 + 200 + 1980 = 5630; / 76 = 74.1; + 5.
    EXPECT_EQ(bb::offenseOf(p), 79);
    // Defence: 100 + 40 + 300 + 80 + 50 + 60 + 350 + 80 + 450 + 2000 + 110 = 3620; / 58 = 62.4.
    EXPECT_EQ(bb::defenseOf(p), 62);
    // The same for every position.
    p.Pos = bb::PosG;
    EXPECT_EQ(bb::offenseOf(p), 79);
    EXPECT_EQ(bb::defenseOf(p), 62);

    EXPECT_EQ(bb::offenseOf(player(bb::PosC, 95)), 99);
    EXPECT_EQ(bb::defenseOf(player(bb::PosC, 99)), 99);
    EXPECT_EQ(bb::defenseOf(player(bb::PosC, 255)), 99);
}

TEST(Ratings, EmptySlotAndArgumentOrder)
{
    bb::Session s;
    // An empty slot is all zeros: position 0, every skill 0.
    EXPECT_EQ(bb::Overall(s, 0, 7), 5);
    EXPECT_EQ(bb::OffenseRating(s, 7, 0), 5);
    EXPECT_EQ(bb::DefenseRating(s, 7, 0), 0);

    // Overall takes the team slot first; the other two take it second.
    s.Players[1][0] = player(bb::PosC, 70); // 75 / 75 / 70
    s.Players[0][1] = player(bb::PosC, 40); // 45 / 45 / 40
    EXPECT_EQ(bb::Overall(s, 1, 0), 75);
    EXPECT_EQ(bb::OffenseRating(s, 0, 1), 75);
    EXPECT_EQ(bb::DefenseRating(s, 0, 1), 70);
    EXPECT_EQ(bb::Overall(s, 0, 1), 45);
    EXPECT_EQ(bb::OffenseRating(s, 1, 0), 45);
    EXPECT_EQ(bb::DefenseRating(s, 1, 0), 40);
}

} // namespace
