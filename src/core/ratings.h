// Player rating formulas over the fourteen one-byte skills.
#pragma once

#include "records.h"
#include "session.h"

#include <optional>

namespace bb {

// Rating of one record; no value for a position code above 4.
std::optional<int> overallOf(const PlayerRec& p);
int offenseOf(const PlayerRec& p);
int defenseOf(const PlayerRec& p);

// The same, for roster slot Ply of team slot T. Note the argument orders: Overall takes the
// team slot first, the other two take it second.
std::optional<int> Overall(const Session& s, int T, int Ply);
int OffenseRating(const Session& s, int Ply, int T);
int DefenseRating(const Session& s, int Ply, int T);

} // namespace bb
