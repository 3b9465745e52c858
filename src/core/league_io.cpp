#include "league_io.h"

#include "file_io.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace bb {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

bool validSlots(int Tm, int T) { return Tm >= 0 && Tm < MaxTeams && T >= 0 && T < 2; }

} // namespace

bool FileExists(const fs::path& name)
{
    std::error_code ec;
    return !name.empty() && fs::is_regular_file(name, ec);
}

fs::path defaultsFilePath(const fs::path& homeDir) { return homeDir / "benchset.def"; }

std::optional<std::string> readDefaultsFile(const fs::path& homeDir)
{
    const fs::path name = defaultsFilePath(homeDir);
    Bytes text;
    if (!FileExists(name) || !io::readFile(name, text))
        return std::nullopt;
    // The path is kept as the file system's bytes: a folder name need not be valid UTF-8.
    std::string line(text.begin(), std::find(text.begin(), text.end(), std::uint8_t{'\n'}));
    if (line.empty() && text.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

Status LoadLg(Session& s, const std::string& path)
{
    Bytes lge, tms, ros;
    for (auto [ext, buf] : {std::pair{".lge", &lge}, std::pair{".tms", &tms}, std::pair{".ros", &ros}})
        if (Status st = io::readFile(path + ext, *buf); !st)
            return st;

    if (lge.size() < LeagueRec::Size)
        return Status::failure(path + ".lge: the league header is incomplete");
    const LeagueRec header = LeagueRec::decode(std::span<const std::uint8_t, LeagueRec::Size>(lge.data(), LeagueRec::Size));
    if (header.MaxTeam >= MaxTeams)
        return Status::failure(path + ".lge: the league has more than 50 teams");
    const std::size_t teamCount = header.MaxTeam + 1u;
    if (tms.size() < teamCount * TeamRec::Size)
        return Status::failure(path + ".tms: the team file holds fewer teams than the league header names");

    // The three working files and the defaults file change together or not at all, so that the
    // window never shows one league while the working files hold another.
    const std::string defaults = path + "\r\n";
    std::vector<io::Edit> edits;
    edits.push_back(io::Edit::replace(s.SwapTms, tms));
    edits.push_back(io::Edit::replace(s.SwapRos, ros));
    edits.push_back(io::Edit::replace(s.SwapLge, lge));
    edits.push_back(io::Edit::replace(defaultsFilePath(s.HomeDir), Bytes(defaults.begin(), defaults.end())));
    if (Status st = io::apply(edits); !st)
        return st;

    s.League = header;
    for (std::size_t t = 0; t < teamCount; ++t)
        s.Teams[t] = TeamRec::decode(std::span<const std::uint8_t, TeamRec::Size>(tms.data() + t * TeamRec::Size, TeamRec::Size));
    s.LgPath = path;
    s.LeagueLoaded = true;
    return Status::success();
}

Status LoadTeam(Session& s, int Tm, int T)
{
    if (!validSlots(Tm, T))
        return Status::failure("No such team or team slot");
    constexpr std::size_t TeamBytes = RosterSize * PlayerRec::Size;
    Bytes all;
    if (Status st = io::readPrefix(s.SwapRos, (static_cast<std::size_t>(Tm) + 1) * TeamBytes, all); !st)
        return st;
    std::array<std::uint8_t, TeamBytes> block{};
    const std::size_t from = static_cast<std::size_t>(Tm) * TeamBytes;
    const std::size_t got = all.size() > from ? all.size() - from : 0;
    std::copy_n(all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), got, block.begin());

    auto& slots = s.Players[static_cast<std::size_t>(T)];
    for (std::size_t i = 0; i < RosterSize; ++i) {
        const std::size_t off = i * PlayerRec::Size;
        // A slot past the end of the file, or whose name starts with NUL, is an empty slot.
        if (off + PlayerRec::Size > got || block[off] == 0) {
            slots[i] = PlayerRec{};
            continue;
        }
        slots[i] = PlayerRec::decode(std::span<const std::uint8_t, PlayerRec::Size>(block.data() + off, PlayerRec::Size));
    }
    return Status::success();
}

std::optional<std::vector<io::Edit>> SaveTeamEdits(const Session& s, int Tm, int T)
{
    if (!validSlots(Tm, T))
        return std::nullopt;
    Bytes block(RosterSize * PlayerRec::Size);
    const auto& slots = s.Players[static_cast<std::size_t>(T)];
    for (std::size_t i = 0; i < RosterSize; ++i)
        slots[i].encode(std::span<std::uint8_t, PlayerRec::Size>(block.data() + i * PlayerRec::Size, PlayerRec::Size));
    const auto team = s.Teams[static_cast<std::size_t>(Tm)].encoded();
    return std::vector<io::Edit>{
        io::Edit::writeAt(s.SwapRos, static_cast<std::uint64_t>(Tm) * RosterSize * PlayerRec::Size, std::move(block)),
        io::Edit::writeAt(s.SwapTms, static_cast<std::uint64_t>(Tm) * TeamRec::Size, Bytes(team.begin(), team.end()))};
}

Status SaveTeam(Session& s, int Tm, int T)
{
    const auto edits = SaveTeamEdits(s, Tm, T);
    if (!edits)
        return Status::failure("No such team or team slot");
    // Both records reach their files or neither does: a commit is never half stored.
    return io::apply(*edits);
}

} // namespace bb
