// The lines file: one team's line table with every roster slot's status and protection flag,
// saved under a password and loaded back by a team whose stored password is the same.
#pragma once

#include "coach/lines/line_table.h"
#include "core/bytes.h"
#include "core/prompter.h"
#include "core/records.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <span>

namespace bb::lines {

// The whole file (226 bytes): no header, no version, no checksum.
struct LinesFileRec {
    static constexpr std::size_t Size = 226;
    static constexpr std::size_t LineSlotsOffset = 11;
    static constexpr std::size_t StsOffset = 76;
    static constexpr std::size_t ProtectedOffset = 126;

    std::uint8_t Team = 0;
    Text<10> Password;
    LineTable LineSlots{};
    std::array<std::uint8_t, RosterSize> Sts{};
    std::array<Bool16, RosterSize> Protected{};

    static LinesFileRec decode(std::span<const std::uint8_t, Size> bytes);
    std::array<std::uint8_t, Size> encoded() const;
};

enum class ExportOutcome { Cancelled, Saved, Failed };

// Save Lines for the players of team slot T: asks for a password and a file name, then writes
// the editor's working copy (as it stands, uncommitted edits included), the players' statuses
// and protection flags and CurTeam into the file's first 226 bytes; a longer file keeps its tail.
// Changes nothing in memory. A file that cannot be written is reported and left as it was.
ExportOutcome ExportLinesSub(Session& s, Prompter& prompter, const LineWork& work, int T);

enum class ImportOutcome {
    Cancelled,     // no file chosen: nothing changed
    Failed,        // "Errors in File": what was applied before the failure stays
    WrongPassword, // "Password Incorrect": nothing changed
    Invalid,       // statuses and flags applied, the line table not taken
    Taken,         // the line table replaced the working copy; LinesChanged and LinesSet set
};

// Load Lines for the players of team slot T: asks for a file name, checks the file's password
// against the current team's, applies the statuses (a pro player whom the file sends to the farm
// goes through the waiver rule) and protection flags, and takes the line table unless the file
// dresses a player who is injured. Each outcome but Cancelled and Taken has told the user.
// On Taken the window rebuilds the assignment texts and redraws.
ImportOutcome ImportLinesSub(Session& s, Prompter& prompter, LineWork& work, int T);

} // namespace bb::lines
