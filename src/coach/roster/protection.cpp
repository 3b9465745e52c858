#include "protection.h"

#include <optional>

namespace bb::roster {

namespace {

enum class Group { Forwards, Defencemen, Goalies };

std::optional<Group> groupOf(std::uint8_t pos)
{
    if (pos <= PosRW)
        return Group::Forwards;
    if (pos == PosD)
        return Group::Defencemen;
    if (pos == PosG)
        return Group::Goalies;
    return std::nullopt;
}

bool validTeamSlot(int T)
{
    return T == 0 || T == 1;
}

} // namespace

ProtectedCounts CountProtected(const Session& s, int T)
{
    ProtectedCounts c;
    if (!validTeamSlot(T))
        return c;
    for (const PlayerRec& p : s.Players[static_cast<std::size_t>(T)]) {
        const auto group = groupOf(p.Pos);
        if (p.Protected && group)
            ++(*group == Group::Forwards ? c.F : *group == Group::Defencemen ? c.D : c.G);
    }
    return c;
}

ProtectionLimits LimitsFor(const ProtectedCounts& c)
{
    // The order matters: a later rule overrides an earlier one for the same limit.
    ProtectionLimits l;
    if (c.D >= 6) {
        l.forwards = 9;
        l.goalies = 1;
    }
    if (c.F >= 10) {
        l.defencemen = 5;
        l.goalies = 1;
    }
    if (c.D >= 5 || c.F >= 9)
        l.goalies = 1;
    // More than two goalies can only come from loaded flags; they tighten the skaters' limits as
    // two do rather than lifting them again.
    if (c.G >= 2) {
        l.forwards = 8;
        l.defencemen = 4;
        if (c.D >= 4)
            l.forwards = 7;
        if (c.F >= 8)
            l.defencemen = 3;
    }
    return l;
}

bool ToggleProtection(Session& s, int T, int Ply)
{
    if (!validTeamSlot(T) || Ply < 0 || Ply >= RosterSize)
        return false;
    PlayerRec& p = s.Players[static_cast<std::size_t>(T)][static_cast<std::size_t>(Ply)];
    if (p.Protected) {
        p.Protected.set(false);
        return true;
    }
    const auto group = groupOf(p.Pos);
    if (!group)
        return false;
    const ProtectedCounts c = CountProtected(s, T);
    const ProtectionLimits l = LimitsFor(c);
    // Only the player's own group is tested, against the counts of this moment.
    const bool room = *group == Group::Forwards     ? c.F + 1 <= l.forwards
                      : *group == Group::Defencemen ? c.D + 1 <= l.defencemen
                                                    : c.G + 1 <= l.goalies;
    if (!room)
        return false;
    p.Protected.set(true);
    return true;
}

bool carriesProtectMark(const PlayerRec& p)
{
    return static_cast<bool>(p.Protected) || static_cast<bool>(p.Rookie);
}

} // namespace bb::roster
