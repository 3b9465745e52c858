#include "line_table.h"

#include "core/league_io.h"

namespace bb::lines {

int slotsOfLine(int x)
{
    if (x >= 0 && x <= 5)
        return 5;
    if (x >= 6 && x <= 9)
        return 4;
    if (x >= 10 && x <= 12)
        return 3;
    return 0;
}

std::string lineCode(int x)
{
    // Built by appending: g++ 12 at -O3 misreads "E" + std::to_string(...) as an overlapping copy.
    const auto code = [](char unit, int number) {
        return std::string(1, unit).append(std::to_string(number));
    };
    if (x >= 0 && x <= 3)
        return code('E', x + 1);
    if (x >= 4 && x <= 7)
        return code('P', x - 3);
    if (x >= 8 && x <= 11)
        return code('K', x - 7);
    return {};
}

std::string slotLabel(int x, int y)
{
    static const char* const five[] = {"C", "L", "R", "D", "D"};
    static const char* const four[] = {"C", "W", "D", "D"};
    static const char* const three[] = {"C", "D", "D"};
    static const char* const goalie[] = {"Starting Goaltender", "X1", "X2"};
    if (y < 0 || y >= slotsOfLine(x))
        return {};
    if (x <= 5)
        return five[y];
    if (x <= 9)
        return four[y];
    if (x <= 11)
        return three[y];
    return goalie[y];
}

std::string headerCaption(int x)
{
    static const char* const captions[] = {
        "Even Strength Line 1", "Even Strength Line 2", "Even Strength Line 3", "Even Strength Line 4",
        "PP Line 1 (5 on 4)",   "PP Line 2 (5 on 4)",   "PP Line 1 (4 on 3)",   "PP Line 2 (4 on 3)",
        "PK Line 1 (4 on 5)",   "PK Line 2 (4 on 5)",   "PK Line 1 (3 on 5)",   "PK Line 2 (3 on 5)"};
    return x >= 0 && x < 12 ? captions[x] : std::string();
}

int baseLine(Mode mode)
{
    switch (mode) {
    case Mode::PP:
        return 4;
    case Mode::PK:
        return 8;
    case Mode::Even:
        break;
    }
    return 0;
}

Cell cellOfSlot(int index, Mode mode)
{
    if (index >= 20)
        return {12, index - 20};
    return {baseLine(mode) + index / 5, index % 5};
}

bool slotShown(int index, Mode mode)
{
    const Cell c = cellOfSlot(index, mode);
    return isUsedCell(c.x, c.y);
}

AssignmentTexts ReadLineAssgts(const LineTable& t)
{
    static const std::string pine = "the Pine";
    AssignmentTexts texts;
    texts.fill(pine);
    for (int x = 0; x < LineCount; ++x) {
        for (int y = 0; y < slotsOfLine(x); ++y) {
            const std::uint8_t s = t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            if (!occupied(s))
                continue;
            const std::string code = lineCode(x) + slotLabel(x, y);
            std::string& text = texts[s];
            text = text == pine ? code : text + " " + code;
        }
    }
    return texts;
}

bool LinesIncomplete(const LineTable& t)
{
    for (int x = 0; x < LineCount; ++x)
        for (int y = 0; y < slotsOfLine(x); ++y)
            if (!occupied(t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]))
                return true;
    return false;
}

bool LineWork::place(int index, std::uint8_t p, const PlayerRec& player, Mode mode)
{
    if (index < 0 || index > 22 || !occupied(p) || !slotShown(index, mode))
        return false;
    const bool goalie = player.Pos == PosG;
    const Cell c = cellOfSlot(index, mode);
    auto& line = LineSlots[static_cast<std::size_t>(c.x)];
    if (c.x == 12) {
        // The goalie line has no duplicate test: one skater may be X1 and X2 at once.
        if ((c.y == 0) != goalie)
            return false;
    } else {
        if (goalie)
            return false;
        for (int y = 0; y < slotsOfLine(c.x); ++y)
            if (line[static_cast<std::size_t>(y)] == p)
                return false;
    }
    line[static_cast<std::size_t>(c.y)] = p;
    LinesChanged = true;
    return true;
}

Status LineWork::TransferBuffer(Session& s, int T) const
{
    if (s.CurTeam >= MaxTeams)
        return Status::failure("No such team");
    TeamRec& team = s.Teams[s.CurTeam];
    // A commit that cannot be written leaves the team as it was, so memory and files agree.
    const TeamRec before = team;
    for (int x = 0; x < LineCount; ++x) {
        auto& cells = team.LineSlots[static_cast<std::size_t>(x)];
        cells = LineSlots[static_cast<std::size_t>(x)];
        for (int y = slotsOfLine(x); y < LineWidth; ++y)
            cells[static_cast<std::size_t>(y)] = NoPlayer;
    }
    team.LinesSet.set(true);
    Status saved = SaveTeam(s, s.CurTeam, T);
    if (!saved)
        team = before;
    return saved;
}

std::vector<std::uint8_t> listedPlayers(const std::array<PlayerRec, RosterSize>& players,
                                        const std::array<bool, 5>& positionShown)
{
    std::vector<std::uint8_t> rows;
    for (std::size_t i = 0; i < players.size(); ++i) {
        const PlayerRec& p = players[i];
        if (p.Pos < positionShown.size() && positionShown[p.Pos] && p.rosterClass() == 2)
            rows.push_back(static_cast<std::uint8_t>(i));
    }
    return rows;
}

int healthyDressed(const std::array<PlayerRec, RosterSize>& players)
{
    int n = 0;
    for (const PlayerRec& p : players)
        if (p.Sts == 200)
            ++n;
    return n;
}

} // namespace bb::lines
