// The game roster editor's working copy: the roster status each player will have if the manager
// keeps the changes, and the status he had when the copy was made; the three lists drawn from it,
// the moves between them and the edits that go straight into the player records.
#pragma once

#include "core/prompter.h"
#include "core/records.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bb::roster {

struct RosterWork {
    std::array<std::uint8_t, RosterSize> RosterStatus{};
    std::array<std::uint8_t, RosterSize> SavedStatus{};
    bool RosterChanged = false;

    // Counted by the list refresh (listPlayers); the moves and the exit read them.
    std::array<std::uint8_t, 5> PosDressed{};
    int ProCount = 0;
    bool RosterComplete = false;
};

// Builds the working copy of team slot T. An injured player starts among the scratches with his
// injury kept; an injured farm player is moved onto the pro roster in his record at once, and an
// injured player whose condition is below 10 gets condition 100, also in the record.
void ResetFlags(Session& s, RosterWork& work, int T);

// The pro roster holds at most this many players, not counting those suspended for good.
inline constexpr int ProRosterLimit = 25;
// A suspension of this many games keeps a player off the pro roster's count.
inline constexpr std::uint8_t SuspendedForGood = 99;

// Shown in the lists and counted: a player in the slot, and not released.
inline bool isListed(const PlayerRec& p)
{
    return !p.isEmpty() && p.Released == 0;
}

// The three lists, by roster class.
enum List { FarmList = 0, ScratchList = 1, GameList = 2 };

struct ListRow {
    std::uint8_t slot = 0;
    bool marked = false; // protect mode: shown with "*" after the name
};

struct RosterLists {
    // Rows of list1(0) farm, list1(1) scratches, list1(2) game roster, in roster-slot order.
    std::array<std::vector<ListRow>, 3> rows;
    std::string Label5; // "Roster Complete", or the dressed count and " Total Players"
};

// Which positions the filters show, by position code 0..4.
using PositionFilter = std::array<bool, 5>;
// Protect mode's mark for a player; empty outside protect mode.
using ProtectMark = std::function<bool(const PlayerRec&)>;

// The list refresh for team slot 0: the rows of the listed players whose position is shown (a
// position code without a filter is always shown), and the counts in work (ProCount, PosDressed,
// RosterComplete), which include the filtered players.
RosterLists listPlayers(const Session& s, RosterWork& work, const PositionFilter& shown,
                        const ProtectMark& marked = {});

// The move buttons cmdMovePlayer(0..3): Scratch, Dress, Send Down, Call Up.
enum MoveButton { Scratch = 0, Dress = 1, SendDown = 2, CallUp = 3 };
// The list a move button takes its rows from.
List sourceList(int Index);

// One press of cmdMovePlayer(Index) on the selected rows of its source list, top to bottom as
// shown. Each row is judged by itself; a refusal is told to the manager; a full pro roster stops
// the call-ups of the press. RosterChanged is set whatever happened; the caller then refreshes.
void cmdMovePlayer(const Session& s, Prompter& prompter, RosterWork& work, int Index,
                   const std::vector<std::uint8_t>& selected);

// The Auto button's check over all 50 slots (every class, released, injured and suspended
// players included): false, after telling the manager, when too few players exist to dress.
bool enoughForAutoRoster(const Session& s, Prompter& prompter);

// The name edit (Enter in txtName): the typed text, converted to the league's code page, cut or
// padded with spaces to 22 characters, becomes the name of roster slot Ply of team slot 0.
// An empty slot is left alone: there is no player to rename. False when nothing was stored.
bool setPlayerName(Session& s, int Ply, std::string_view typedUtf8);

// The number a text begins with (leading blanks skipped; 0 when it begins with none), as a
// rating: its floor when 15 <= v < 100, else nothing.
std::optional<std::uint8_t> parseRating(std::string_view text);

// The rating edit (Enter in txtRating(Index)): stores the parsed rating into Skill(Index) of
// roster slot Ply of team slot 0. False when the text is refused or the slot is empty.
bool setRating(Session& s, int Ply, int Index, std::string_view text);

} // namespace bb::roster
