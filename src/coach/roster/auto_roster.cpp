#include "auto_roster.h"

#include "core/ratings.h"

#include <array>

namespace bb::roster {

namespace {

constexpr std::uint8_t Farm = 0;
constexpr std::uint8_t Scratched = 100; // healthy scratch
constexpr std::uint8_t Dressed = 200;   // healthy, on the game roster

bool validTeamSlot(int T)
{
    return T == 0 || T == 1;
}

// The search every pass shares: slots in ascending order, strictly greater replaces, so equal
// scores go to the lower slot; the best starts at 0, so a score of 0 never wins.
template <typename Admits, typename Score> std::uint8_t bestOf(Admits admits, Score score)
{
    std::uint8_t pick = NoPlayer;
    int best = 0;
    for (int i = 0; i < RosterSize; ++i) {
        if (!admits(i))
            continue;
        const int sc = score(i);
        if (sc > best) {
            best = sc;
            pick = static_cast<std::uint8_t>(i);
        }
    }
    return pick;
}

bool matches(std::uint8_t wanted, std::uint8_t pos)
{
    return pos == wanted || (wanted == AnySkater && pos != PosG);
}

struct Pick {
    std::uint8_t pos;
    std::uint8_t style;
};

// Forwards by position first, so each position gets its best attackers and one defensive
// player; then the defence, alternating; then the three best skaters left; the goalies last.
constexpr std::array<Pick, 20> kPicks = {{
    {PosC, Offence},           {PosC, Offence},           {PosC, Defence},           // centres
    {PosLW, Offence},          {PosLW, Offence},          {PosLW, Defence},          // left wings
    {PosRW, Offence},          {PosRW, Offence},          {PosRW, Defence},          // right wings
    {PosD, Offence},           {PosD, Defence},           {PosD, Offence},           // defencemen
    {PosD, Defence},           {PosD, Offence},           {PosD, Defence},           // in turn
    {AnySkater, OverallStyle}, {AnySkater, OverallStyle}, {AnySkater, OverallStyle}, // extra skaters
    {PosG, OverallStyle},      {PosG, OverallStyle},                                 // goalies
}};

} // namespace

std::uint8_t PromoteMinor(const Session& s, const RosterWork& work, int T, std::uint8_t Pos)
{
    if (!validTeamSlot(T))
        return NoPlayer;
    const auto& roster = s.Players[static_cast<std::size_t>(T)];
    const auto at = [&](int i) -> const PlayerRec& { return roster[static_cast<std::size_t>(i)]; };
    const auto status = [&](int i) { return work.RosterStatus[static_cast<std::size_t>(i)]; };
    // A position code above 4 has no overall rating: such a player scores 0 and never wins.
    const auto overall = [&](int i) { return Overall(s, T, i).value_or(0); };

    // A healthy, unsuspended player of exactly the wanted position, from the farm or the scratches.
    std::uint8_t pick = bestOf(
        [&](int i) {
            const PlayerRec& p = at(i);
            return (status(i) == Farm || status(i) == Scratched) && p.Pos == Pos && !p.isEmpty() &&
                   p.Susp == 0 && p.injury() == 0;
        },
        overall);
    // Any farm skater, whatever was wanted; a suspension does not keep him off.
    if (pick == NoPlayer)
        pick = bestOf([&](int i) { return status(i) == Farm && !at(i).isEmpty() && at(i).Pos != PosG; },
                      overall);
    // Somebody an earlier pick has dressed: the pick then changes nothing and the game roster
    // ends short.
    if (pick == NoPlayer)
        for (int i = 0; i < RosterSize; ++i)
            if (status(i) == Dressed)
                return static_cast<std::uint8_t>(i);
    return pick;
}

std::uint8_t BestAvailable(const Session& s, const RosterWork& work, int T, std::uint8_t Pos,
                           std::uint8_t Playstyle)
{
    if (!validTeamSlot(T))
        return NoPlayer;
    const auto& roster = s.Players[static_cast<std::size_t>(T)];
    const auto score = [&](int i) {
        switch (Playstyle) {
        case Offence:
            return OffenseRating(s, i, T);
        case Defence:
            return DefenseRating(s, i, T);
        default:
            return Overall(s, T, i).value_or(0);
        }
    };
    // An injured scratch carries a working status above 100. An empty slot may hold a stale
    // status from its last occupant, but nobody stands there to dress.
    const std::uint8_t pick = bestOf(
        [&](int i) {
            const PlayerRec& p = roster[static_cast<std::size_t>(i)];
            return work.RosterStatus[static_cast<std::size_t>(i)] == Scratched && p.Susp == 0 &&
                   !p.isEmpty() && matches(Pos, p.Pos);
        },
        score);
    return pick != NoPlayer ? pick : PromoteMinor(s, work, T, Pos);
}

void AutoRoster(Session& s, RosterWork& work, int T, std::uint8_t /*Condition*/)
{
    if (!validTeamSlot(T))
        return;
    ResetFlags(s, work, T);
    for (auto& st : work.RosterStatus)
        if (st >= Dressed)
            st = static_cast<std::uint8_t>(st - 100);
    // Each pick sees what the earlier ones dressed. No limit on the pro roster applies: a farm
    // player a pick reaches goes straight to the game roster.
    for (const Pick& pick : kPicks) {
        const std::uint8_t r = BestAvailable(s, work, T, pick.pos, pick.style);
        // Nobody at all, not even a player dressed by an earlier pick: this can happen only
        // while nobody is dressed yet and no farm skater is left to take. The pick then dresses
        // nobody and the later picks still run, so the roster comes out short and reads as
        // incomplete.
        if (r != NoPlayer)
            work.RosterStatus[r] = Dressed;
    }
}

} // namespace bb::roster
