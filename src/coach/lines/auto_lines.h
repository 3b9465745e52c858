// Automatic lines: fills all 55 used cells of a line table from the roster of one team slot.
#pragma once

#include "core/records.h"
#include "core/session.h"

#include <array>
#include <cstdint>

namespace bb::lines {

enum Playstyle : std::uint8_t { Offence = 0, Defence = 1, OverallStyle = 2 };

// One run's search state: the marks of players already picked.
class LinePicker {
public:
    LinePicker(const Session& s, int T) : s_(s), T_(T) {}

    // The best player for one cell, falling back through four passes; NoPlayer when no pass
    // finds anybody. Marks the pick in both LineUsed and GroupUsed.
    std::uint8_t BestPlayer(std::uint8_t Pos, std::uint8_t style);

    std::array<bool, RosterSize> LineUsed{};
    std::array<bool, RosterSize> GroupUsed{};

private:
    const Session& s_;
    int T_;
};

// Replaces table by a fresh one of zeros and fills its 55 used cells; a cell that nobody can
// fill is left NoPlayer, so the lines read as incomplete. The ten spare cells keep 0. A team
// slot other than 0 or 1 leaves the table untouched. Condition is carried for the caller's
// sake; the one caller passes 0.
void AutoLines(const Session& s, LineTable& table, int T, std::uint8_t Condition);

} // namespace bb::lines
