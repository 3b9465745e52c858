// What the main window does with a league apart from drawing it: start-up, the choice of a league
// file, and which teams a division list offers. No Qt here.
#pragma once

#include "core/prompter.h"
#include "core/home_lock.h"
#include "core/session.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bb {

// Start-up in its fixed order: the home folder, the tables and working-file paths, the league
// path remembered in the defaults file, and that league when its header file exists.
// Nothing here is shown in a window: without a usable defaults file or league the program simply
// starts with no league. problem says why a remembered league was not loaded, for a terminal.
struct StartUpResult {
    bool loaded = false;
    std::string problem; // empty when there was nothing to load or the load succeeded
};
StartUpResult StartUp(Session& s, const std::filesystem::path& homeDir);

// One run per home folder. Takes the folder's lock into lock and clears what a crashed run left
// behind; when another run holds it, says "Benchboss is already running in this folder." and
// returns false, having changed no file.
bool ClaimHomeFolder(HomeLock& lock, const std::filesystem::path& homeDir, Prompter& prompter,
                     std::string& problem);

// The Load League dialog, starting from the name chosen last time in this run.
FileDialogRequest loadLeagueRequest(const std::string& lastChosen);

// The league path for a chosen league file (UTF-8): the name without its last four characters,
// meant to be the dot and a three-letter extension. Nothing when the name is shorter than that.
std::optional<std::string> leaguePathOfChosenFile(const std::string& chosen);

// The team numbers of conference conf and division div, in ascending order, as a division
// list offers them. Empty before a league is loaded.
std::vector<int> teamsOfDivision(const Session& s, int conf, int div);

} // namespace bb
