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

// Slots 0-19 forwards (C, LW, RW in turn), 20-29 defencemen, 30-33 goalies; farm players,
// scratches and dressed players mixed, every other one an unprotected rookie: neither counts
// differently.
std::unique_ptr<Session> team()
{
    auto s = std::make_unique<Session>();
    for (int i = 0; i < 34; ++i) {
        PlayerRec& p = s->Players[0][i];
        p.Name.assign("Player");
        p.Pos = static_cast<std::uint8_t>(i < 20 ? i % 3 : i < 30 ? PosD : PosG);
        p.Sts = static_cast<std::uint8_t>(i % 3 * 100);
        p.Rookie.set(i % 2 == 1);
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

TEST(Protection, LoadedFlagsAndTheMark)
{
    // 12 F, 7 D and 3 G from the league data, one of them flagged 1: nobody can be added, anybody
    // can be taken off.
    auto s = team();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 25, 26, 30, 31, 32})
        s->Players[0][i].Protected.raw = -1;
    s->Players[0][5].Protected.raw = 1;
    for (int add : {12, 27, 33})
        EXPECT_FALSE(ToggleProtection(*s, 0, add)) << add;
    for (int off : {5, 20, 30})
        EXPECT_TRUE(ToggleProtection(*s, 0, off)) << off;
    EXPECT_EQ(CountProtected(*s, 0), (ProtectedCounts{11, 6, 2}));

    // A position without a group is taken off, never put on.
    s->Players[0][40].Name.assign("Player");
    std::tie(s->Players[0][40].Pos, s->Players[0][40].Protected.raw) = std::pair(7, -1);
    EXPECT_TRUE(ToggleProtection(*s, 0, 40));
    EXPECT_FALSE(ToggleProtection(*s, 0, 40));

    // The mark: protected or rookie.
    EXPECT_TRUE(carriesProtectMark(s->Players[0][1]) && carriesProtectMark(s->Players[0][13]));
    EXPECT_FALSE(carriesProtectMark(s->Players[0][12]));
}

} // namespace
