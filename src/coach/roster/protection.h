// The protected list: which players a team keeps from other teams' reach, within limits per
// group (forwards, defencemen, goalies) that tighten as the list fills.
#pragma once

#include "core/records.h"
#include "core/session.h"

namespace bb::roster {

// Protected forwards (C, LW, RW), defencemen and goalies.
struct ProtectedCounts {
    int F = 0;
    int D = 0;
    int G = 0;
    bool operator==(const ProtectedCounts&) const = default;
};

// The most players of each group the list may hold.
struct ProtectionLimits {
    int forwards = 10;
    int defencemen = 6;
    int goalies = 2;
    bool operator==(const ProtectionLimits&) const = default;
};

// Counts every flagged slot of team slot T, whatever its roster class, empty and released slots
// included. A position code above 4 belongs to no group. A team slot other than 0 or 1 counts
// nobody.
ProtectedCounts CountProtected(const Session& s, int T);

// The limits that hold with these counts.
ProtectionLimits LimitsFor(const ProtectedCounts& c);

// Takes player Ply of team slot T off the protected list, which is always allowed, or puts him
// on it when his group's limit leaves room. The flag is written straight into the record. Returns
// whether it changed: a refusal changes nothing. A player whose position belongs to no group
// cannot be protected.
bool ToggleProtection(Session& s, int T, int Ply);

// In protect mode the list rows of protected players and of rookies carry "*".
bool carriesProtectMark(const PlayerRec& p);

} // namespace bb::roster
