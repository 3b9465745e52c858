// Keeping the game roster: the working copy becomes the stored roster, released players go to the
// release file, players sent down may pass through waivers, and the team is saved. Then the
// players who are no longer dressed come off the team's lines.
#pragma once

#include "coach/roster/roster_work.h"
#include "coach/roster/waivers.h"
#include "core/prompter.h"
#include "core/records.h"
#include "core/session.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace bb::roster {

// One released player (88 bytes): his record as it stood at the commit, Released written 0.
struct ReleaseRec {
    static constexpr std::size_t Size = 88;
    static constexpr std::size_t NameOffset = 2;

    std::int16_t Fld0 = 0;
    PlayerRec Player;

    static ReleaseRec decode(std::span<const std::uint8_t, Size> bytes);
    std::array<std::uint8_t, Size> encoded() const;
};

// Commits the working copy into team slot T and saves team CurTeam. For each roster slot in
// order: a released player (Released exactly 1) is recorded in the release file under his name
// (replacing an earlier record of the same 22-character name) and his slot is emptied; any other
// player gets his working status, and a healthy one sent from the pro roster to the farm goes
// through CheckWaivers, which may ask.
//
// Everything the commit writes (release and waiver records, log lines, the two working files)
// is stored together or not at all. On failure every file is as it was, the players of slot T
// and Teams(CurTeam) are as they were before the call, and the status names the file.
Status TransferBuffer(Session& s, Prompter& prompter, const RosterWork& work, int T, const RosterFiles& files,
                      const std::function<double()>& now = oleDateNow);

// Takes every roster slot that is not dressed after a commit (Sts below 200, empty slots
// included) out of lines 0..11 and the goalie line of Teams(CurTeam); LinesSet is cleared when a
// cell was emptied. True when a cell was emptied.
bool PruneLines(Session& s);

// The Exit button. With changes, asks whether to keep them; on Yes warns about an incomplete
// game roster, commits and prunes the lines. True when the window may close; false when the
// commit failed, which the manager has been told: the changes stay pending.
bool cmdExit(Session& s, Prompter& prompter, RosterWork& work, const RosterFiles& files,
             const std::function<double()>& now = oleDateNow);

} // namespace bb::roster
