// Moving league data between the league files, the working files and the session.
#pragma once

#include "file_io.h"
#include "session.h"
#include "status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bb {

// Loads the league at path (without extension): reads and checks the three league files first,
// then replaces the working files and the defaults file, then the header and teams 0..MaxTeam.
// A failed load changes nothing, neither in the session nor on disk.
Status LoadLg(Session& s, const std::string& path);

// Reads the 50 roster records of team Tm from the roster working file into team slot T.
// An empty slot (name starting with NUL), or a record past the end of the file, loads as zeros.
Status LoadTeam(Session& s, int Tm, int T);

// Writes team slot T's 50 records and Teams(Tm) into the working files; no other byte changes.
// Both files are written or neither.
Status SaveTeam(Session& s, int Tm, int T);
// The same writes as edits, for a commit that must store them together with other files.
std::optional<std::vector<io::Edit>> SaveTeamEdits(const Session& s, int Tm, int T);

// True when an ordinary file of that name exists (a folder does not count).
bool FileExists(const std::filesystem::path& name);

std::filesystem::path defaultsFilePath(const std::filesystem::path& homeDir);
// The defaults file's first line without its line end; nothing when the file is missing or empty.
std::optional<std::string> readDefaultsFile(const std::filesystem::path& homeDir);

} // namespace bb
