// The generated league is what the other tests and the demo stand on: check what they rely on.
#include "core/records.h"
#include "demo_league.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct League {
    bb::LeagueRec header;
    std::vector<bb::TeamRec> teams;
    std::vector<bb::PlayerRec> players;
};

League load(const std::filesystem::path& base)
{
    const Bytes lge = readFile(base.string() + ".lge");
    const Bytes tms = readFile(base.string() + ".tms");
    const Bytes ros = readFile(base.string() + ".ros");
    League l;
    l.header = bb::LeagueRec::decode(std::span<const std::uint8_t, 459>(lge.data(), 459));
    for (std::size_t off = 0; off + 254 <= tms.size(); off += 254)
        l.teams.push_back(bb::TeamRec::decode(std::span<const std::uint8_t, 254>(tms.data() + off, 254)));
    for (std::size_t off = 0; off + 86 <= ros.size(); off += 86)
        l.players.push_back(bb::PlayerRec::decode(std::span<const std::uint8_t, 86>(ros.data() + off, 86)));
    return l;
}

TEST(DemoLeague, SameSeedSameBytes)
{
    bb::test::TempDir dir;
    bb::demo::Options o;
    o.teams = 7;
    ASSERT_TRUE(bb::demo::writeDemoLeague(dir / "a", o).ok());
    ASSERT_TRUE(bb::demo::writeDemoLeague(dir / "b", o).ok());
    o.seed = 2;
    ASSERT_TRUE(bb::demo::writeDemoLeague(dir / "c", o).ok());
    for (const char* ext : {".lge", ".tms", ".ros"}) {
        EXPECT_EQ(readFile(dir / "a" / (std::string("demo") + ext)),
                  readFile(dir / "b" / (std::string("demo") + ext)));
        EXPECT_NE(readFile(dir / "a" / (std::string("demo") + ext)),
                  readFile(dir / "c" / (std::string("demo") + ext)));
    }
    EXPECT_EQ(readFile(dir / "a" / "demo.tms").size(), 7u * 254);
    EXPECT_EQ(readFile(dir / "a" / "demo.ros").size(), 7u * 50 * 86);

    o.teams = 0;
    EXPECT_FALSE(bb::demo::writeDemoLeague(dir / "d", o).ok());
    o.teams = 51;
    EXPECT_FALSE(bb::demo::writeDemoLeague(dir / "d", o).ok());
}

TEST(DemoLeague, HoldsTheCasesTheProgramMustHandle)
{
    bb::test::TempDir dir;
    ASSERT_TRUE(bb::demo::writeDemoLeague(dir.path(), {}).ok());
    const League l = load(dir / "demo");
    ASSERT_EQ(l.teams.size(), 24u);
    EXPECT_EQ(l.header.MaxTeam, 23);
    EXPECT_EQ(l.header.SchedGames, 41 * 24);

    std::set<int> injuries;
    int suspendedForGood = 0, released = 0;
    for (std::size_t t = 0; t < l.teams.size(); ++t) {
        EXPECT_LE(l.teams[t].Conf, 1);
        EXPECT_LE(l.teams[t].Div, 1);
        int dressed = 0, empty = 0;
        std::array<int, 5> byPos{};
        for (std::size_t s = 0; s < 50; ++s) {
            const bb::PlayerRec& p = l.players[t * 50 + s];
            if (p.isEmpty()) {
                ++empty;
                continue;
            }
            if (p.injury())
                injuries.insert(p.injury());
            suspendedForGood += p.Susp == 99;
            released += p.Released == 1;
            if (p.Sts == 200) {
                ++dressed;
                ++byPos.at(p.Pos);
            }
        }
        EXPECT_GT(empty, 0);
        if (t % 5 == 3) {
            EXPECT_NE(byPos, (std::array<int, 5>{4, 4, 4, 6, 2})) << "team " << t;
        } else {
            EXPECT_EQ(byPos, (std::array<int, 5>{4, 4, 4, 6, 2})) << "team " << t;
        }
    }
    EXPECT_EQ(injuries, (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_GT(suspendedForGood, 0);
    EXPECT_EQ(released, 24);

    // Team 0 has a complete table of healthy dressed players; the others have none.
    const auto& lines = l.teams[0].LineSlots;
    for (std::size_t x = 0; x < 13; ++x) {
        const std::size_t used = x <= 5 ? 5 : x <= 9 ? 4 : 3;
        for (std::size_t y = 0; y < 5; ++y) {
            const std::uint8_t cell = lines[x][y];
            if (y >= used) {
                EXPECT_EQ(cell, bb::NoPlayer);
                continue;
            }
            ASSERT_LT(cell, 50);
            EXPECT_EQ(l.players[cell].Sts, 200);
            EXPECT_EQ(l.players[cell].Pos == bb::PosG, x == 12 && y == 0) << x << "," << y;
        }
    }
    EXPECT_EQ(l.teams[1].LineSlots[0][0], bb::NoPlayer);
}

} // namespace
