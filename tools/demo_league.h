// Writes a synthetic but plausible league (NAME.lge, NAME.tms, NAME.ros) for the demo and tests.
#pragma once

#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace bb::demo {

struct Options {
    std::string name = "demo";
    int teams = 24;               // 1..50
    std::uint32_t seed = 1;
    bool allDivisions = false;    // spread teams over all four divisions of each conference
};

// Same options, same bytes. Returns the league path without extension on success.
Status writeDemoLeague(const std::filesystem::path& folder, const Options& options);

} // namespace bb::demo
