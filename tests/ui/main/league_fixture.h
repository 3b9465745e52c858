// Small hand-made leagues for the cases a generated league does not cover.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bb::test {

struct FixtureTeam {
    std::string name;
    int conf = 0;
    int div = 0;
    std::string firstPlayer = "Skater One";
};

struct FixtureLeague {
    std::string name = "Fixture League";
    std::string conf[2] = {"East", "West"};
    std::string div[2][4] = {{"North", "South", "Third", "Fourth"}, {"Coast", "Plains", "Third", "Fourth"}};
    std::vector<FixtureTeam> teams;
    int maxTeamOverride = -1; // stored MaxTeam when >= 0, else the number of teams minus 1
};

// Writes folder/name.lge, .tms and .ros; returns the league path without extension.
std::string writeFixtureLeague(const std::filesystem::path& folder, const std::string& name,
                               const FixtureLeague& league);

// Writes the defaults file of home naming the league path.
void writeDefaults(const std::filesystem::path& home, const std::string& content);

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& name);

} // namespace bb::test
