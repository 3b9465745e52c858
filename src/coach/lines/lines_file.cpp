#include "lines_file.h"

#include "coach/roster/waivers.h"
#include "core/file_io.h"
#include "core/text.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace bb::lines {

namespace fs = std::filesystem;

LinesFileRec LinesFileRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    const std::uint8_t* p = bytes.data();
    LinesFileRec r;
    r.Team = getU8(p, 0);
    r.Password.read(p, 1);
    r.LineSlots = decodeLineTable(p + LineSlotsOffset);
    for (std::size_t i = 0; i < RosterSize; ++i) {
        r.Sts[i] = getU8(p, StsOffset + i);
        r.Protected[i].raw = getI16(p, ProtectedOffset + 2 * i);
    }
    return r;
}

std::array<std::uint8_t, LinesFileRec::Size> LinesFileRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    std::uint8_t* p = out.data();
    putU8(p, 0, Team);
    Password.write(p, 1);
    encodeLineTable(LineSlots, p + LineSlotsOffset);
    for (std::size_t i = 0; i < RosterSize; ++i) {
        putU8(p, StsOffset + i, Sts[i]);
        putI16(p, ProtectedOffset + 2 * i, Protected[i].raw);
    }
    return out;
}

namespace {

FileDialogRequest linesDialog(std::string title, std::string initialName)
{
    return {std::move(title), {{"All Files", "*"}, {"Lines Files", "*.lns"}}, 1, std::move(initialName)};
}

bool validSlot(int T)
{
    return T == 0 || T == 1;
}

const TeamRec* currentTeam(const Session& s)
{
    return s.CurTeam < MaxTeams ? &s.Teams[s.CurTeam] : nullptr;
}

// The file name the save dialog offers: the team's trimmed name in the home folder. A NUL cannot
// stand in a file name and a slash would name another folder, so the name stops at the first and
// the second becomes an underscore.
std::string proposedName(const Session& s)
{
    const TeamRec* team = currentTeam(s);
    std::string name = team ? Condense(team->Name.str()) : std::string();
    name = name.substr(0, name.find('\0'));
    std::replace(name.begin(), name.end(), '/', '_');
    return (s.HomeDir / (name + ".lns")).string();
}

// A dialog reports a cancel as no name or, like the platform's own, as an empty one.
bool chosen(const std::optional<std::string>& name)
{
    return name && !name->empty();
}

} // namespace

ExportOutcome ExportLinesSub(Session& s, Prompter& prompter, const LineWork& work, int T)
{
    LinesFileRec rec;
    // Text assignment cuts to ten bytes and pads with spaces; Cancel gives ten spaces.
    rec.Password.assign(utf8ToCp1252(prompter.askText("Password?", "Save Lines", "")));

    const std::optional<std::string> file = prompter.saveFileName(linesDialog("Save Lines", proposedName(s)));
    if (!chosen(file))
        return ExportOutcome::Cancelled;

    rec.LineSlots = work.LineSlots;
    if (validSlot(T)) {
        const auto& players = s.Players[static_cast<std::size_t>(T)];
        for (std::size_t i = 0; i < RosterSize; ++i) {
            rec.Sts[i] = players[i].Sts;
            rec.Protected[i] = players[i].Protected;
        }
    }
    rec.Team = s.CurTeam;

    // Written over the file's first bytes in place: a longer file keeps the rest, and a write
    // that fails puts back what it had changed (or removes the file it made).
    const auto bytes = rec.encoded();
    const Status saved =
        io::apply({io::Edit::writeAt(*file, 0, io::Bytes(bytes.begin(), bytes.end()), true)});
    if (!saved) {
        prompter.message("The lines could not be saved to " + pathToUtf8(*file) + ".\r" +
                             pathToUtf8(saved.error()),
                         MsgIcon::Stop, "Save Lines");
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Saved;
}

ImportOutcome ImportLinesSub(Session& s, Prompter& prompter, LineWork& work, int T)
{
    const std::optional<std::string> file = prompter.openFileName(linesDialog("Import Text Lines", ""));
    if (!chosen(file))
        return ImportOutcome::Cancelled;

    const auto failed = [&prompter] {
        prompter.message("Errors in File", MsgIcon::None, "Invalid File");
        return ImportOutcome::Failed;
    };
    const TeamRec* team = currentTeam(s);
    if (!team || !validSlot(T))
        return failed();
    // A name that names no file, or a folder, is refused rather than read as an empty file; a
    // pipe or device is never opened, so the load cannot hang on one.
    std::error_code ec;
    if (!fs::is_regular_file(*file, ec))
        return failed();
    io::Bytes read;
    if (!io::readPrefix(*file, LinesFileRec::Size, read))
        return failed();
    // A short file reads as far as it goes; the bytes it lacks are zero.
    std::array<std::uint8_t, LinesFileRec::Size> bytes{};
    std::copy(read.begin(), read.end(), bytes.begin());
    const LinesFileRec rec = LinesFileRec::decode(bytes);

    if (rec.Password != team->Password) {
        prompter.message("Password Incorrect", MsgIcon::Stop, "Import Lines");
        return ImportOutcome::WrongPassword;
    }

    // The file's roster class is taken, its injury code dropped. A player who is hurt keeps his
    // status, and the file may not dress him; a healthy pro player sent to the farm goes through
    // the waiver rule first.
    auto& players = s.Players[static_cast<std::size_t>(T)];
    const roster::RosterFiles waiverFiles = roster::RosterFiles::in(s.HomeDir);
    bool invalid = false;
    for (int i = 0; i < RosterSize; ++i) {
        PlayerRec& p = players[static_cast<std::size_t>(i)];
        if (p.isEmpty())
            continue;
        const std::uint8_t f = rec.Sts[static_cast<std::size_t>(i)];
        if (p.injury() != 0) {
            invalid = invalid || f == 200;
        } else if (p.Sts >= 100 && f == 0) {
            const roster::WaiverOutcome w = roster::CheckWaiversNow(s, prompter, T, i, 99, waiverFiles);
            if (!w.status)
                return failed();
            if (w.noWaiversNeeded)
                p.Sts = 0;
        } else {
            p.Sts = static_cast<std::uint8_t>(f / 100 * 100);
        }
    }
    for (std::size_t i = 0; i < RosterSize; ++i)
        players[i].Protected = rec.Protected[i];

    TeamRec& managed = s.Teams[s.CurTeam];
    if (invalid) {
        prompter.message(cp1252ToUtf8(Condense(managed.Name.str())) + " lines are not valid", MsgIcon::None,
                         "Invalid Lines");
        return ImportOutcome::Invalid;
    }
    work.LineSlots = rec.LineSlots;
    work.LinesChanged = true;
    managed.LinesSet.set(true);
    return ImportOutcome::Taken;
}

} // namespace bb::lines
