// Feeds arbitrary bytes as the roster working file to LoadTeam, and the loaded team to everything
// that reads one: the roster editor's working copy, lists, moves, automatic roster and protected
// list, the automatic lines, the player card, the team figures, and the records' encoding. A roster file is
// untrusted input: no byte pattern may crash or read out of bounds.
#include "coach/lines/auto_lines.h"
#include "coach/lines/line_table.h"
#include "coach/playercard/player_card.h"
#include "coach/roster/auto_roster.h"
#include "coach/roster/protection.h"
#include "coach/roster/roster_work.h"
#include "fuzz_support.h"
#include "manager/team_figures.h"
#include "scripted_prompter.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const bb::fuzz::TeamFixture& f = bb::fuzz::teamFixture();
    // The first byte picks the team (two in the league, a number beyond them is refused), the rest
    // is the roster working file.
    if (size < 1)
        return 0;
    std::ofstream(f.team.SwapRos, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    auto s = std::make_unique<bb::Session>(f.team);
    s->CurTeam = static_cast<std::uint8_t>(data[0] % 3);
    if (!bb::LoadTeam(*s, s->CurTeam, 0))
        return 0;

    bb::test::ScriptedPrompter prompter;
    bb::roster::RosterWork work;
    bb::roster::ResetFlags(*s, work, 0);
    const bb::roster::PositionFilter all{true, true, true, true, true};
    (void)bb::roster::listPlayers(*s, work, all, bb::roster::carriesProtectMark);
    std::vector<std::uint8_t> everyone;
    for (std::uint8_t i = 0; i < bb::RosterSize; ++i)
        everyone.push_back(i);
    for (int button = 0; button < 4; ++button)
        bb::roster::cmdMovePlayer(*s, prompter, work, button, everyone);
    if (bb::roster::enoughForAutoRoster(*s, prompter))
        bb::roster::AutoRoster(*s, work, 0, 0);
    for (int i = 0; i < bb::RosterSize; ++i)
        (void)bb::roster::ToggleProtection(*s, 0, i);

    bb::LineTable table = s->Teams[s->CurTeam].LineSlots;
    bb::lines::AutoLines(*s, table, 0, 0);
    (void)bb::lines::ReadLineAssgts(table);

    const auto context = bb::card::cardContext(*s, {".", ","});
    // Every seventh slot's card, from a slot the input picks: each record gets its turn across
    // runs without every run paying for fifty cards.
    for (std::uint8_t i = data[0] % 7; i < bb::RosterSize; i = static_cast<std::uint8_t>(i + 7)) {
        s->CurPlayer = i;
        (void)bb::card::fillCard(bb::card::cardPlayer(*s), context);
    }
    const bb::manager::TeamFigures figures = bb::manager::teamFigures(*s);
    (void)bb::manager::teamTexts(figures, s->Teams[s->CurTeam], {",", "."});
    // What a save would write: every record encodes whatever it decoded.
    for (const bb::PlayerRec& p : s->Players[0])
        (void)p.encoded();
    (void)s->Teams[s->CurTeam].encoded();
    return 0;
}
