// The line table: what its cells mean, the line codes and slot labels, the assignment texts,
// the placement rules of a slot click, the completeness rule and the commit into the team.
#pragma once

#include "core/records.h"
#include "core/session.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace bb::lines {

// Any cell value of 50 or more is empty, not only NoPlayer.
inline bool occupied(std::uint8_t cell) { return cell < RosterSize; }

// Slots that line x has: 5 for lines 0..5, 4 for 6..9, 3 for 10..12.
int slotsOfLine(int x);
// A used cell is one that a line has; the other ten are spare.
inline bool isUsedCell(int x, int y) { return y < slotsOfLine(x); }

std::string lineCode(int x);          // "E1".."E4", "P1".."P4", "K1".."K4", "" for line 12
std::string slotLabel(int x, int y);  // "C", "L", "R", "D", "W"; "Starting Goaltender", "X1", "X2"
std::string headerCaption(int x);     // "Even Strength Line 1", "PP Line 1 (4 on 3)", ...

// Line editor modes; the base line is the first of the four lines on display.
enum class Mode { Even, PP, PK };
int baseLine(Mode mode);

// Slot label index 0..22 of the window to its cell: lblPlayer(5k + y) shows (base + k, y),
// lblPlayer(20 + y) shows (12, y).
struct Cell {
    int x;
    int y;
};
Cell cellOfSlot(int index, Mode mode);
// False for a slot label that shows a spare cell in this mode (hidden in the window).
bool slotShown(int index, Mode mode);

using AssignmentTexts = std::array<std::string, RosterSize>;

// The codes of every used cell holding each roster slot, in line then slot order, joined by
// single spaces; "the Pine" for a roster slot that stands nowhere.
AssignmentTexts ReadLineAssgts(const LineTable& t);

// True when any of the 55 used cells is empty.
bool LinesIncomplete(const LineTable& t);

// The line editor's working copy and the rules that change it.
class LineWork {
public:
    explicit LineWork(const LineTable& teamTable) : LineSlots(teamTable) {}

    LineTable LineSlots;
    bool LinesChanged = false;

    // A click on slot label index (0..22) with roster slot p selected, whose record is player.
    // Returns true when the placement is accepted (one cell changed, LinesChanged set);
    // a refusal changes nothing.
    bool place(int index, std::uint8_t p, const PlayerRec& player, Mode mode);

    // Commits the working copy into Teams(CurTeam): spare cells written 255 in the team record
    // only, LinesSet true, then SaveTeam(CurTeam, T).
    Status TransferBuffer(Session& s, int T) const;
};

// The line editor's player list: the dressed players (injured ones included) whose position
// filter is ticked, in roster-slot order. A position code with no filter box (5 or more) is
// never listed.
std::vector<std::uint8_t> listedPlayers(const std::array<PlayerRec, RosterSize>& players,
                                        const std::array<bool, 5>& positionShown);

// Automatic lines run only with exactly this many healthy dressed players.
inline constexpr int AutoLinesDressed = 20;
// Players whose Sts is exactly 200: dressed and healthy.
int healthyDressed(const std::array<PlayerRec, RosterSize>& players);

} // namespace bb::lines
