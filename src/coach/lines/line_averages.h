// Averages of one line's ratings, shown under the line editor's grid for the focused line.
#pragma once

#include "core/records.h"
#include "core/session.h"

#include <array>

namespace bb::lines {

struct LineAverages {
    std::array<int, 13> rating{};  // Skill(0..12)
    int overall = 0;
};

// Averages of line x of table t over the players of team slot 0, rounded half up.
LineAverages lineAverages(const Session& s, const LineTable& t, int x);

// Which of the four headers FocusLine(x) makes bold.
inline int focusHeader(int x) { return x % 4; }

} // namespace bb::lines
