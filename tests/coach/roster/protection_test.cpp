// The protected list: counts, the limits they set, the toggle and the list mark.
#include "coach/roster/protection.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace bb;
using namespace bb::roster;

// Slots 0-19 forwards (C, LW, RW in turn), 20-29 defencemen, 30-33 goalies; roster classes mixed,
// which the limits ignore.
std::unique_ptr<Session> team()
{
    auto s = std::make_unique<Session>();
    for (int i = 0; i < 34; ++i) {
        PlayerRec& p = s->Players[0][i];
        p.Name.assign("Player");
        p.Pos = static_cast<std::uint8_t>(i < 20 ? i % 3 : i < 30 ? PosD : PosG);
        p.Sts = static_cast<std::uint8_t>(i % 3 * 100);
    }
    return s;
}

std::vector<std::array<std::uint8_t, PlayerRec::Size>> records(const Session& s)
{
    std::vector<std::array<std::uint8_t, PlayerRec::Size>> r;
    for (const PlayerRec& p : s.Players[0])
        r.push_back(p.encoded());
    return r;
}

TEST(Protection, AddingOneAtATime)
{
    // F, D, G: protect the next player of that group, which must be accepted; f, d, g: refused.
    const std::pair<const char*, std::string> cases[] = {
        {"10 F: D up to 5, then one G", "FFFFFFFFFF DDDDD d G g f"},
        {"6 D: F up to 9, then one G", "DDDDDD FFFFFFFFF f G g d"},
        {"two G first, then 8 F: D up to 3", "GG FFFFFFFF DDD d f g"},
        {"two G first, then 4 D: F up to 7", "GG DDDD FFFFFFF f d"},
        {"8 F, 4 D, 1 G: a second G, then no skater", "FFFFFFFF DDDD G G f d"},
        {"9 F and one G: no second G", "FFFFFFFFF G g"},
        {"5 D and one G: no second G", "DDDDD G g"},
    };
    for (const auto& [what, steps] : cases) {
        auto s = team();
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const char c = steps[k];
            if (c == ' ')
                continue;
            int ply = c == 'F' || c == 'f' ? 0 : c == 'D' || c == 'd' ? 20 : 30;
            while (s->Players[0][ply].Protected)
                ++ply;
            const auto before = records(*s);
            const bool accepted = std::isupper(c) != 0;
            EXPECT_EQ(ToggleProtection(*s, 0, ply), accepted) << what << ", step " << k;
            if (accepted)
                EXPECT_EQ(s->Players[0][ply].Protected.raw, -1) << what;
            else
                EXPECT_EQ(records(*s), before) << what << ": a refusal changes nothing";
        }
    }
}

TEST(Protection, LimitsInRuleOrder)
{
    const std::pair<ProtectedCounts, ProtectionLimits> cases[] = {
        {{0, 0, 0}, {10, 6, 2}}, {{10, 0, 0}, {10, 5, 1}}, {{0, 6, 0}, {9, 6, 1}}, {{0, 5, 0}, {10, 6, 1}},
        {{9, 0, 0}, {10, 6, 1}}, {{0, 0, 2}, {8, 4, 2}},   {{8, 4, 2}, {7, 3, 2}}, {{10, 6, 2}, {7, 3, 1}},
        {{8, 0, 3}, {8, 3, 2}}, // three goalies tighten the skaters as two do
    };
    for (const auto& [counts, limits] : cases)
        EXPECT_EQ(LimitsFor(counts), limits) << counts.F << " " << counts.D << " " << counts.G;
}

TEST(Protection, WhoCounts)
{
    auto s = std::make_unique<Session>();
    auto& r = s->Players[0];
    const auto flag = [&](int i, std::uint8_t pos, std::uint8_t sts, std::int16_t raw) {
        r[i].Name.assign("Player");
        std::tie(r[i].Pos, r[i].Sts, r[i].Protected.raw) = std::tuple(pos, sts, raw);
    };
    flag(0, PosC, 0, -1);  // on the farm
    flag(1, PosD, 200, 1); // any non-zero value is protected
    flag(2, PosG, 100, -1);
    flag(3, PosLW, 0, 0); // an unprotected rookie
    r[3].Rookie.raw = -1;
    flag(4, PosD, 0, -1); // an empty slot with the flag
    r[4].Name.b[0] = '\0';
    flag(5, PosRW, 100, -1); // released
    r[5].Released = 1;
    flag(6, 7, 100, -1); // no group
    EXPECT_EQ(CountProtected(*s, 0), (ProtectedCounts{2, 2, 1}));
    EXPECT_EQ(CountProtected(*s, 2), (ProtectedCounts{}));

    EXPECT_TRUE(ToggleProtection(*s, 0, 6));
    EXPECT_FALSE(ToggleProtection(*s, 0, 6)) << "off, but never on again";
    EXPECT_EQ(r[6].Protected.raw, 0);
    EXPECT_TRUE(ToggleProtection(*s, 0, 1));
    EXPECT_EQ(r[1].Protected.raw, 0);
    for (int bad : {-1, 50})
        EXPECT_FALSE(ToggleProtection(*s, 0, bad));
    EXPECT_FALSE(ToggleProtection(*s, 2, 0)) << "no such team slot";

    // The mark: protected or rookie. A rookie taken off the list still carries it.
    EXPECT_TRUE(ToggleProtection(*s, 0, 3));
    EXPECT_TRUE(ToggleProtection(*s, 0, 3));
    EXPECT_TRUE(carriesProtectMark(r[3]));
    EXPECT_TRUE(carriesProtectMark(r[0]));
    EXPECT_FALSE(carriesProtectMark(r[6]));
}

TEST(Protection, LoadedBeyondTheLimits)
{
    // 12 F, 7 D and 3 G from the league data: nobody can be added, anybody can be taken off.
    auto s = team();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 25, 26, 30, 31, 32})
        s->Players[0][i].Protected.raw = 1;
    const auto before = records(*s);
    for (int add : {12, 27, 33})
        EXPECT_FALSE(ToggleProtection(*s, 0, add)) << add;
    EXPECT_EQ(records(*s), before);
    for (int off : {0, 20, 30})
        EXPECT_TRUE(ToggleProtection(*s, 0, off)) << off;
    EXPECT_EQ(CountProtected(*s, 0), (ProtectedCounts{11, 6, 2}));
}

} // namespace
