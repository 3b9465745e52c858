// The protected list: counts, the limits they set, the toggle and the list mark.
#include "coach/roster/protection.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>

namespace bb::roster {
namespace {

// Slots 0-19 forwards (C, LW, RW in turn), 20-29 defencemen, 30-33 goalies; farm players,
// scratches and dressed players mixed, every other one an unprotected rookie: neither counts
// differently.
Session team()
{
    Session s;
    for (int i = 0; i < 34; ++i) {
        PlayerRec& p = s.Players[0][i];
        p.Name.assign("Player");
        std::tie(p.Pos, p.Sts) = std::pair(i < 20 ? i % 3 : i < 30 ? PosD : PosG, i % 3 * 100);
        p.Rookie.set(i % 2 == 1);
    }
    return s;
}

TEST(Protection, AddingOneAtATime)
{
    // F, D, G: protect the next player of that group, which must be accepted; f, d, g: refused,
    // leaving the flag as it was.
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
        Session s = team();
        for (const char& c : steps) {
            if (c == ' ')
                continue;
            int ply = std::toupper(c) == 'F' ? 0 : std::toupper(c) == 'D' ? 20 : 30;
            while (s.Players[0][ply].Protected)
                ++ply;
            const bool accepted = std::isupper(c) != 0;
            EXPECT_TRUE(ToggleProtection(s, 0, ply) == accepted &&
                        s.Players[0][ply].Protected.raw == -accepted)
                << what << ", step " << &c - steps.data();
        }
    }
}

TEST(Protection, LoadedFlagsAndTheMark)
{
    // 12 F, 7 D and 3 G from the league data, one of them flagged 1: nobody can be added, anybody
    // can be taken off.
    Session s = team();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 25, 26, 30, 31, 32})
        s.Players[0][i].Protected.raw = -1;
    s.Players[0][5].Protected.raw = 1;
    EXPECT_FALSE(ToggleProtection(s, 0, 12) || ToggleProtection(s, 0, 27) || ToggleProtection(s, 0, 33));
    EXPECT_TRUE(ToggleProtection(s, 0, 5) && ToggleProtection(s, 0, 20) && ToggleProtection(s, 0, 30));
    EXPECT_EQ(CountProtected(s, 0), (ProtectedCounts{11, 6, 2}));

    // A position without a group is taken off, never put on.
    std::tie(s.Players[0][33].Pos, s.Players[0][33].Protected.raw) = std::pair(7, -1);
    EXPECT_TRUE(ToggleProtection(s, 0, 33) && !ToggleProtection(s, 0, 33));

    // The mark: protected or rookie.
    const auto& p = s.Players[0];
    EXPECT_TRUE(carriesProtectMark(p[1]) && carriesProtectMark(p[13]) && !carriesProtectMark(p[12]));
}

} // namespace
} // namespace bb::roster
