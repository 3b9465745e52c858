// What the fuzz targets and their seed generators share.
#pragma once

#include "core/league_io.h"
#include "core/session.h"
#include "demo_league.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bb::fuzz {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "benchboss-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

// Team 0 of a small generated league, loaded into team slot 0 of a session at home. The seed
// lines files are saved for this team, so a fuzzed file that keeps their password gets past the
// password test.
inline bool loadLinesTeam(Session& s, const std::filesystem::path& home)
{
    demo::Options o;
    o.name = "lines";
    o.teams = 2;
    o.seed = 11;
    s.init(home);
    s.CurTeam = 0;
    return demo::writeDemoLeague(home, o).ok() && LoadLg(s, (home / o.name).string()).ok() &&
           LoadTeam(s, 0, 0).ok();
}

// A whole file's bytes; a missing file gives none.
inline std::vector<char> slurp(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The loaded team of loadLinesTeam, made once per fuzzing run in a scratch folder of its own.
struct TeamFixture {
    ScratchDir dir;
    Session team;
    TeamFixture()
    {
        if (!loadLinesTeam(team, dir.path))
            std::abort();
    }
};

// The one fixture of a fuzzing run, made on first use.
inline const TeamFixture& teamFixture()
{
    static const TeamFixture f;
    return f;
}

} // namespace bb::fuzz
