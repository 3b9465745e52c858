// The waiver rule: a healthy player sent from the pro roster to the farm may first have to pass
// through waivers, which asks the manager, records him in the waiver file and logs the placement.
#pragma once

#include "core/bytes.h"
#include "core/file_io.h"
#include "core/prompter.h"
#include "core/session.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace bb::roster {

// Where the roster editor keeps its league transactions: beside the working files, so that they
// last from one commit and one run to the next, whatever league is loaded.
struct RosterFiles {
    std::filesystem::path waivers;  // WaiverRec records
    std::filesystem::path releases; // ReleaseRec records
    std::filesystem::path log;      // one text line per waiver placement

    static RosterFiles in(const std::filesystem::path& homeDir);
};

// One player placed on waivers (134 bytes).
struct WaiverRec {
    static constexpr std::size_t Size = 134;

    Text<22> Name;
    std::uint8_t Ply = 0;
    std::uint8_t Team = 0;
    double Placed = 0;          // OLE Automation date: days since 30 December 1899, local time
    std::uint8_t Fld32 = 255;
    std::uint8_t Fld33 = 0;
    std::array<std::int16_t, 49> TeamFlags{};
    std::int16_t Fld132 = -1;

    static WaiverRec decode(std::span<const std::uint8_t, Size> bytes);
    std::array<std::uint8_t, Size> encoded() const;
};

// The present local date and time as an OLE Automation date.
double oleDateNow();

// The waiver file as one commit sees it: the names already in it, and the placements this
// commit adds, which are written only by edits() so that they go together with the rest of the
// commit. A later placement of the same name in the same commit counts as a duplicate.
class WaiverBook {
public:
    explicit WaiverBook(RosterFiles files, std::function<double()> now = oleDateNow);

    // Reads the waiver file; a missing one is empty.
    Status load();

    bool listed(const Text<22>& name) const;
    void place(const WaiverRec& rec, const std::string& logLine);

    // The waiver records, at the record numbers the file's length gives, then the log lines.
    std::vector<io::Edit> edits() const;
    bool empty() const { return added_.empty(); }

    double now() const { return now_(); }

private:
    RosterFiles files_;
    std::function<double()> now_;
    io::Bytes file_;
    std::vector<WaiverRec> added_;
    std::string log_;
};

// Whether sending this player from the pro roster to the farm needs waivers under the league's
// rule: enough games played, older than the threshold, the rule in force and not suspended.
bool waiversNeeded(const LeagueRec& league, const PlayerRec& p);

// The placement rule for player Ply of team slot T, placed by team ByTeam (99: the current team).
// True: no waivers needed, nothing changed. False: Sts already holds the outcome (scratches on
// No or on a duplicate name, the farm on Yes with a placement recorded in book).
bool CheckWaivers(Session& s, Prompter& prompter, int T, int Ply, int ByTeam, WaiverBook& book);

// The same for a caller outside a roster commit (the lines import): the placement is written at
// once. When it cannot be written, the player's Sts is put back and the failure returned.
struct WaiverOutcome {
    bool noWaiversNeeded = true;
    Status status = Status::success();
};
WaiverOutcome CheckWaiversNow(Session& s, Prompter& prompter, int T, int Ply, int ByTeam,
                              const RosterFiles& files, std::function<double()> now = oleDateNow);

} // namespace bb::roster
