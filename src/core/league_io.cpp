#include "league_io.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace bb {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Status readWhole(const fs::path& name, Bytes& out)
{
    std::error_code ec;
    if (!fs::is_regular_file(name, ec))
        return Status::failure("Cannot read " + name.string() + ": no such file");
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return Status::failure("Cannot open " + name.string());
    // One read of the whole file: byte-wise iteration costs more than the copy itself.
    const auto size = fs::file_size(name, ec);
    if (ec)
        return Status::failure("Cannot read " + name.string());
    out.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return Status::failure("Cannot read " + name.string());
    return Status::success();
}

// A file written beside its target and renamed over it once complete, so that a failure
// part-way never leaves the target half-written.
struct StagedFile {
    fs::path target;
    fs::path staging;
};

fs::path stagingName(const fs::path& target) { return fs::path(target.string() + ".new"); }

Status stage(const fs::path& target, const char* data, std::size_t size, std::vector<StagedFile>& staged)
{
    std::error_code ec;
    const auto st = fs::status(target, ec);
    // Only an ordinary file is ever replaced; a folder or device in its place fails the load.
    if (fs::exists(st) && !fs::is_regular_file(st))
        return Status::failure("Cannot write " + target.string() + ": not an ordinary file");
    const fs::path tmp = stagingName(target);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return Status::failure("Cannot write " + tmp.string());
        out.write(data, static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            return Status::failure("Cannot write " + tmp.string());
        }
    }
    staged.push_back({target, tmp});
    return Status::success();
}

void discard(const std::vector<StagedFile>& staged)
{
    std::error_code ec;
    for (const auto& f : staged)
        fs::remove(f.staging, ec);
}

Status replaceAll(const std::vector<StagedFile>& staged)
{
    for (std::size_t i = 0; i < staged.size(); ++i) {
        std::error_code ec;
        fs::rename(staged[i].staging, staged[i].target, ec);
        if (ec) {
            discard({staged.begin() + static_cast<std::ptrdiff_t>(i), staged.end()});
            return Status::failure("Cannot replace " + staged[i].target.string() + ": " + ec.message());
        }
    }
    return Status::success();
}

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
    if (!FileExists(name))
        return std::nullopt;
    std::ifstream in(name, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

Status LoadLg(Session& s, const std::string& path)
{
    Bytes lge, tms, ros;
    for (auto [ext, buf] : {std::pair{".lge", &lge}, std::pair{".tms", &tms}, std::pair{".ros", &ros}})
        if (Status st = readWhole(path + ext, *buf); !st)
            return st;

    if (lge.size() < LeagueRec::Size)
        return Status::failure(path + ".lge: the league header is incomplete");
    const LeagueRec header = LeagueRec::decode(std::span<const std::uint8_t, LeagueRec::Size>(lge.data(), LeagueRec::Size));
    if (header.MaxTeam >= MaxTeams)
        return Status::failure(path + ".lge: the league has more than 50 teams");
    const std::size_t teamCount = header.MaxTeam + 1u;
    if (tms.size() < teamCount * TeamRec::Size)
        return Status::failure(path + ".tms: the team file holds fewer teams than the league header names");

    std::vector<StagedFile> staged;
    const auto chars = [](const Bytes& b) { return reinterpret_cast<const char*>(b.data()); };
    const std::string defaults = path + "\r\n";
    Status st = stage(s.SwapTms, chars(tms), tms.size(), staged);
    if (st)
        st = stage(s.SwapRos, chars(ros), ros.size(), staged);
    if (st)
        st = stage(s.SwapLge, chars(lge), lge.size(), staged);
    if (st)
        st = stage(defaultsFilePath(s.HomeDir), defaults.data(), defaults.size(), staged);
    if (!st) {
        discard(staged);
        return st;
    }
    if (st = replaceAll(staged); !st)
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
    std::ifstream in(s.SwapRos, std::ios::binary);
    if (!in || !FileExists(s.SwapRos))
        return Status::failure("Cannot open the roster working file " + s.SwapRos.string());

    std::array<std::uint8_t, RosterSize * PlayerRec::Size> block{};
    in.seekg(static_cast<std::streamoff>(Tm) * RosterSize * PlayerRec::Size);
    std::size_t got = 0;
    if (in) {
        in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
        got = static_cast<std::size_t>(in.gcount());
    }
    if (in.bad())
        return Status::failure("Cannot read the roster working file " + s.SwapRos.string());

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

namespace {
Status writeAt(const fs::path& name, std::streamoff offset, const std::uint8_t* data, std::size_t size)
{
    std::fstream f(name, std::ios::binary | std::ios::in | std::ios::out);
    if (!f)
        return Status::failure("Cannot open the working file " + name.string());
    f.seekp(offset);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    f.flush();
    if (!f)
        return Status::failure("Cannot write the working file " + name.string());
    f.close();
    if (f.fail())
        return Status::failure("Cannot write the working file " + name.string());
    return Status::success();
}
} // namespace

Status SaveTeam(Session& s, int Tm, int T)
{
    if (!validSlots(Tm, T))
        return Status::failure("No such team or team slot");
    std::array<std::uint8_t, RosterSize * PlayerRec::Size> block{};
    const auto& slots = s.Players[static_cast<std::size_t>(T)];
    for (std::size_t i = 0; i < RosterSize; ++i)
        slots[i].encode(std::span<std::uint8_t, PlayerRec::Size>(block.data() + i * PlayerRec::Size, PlayerRec::Size));
    const auto team = s.Teams[static_cast<std::size_t>(Tm)].encoded();

    // Both files must be there before either is written, or a commit would reach only one of them.
    for (const fs::path* name : {&s.SwapRos, &s.SwapTms})
        if (!FileExists(*name))
            return Status::failure("Cannot open the working file " + name->string());
    if (Status st = writeAt(s.SwapRos, static_cast<std::streamoff>(Tm) * RosterSize * PlayerRec::Size, block.data(), block.size()); !st)
        return st;
    return writeAt(s.SwapTms, static_cast<std::streamoff>(Tm) * TeamRec::Size, team.data(), team.size());
}

} // namespace bb
