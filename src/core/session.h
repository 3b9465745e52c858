// The league session: everything the windows share for the life of the program.
#pragma once

#include "records.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace bb {

struct Session {
    // Team slot 0 holds the team being edited or viewed; slot 1 completes the table's shape.
    std::array<std::array<PlayerRec, RosterSize>, 2> Players{};
    std::array<TeamRec, MaxTeams> Teams{};
    LeagueRec League{};
    std::uint8_t CurTeam = 0;
    std::uint8_t CurPlayer = 0;

    std::filesystem::path HomeDir;
    std::string LgPath;  // league path without extension
    std::filesystem::path SwapTms;
    std::filesystem::path SwapRos;
    std::filesystem::path SwapLge;

    std::array<std::string, 5> PosName{};
    std::array<std::string, 8> InjCode{};

    // True once a league load has succeeded in this run.
    bool LeagueLoaded = false;

    // Start-up: the home folder, the fixed tables and the working-file paths.
    void init(const std::filesystem::path& homeDir);

    // Safe lookups for codes that come from the league data and may be out of range.
    std::string posName(std::uint8_t pos) const;
    std::string injCode(std::uint8_t sts) const;
};

} // namespace bb
