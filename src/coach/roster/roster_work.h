// The game roster editor's working copy: the roster status each player will have if the manager
// keeps the changes, and the status he had when the copy was made.
#pragma once

#include "core/records.h"
#include "core/session.h"

#include <array>
#include <cstdint>

namespace bb::roster {

struct RosterWork {
    std::array<std::uint8_t, RosterSize> RosterStatus{};
    std::array<std::uint8_t, RosterSize> SavedStatus{};
    bool RosterChanged = false;
};

// Builds the working copy of team slot T. An injured player starts among the scratches with his
// injury kept; an injured farm player is moved onto the pro roster in his record at once, and an
// injured player whose condition is below 10 gets condition 100, also in the record.
void ResetFlags(Session& s, RosterWork& work, int T);

} // namespace bb::roster
