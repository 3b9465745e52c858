#include "league_view.h"

#include "core/file_io.h"
#include "core/league_io.h"

#include <algorithm>

namespace bb {

StartUpResult StartUp(Session& s, const std::filesystem::path& homeDir)
{
    s.init(homeDir);
    const std::optional<std::string> remembered = readDefaultsFile(s.HomeDir);
    if (!remembered)
        return {};
    s.LgPath = *remembered;
    if (!FileExists(s.LgPath + ".lge"))
        return {false, "Cannot load the league " + s.LgPath + ": " + s.LgPath + ".lge is not there"};
    if (const Status st = LoadLg(s, s.LgPath); !st)
        return {false, "Cannot load the league " + s.LgPath + ": " + st.error()};
    return {true, {}};
}

bool ClaimHomeFolder(HomeLock& lock, const std::filesystem::path& homeDir, Prompter& prompter,
                     std::string& problem)
{
    switch (lock.acquire(homeDir)) {
    case HomeLock::Result::Busy:
        prompter.message("Benchboss is already running in this folder.", MsgIcon::Stop, "");
        return false;
    case HomeLock::Result::Failed:
        // Without a lock the program still shows a league; a folder it cannot write to fails
        // every load and commit anyway, each with its own message.
        problem = lock.error();
        return true;
    case HomeLock::Result::Acquired:
        break;
    }
    io::removeStaleTemporaries(homeDir);
    return true;
}

FileDialogRequest loadLeagueRequest(const std::string& lastChosen)
{
    FileDialogRequest r;
    r.title = "Load League";
    r.filters = {{"All Files", "*"}, {"Tarn Files", "*.tms"}};
    r.selectedFilter = 1;
    r.initialName = lastChosen;
    return r;
}

std::optional<std::string> leaguePathOfChosenFile(const std::string& chosen)
{
    // Count characters, not bytes, so that a multi-byte character is never cut in half.
    std::size_t end = chosen.size();
    for (int dropped = 0; dropped < 4; ++dropped) {
        if (end == 0)
            return std::nullopt;
        --end;
        while (end > 0 && (static_cast<unsigned char>(chosen[end]) & 0xC0) == 0x80)
            --end;
    }
    return chosen.substr(0, end);
}

std::vector<int> teamsOfDivision(const Session& s, int conf, int div)
{
    std::vector<int> out;
    if (!s.LeagueLoaded)
        return out;
    const int last = std::min<int>(s.League.MaxTeam, MaxTeams - 1);
    for (int i = 0; i <= last; ++i) {
        const TeamRec& t = s.Teams[static_cast<std::size_t>(i)];
        if (t.Conf == conf && t.Div == div)
            out.push_back(i);
    }
    return out;
}

} // namespace bb
