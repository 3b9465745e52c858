#include "coach/lines/line_averages.h"
#include "test_players.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace bb;
using namespace bb::lines;
using bb::test::evenPlayer;

struct Averages : ::testing::Test {
    std::unique_ptr<Session> s = std::make_unique<Session>();
    LineTable t{};

    void SetUp() override
    {
        for (auto& line : t)
            line.fill(NoPlayer);
    }
    PlayerRec& player(int i) { return s->Players[0][static_cast<std::size_t>(i)]; }
};

TEST_F(Averages, EmptyLineShowsZeros)
{
    player(0) = evenPlayer(PosC, 80);
    t[1][0] = 60; // not a roster slot: empty
    const LineAverages a = lineAverages(*s, t, 1);
    for (int v : a.rating)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(a.overall, 0);
}

TEST_F(Averages, DivisorIsTheNominalSize)
{
    // Four players with Skill(1) 80 in a five-man line: 320 / 5.
    for (int y = 0; y < 4; ++y) {
        player(y) = evenPlayer(PosC, 0);
        player(y).Skill[1] = 80;
        t[0][static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(y);
    }
    t[0][4] = 200; // counts as empty, not as a player
    EXPECT_EQ(lineAverages(*s, t, 0).rating[1], 64);

    // A stored 255 is added as it is: 255 / 5.
    player(0).Skill[2] = 255;
    EXPECT_EQ(lineAverages(*s, t, 0).rating[2], 51);
}

TEST_F(Averages, RoundsHalfUp)
{
    // Four-man unit (K2): Skill(0) summing 250 gives 62.5, summing 249 gives 62.25.
    const std::uint8_t skill0[] = {70, 60, 60, 60};
    for (int y = 0; y < 4; ++y) {
        player(10 + y) = evenPlayer(PosD, 0);
        player(10 + y).Skill[0] = skill0[y];
        t[9][static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(10 + y);
    }
    t[9][4] = 10; // spare cell: not part of the unit
    EXPECT_EQ(lineAverages(*s, t, 9).rating[0], 63);
    player(10).Skill[0] = 69;
    EXPECT_EQ(lineAverages(*s, t, 9).rating[0], 62);

    // Three-man unit (K3): overall ratings 65 + 67 + 68 = 200 gives 66.67.
    const std::uint8_t levels[] = {60, 62, 63};
    for (int y = 0; y < 3; ++y) {
        player(20 + y) = evenPlayer(PosC, levels[y]);
        t[10][static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(20 + y);
    }
    EXPECT_EQ(lineAverages(*s, t, 10).overall, 67);
    EXPECT_EQ(lineAverages(*s, t, 10).rating[5], 62); // 185 / 3 = 61.67
}

TEST_F(Averages, FocusAndOutOfRangeLines)
{
    EXPECT_EQ(focusHeader(5), 1);
    EXPECT_EQ(focusHeader(8), 0);
    EXPECT_EQ(focusHeader(11), 3);
    EXPECT_EQ(nominalSize(5), 5);
    EXPECT_EQ(nominalSize(6), 4);
    EXPECT_EQ(nominalSize(11), 3);

    player(0) = evenPlayer(PosC, 80);
    t[12][1] = 0;
    EXPECT_EQ(lineAverages(*s, t, 12).overall, 0);
    EXPECT_EQ(lineAverages(*s, t, -1).overall, 0);
}

} // namespace
