// Writes a synthetic but plausible league (NAME.lge, NAME.tms, NAME.ros) for the demo and tests.
#pragma once

#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace bb::demo {

struct Options {
    std::string name = "demo";
    int teams = 24; // 1..50
    std::uint32_t seed = 1;
    bool allDivisions = false; // spread teams over all four divisions of each conference
};

// Writes folder/NAME.lge, .tms and .ros (creating folder if needed); on success the league path
// without extension is folder / NAME. Same options, same bytes, on every platform.
//
// What the league holds, for tests that need a particular case:
// - Header: two conferences of four named divisions; SeasonDay 12, SchedGames 41 per team (82 games
//   each), WaiversOn 1, WaiversOff 0, WaiverGP 10, WaiverAge 25, FarmPayGP 5; uninterpreted bytes
//   hold non-zero junk.
// - Team t: Conf t % 2, Div (t / 2) % 2 (or % 4 with allDivisions); password "pass" + t padded with
//   spaces; LineSlots all NoPlayer except team 0, which has a complete valid table; LinesSet false.
// - Rosters (slots shuffled): 20 dressed (4 C, 4 LW, 4 RW, 6 D, 2 G), 4 scratches (two of them
//   injured, one suspended for a few games), 19 farm players (one injured), 7 empty slots; one
//   released player per team. Teams with t % 5 == 3 have a faulty game roster, in turn: 19 healthy
//   dressed (a defenceman short), 21 healthy dressed (a fifth left wing), a dressed injured player.
//   Every other team (t even) has one empty slot whose bytes after the NUL are stale data.
//   Injury codes 1..6 all appear once there are two teams; a farm player with Susp 99 on teams
//   t % 4 == 1 (team 0 in a one-team league).
Status writeDemoLeague(const std::filesystem::path& folder, const Options& options);

} // namespace bb::demo
