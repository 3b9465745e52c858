// The automatic roster: dresses a game roster of 20 by a fixed sequence of best-available picks
// on the roster editor's working copy.
#pragma once

#include "core/session.h"
#include "roster_work.h"

#include <cstdint>

namespace bb::roster {

enum PickStyle : std::uint8_t { Offence = 0, Defence = 1, OverallStyle = 2 };

// Rebuilds the working copy of team slot T from the stored statuses (pending moves are dropped),
// undresses everybody and makes the 20 picks. Only RosterStatus changes (besides what ResetFlags
// does to the records); refreshing the lists and setting RosterChanged are the caller's. A team
// slot other than 0 or 1 changes nothing. Condition is carried for the caller's sake; the one
// caller passes 0.
void AutoRoster(Session& s, RosterWork& work, int T, std::uint8_t Condition);

// The best healthy, unsuspended scratch of position Pos (AnySkater: any but a goalie) by the
// rating Playstyle picks; failing that, PromoteMinor. NoPlayer only when nobody at all is found.
std::uint8_t BestAvailable(const Session& s, const RosterWork& work, int T, std::uint8_t Pos,
                           std::uint8_t Playstyle);

// The fallbacks when no scratch fits, by overall rating: the best healthy, unsuspended player of
// position Pos from the farm or the scratches; else the best farm skater of any position,
// suspended or not; else the lowest slot already dressed. NoPlayer when none of these exists.
std::uint8_t PromoteMinor(const Session& s, const RosterWork& work, int T, std::uint8_t Pos);

} // namespace bb::roster
