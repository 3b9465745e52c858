#include "waivers.h"

#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

namespace bb::roster {

RosterFiles RosterFiles::in(const std::filesystem::path& homeDir)
{
    return {homeDir / "waivers.dat", homeDir / "released.dat", homeDir / "transactions.log"};
}

WaiverRec WaiverRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    const std::uint8_t* p = bytes.data();
    WaiverRec r;
    r.Name.read(p, 0);
    r.Ply = getU8(p, 22);
    r.Team = getU8(p, 23);
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = (u << 8) | p[24 + i];
    std::memcpy(&r.Placed, &u, sizeof u);
    r.Fld32 = getU8(p, 32);
    r.Fld33 = getU8(p, 33);
    for (std::size_t k = 0; k < r.TeamFlags.size(); ++k)
        r.TeamFlags[k] = getI16(p, 34 + 2 * k);
    r.Fld132 = getI16(p, 132);
    return r;
}

std::array<std::uint8_t, WaiverRec::Size> WaiverRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    std::uint8_t* p = out.data();
    Name.write(p, 0);
    putU8(p, 22, Ply);
    putU8(p, 23, Team);
    std::uint64_t u = 0;
    std::memcpy(&u, &Placed, sizeof u);
    for (int i = 0; i < 8; ++i)
        p[24 + i] = static_cast<std::uint8_t>(u >> (8 * i));
    putU8(p, 32, Fld32);
    putU8(p, 33, Fld33);
    for (std::size_t k = 0; k < TeamFlags.size(); ++k)
        putI16(p, 34 + 2 * k, TeamFlags[k]);
    putI16(p, 132, Fld132);
    return out;
}

double oleDateNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    // Days from 30 December 1899 to the local date, by the civil calendar.
    const auto daysFromCivil = [](long y, unsigned m, unsigned d) {
        y -= m <= 2;
        const long era = (y >= 0 ? y : y - 399) / 400;
        const auto yoe = static_cast<unsigned>(y - era * 400);
        const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
        const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + static_cast<long>(doe) - 719468;
    };
    const long days = daysFromCivil(local.tm_year + 1900L, static_cast<unsigned>(local.tm_mon + 1),
                                    static_cast<unsigned>(local.tm_mday)) -
                      daysFromCivil(1899, 12, 30);
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<double>(days) + seconds / 86400.0;
}

WaiverBook::WaiverBook(RosterFiles files, std::function<double()> now)
    : files_(std::move(files)), now_(std::move(now))
{
}

Status WaiverBook::load()
{
    return io::readIfExists(files_.waivers, file_);
}

bool WaiverBook::listed(const Text<22>& name) const
{
    // Every record whose name is there to compare, a cut-off last one included; names compare
    // with their padding, so spaces and NULs differ.
    for (std::size_t off = 0; off + name.size() <= file_.size(); off += WaiverRec::Size)
        if (std::memcmp(file_.data() + off, name.b.data(), name.size()) == 0)
            return true;
    for (const WaiverRec& r : added_)
        if (r.Name == name)
            return true;
    return false;
}

void WaiverBook::place(const WaiverRec& rec, const std::string& logLine)
{
    added_.push_back(rec);
    log_ += logLine;
}

std::vector<io::Edit> WaiverBook::edits() const
{
    std::vector<io::Edit> out;
    std::size_t length = file_.size();
    for (const WaiverRec& r : added_) {
        // The record after the last: (length / 134) rounded to the nearest, halves to even.
        const double n = std::nearbyint(static_cast<double>(length) / WaiverRec::Size) + 1;
        const auto offset = static_cast<std::uint64_t>(n - 1) * WaiverRec::Size;
        const auto bytes = r.encoded();
        out.push_back(io::Edit::writeAt(files_.waivers, offset, io::Bytes(bytes.begin(), bytes.end()), true));
        length = std::max<std::size_t>(length, offset + WaiverRec::Size);
    }
    if (!log_.empty())
        out.push_back(io::Edit::append(files_.log, io::Bytes(log_.begin(), log_.end())));
    return out;
}

bool waiversNeeded(const LeagueRec& lg, const PlayerRec& p)
{
    return p.GP >= lg.WaiverGP && p.Age > lg.WaiverAge && lg.WaiversOn != 0 && lg.WaiversOff == 0;
}

bool CheckWaivers(Session& s, Prompter& prompter, int T, int Ply, int ByTeam, WaiverBook& book)
{
    if (T < 0 || T > 1 || Ply < 0 || Ply >= RosterSize)
        return true;
    PlayerRec& p = s.Players[static_cast<std::size_t>(T)][static_cast<std::size_t>(Ply)];
    if (!waiversNeeded(s.League, p))
        return true;

    const int placing = ByTeam == 99 ? s.CurTeam : ByTeam;
    const TeamRec* team = placing >= 0 && placing < MaxTeams ? &s.Teams[static_cast<std::size_t>(placing)] : nullptr;
    const std::string teamTitle = team ? cp1252ToUtf8(team->Name.str()) : std::string();
    const std::string playerName = Condense(p.Name.str());
    const std::string title = ByTeam == 99 ? "Keep changes?" : teamTitle;
    const std::uint8_t scratches = static_cast<std::uint8_t>(p.Sts % 100 + 100);

    if (!prompter.askYesNo("Put " + cp1252ToUtf8(playerName) + " on waivers?", MsgIcon::None, title)) {
        p.Sts = scratches;
        return false;
    }
    if (book.listed(p.Name)) {
        prompter.message("Player must clear waivers first", MsgIcon::Information, teamTitle);
        p.Sts = scratches;
        return false;
    }
    WaiverRec rec;
    rec.Name = p.Name;
    rec.Ply = static_cast<std::uint8_t>(Ply);
    rec.Team = s.CurTeam;
    rec.Placed = book.now();
    rec.Fld33 = s.CurTeam;
    const int maxTeam = std::min<int>(s.League.MaxTeam, static_cast<int>(rec.TeamFlags.size()));
    for (int k = 0; k < static_cast<int>(rec.TeamFlags.size()); ++k)
        rec.TeamFlags[static_cast<std::size_t>(k)] = k < maxTeam ? -1 : 0;
    // The log is a byte file like the league's: the names go in as stored, untranslated.
    const std::string line = Condense(team ? team->Name.str() : std::string()) + " place " + playerName +
                             " on waivers<BR><BR>\r\n";
    book.place(rec, line);
    p.Sts = static_cast<std::uint8_t>(p.Sts % 100);
    return false;
}

WaiverOutcome CheckWaiversNow(Session& s, Prompter& prompter, int T, int Ply, int ByTeam, const RosterFiles& files,
                              std::function<double()> now)
{
    WaiverBook book(files, std::move(now));
    if (Status st = book.load(); !st)
        return {false, st};
    const bool ok = T >= 0 && T <= 1 && Ply >= 0 && Ply < RosterSize;
    const std::uint8_t before = ok ? s.Players[static_cast<std::size_t>(T)][static_cast<std::size_t>(Ply)].Sts : 0;
    if (CheckWaivers(s, prompter, T, Ply, ByTeam, book))
        return {};
    if (!book.empty()) {
        if (Status st = io::apply(book.edits()); !st) {
            // The placement is not on file, so the player is not on waivers either.
            s.Players[static_cast<std::size_t>(T)][static_cast<std::size_t>(Ply)].Sts = before;
            return {false, st};
        }
    }
    return {false, Status::success()};
}

} // namespace bb::roster
