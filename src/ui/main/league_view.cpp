#include "league_view.h"

#include "core/league_io.h"

#include <algorithm>

namespace bb {

bool StartUp(Session& s, const std::filesystem::path& homeDir)
{
    s.init(homeDir);
    const std::optional<std::string> remembered = readDefaultsFile(s.HomeDir);
    if (!remembered)
        return false;
    s.LgPath = *remembered;
    if (!FileExists(s.LgPath + ".lge"))
        return false;
    return LoadLg(s, s.LgPath).ok();
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
