#include "league_fixture.h"

#include "core/records.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace bb::test {

namespace {

void writeBytes(const std::filesystem::path& name, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + name.string());
}

} // namespace

std::string writeFixtureLeague(const std::filesystem::path& folder, const std::string& name,
                               const FixtureLeague& league)
{
    std::filesystem::create_directories(folder);
    LeagueRec lg;
    lg.Name.assign(league.name);
    lg.MaxTeam = static_cast<std::uint8_t>(
        league.maxTeamOverride >= 0 ? league.maxTeamOverride : static_cast<int>(league.teams.size()) - 1);
    for (int k = 0; k < 2; ++k) {
        lg.Conf[k].Name.assign(league.conf[k]);
        for (int d = 0; d < 4; ++d)
            lg.Conf[k].Div[d].Name.assign(league.div[k][d]);
    }
    const auto header = lg.encoded();
    const std::string path = (folder / name).string();
    writeBytes(path + ".lge", std::vector<std::uint8_t>(header.begin(), header.end()));

    std::vector<std::uint8_t> tms;
    std::vector<std::uint8_t> ros;
    for (const FixtureTeam& t : league.teams) {
        TeamRec rec;
        rec.Name.assign(t.name);
        rec.Conf = static_cast<std::uint8_t>(t.conf);
        rec.Div = static_cast<std::uint8_t>(t.div);
        const auto bytes = rec.encoded();
        tms.insert(tms.end(), bytes.begin(), bytes.end());
        for (int s = 0; s < RosterSize; ++s) {
            PlayerRec p;
            if (s == 0)
                p.Name.assign(t.firstPlayer);
            const auto pb = p.encoded();
            ros.insert(ros.end(), pb.begin(), pb.end());
        }
    }
    writeBytes(path + ".tms", tms);
    writeBytes(path + ".ros", ros);
    return path;
}

void writeDefaults(const std::filesystem::path& home, const std::string& content)
{
    writeBytes(home / "benchset.def", std::vector<std::uint8_t>(content.begin(), content.end()));
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace bb::test
