#include "auto_lines.h"

#include "core/ratings.h"
#include "line_table.h"

namespace bb::lines {

namespace {

constexpr std::uint8_t HealthyDressed = 200; // game roster, no injury

bool wantedPosition(std::uint8_t wanted, std::uint8_t pos)
{
    return pos == wanted || (wanted == AnySkater && pos != PosG);
}

// The fallback by overall rating widens a forward slot to any forward; goalies and extra
// skaters get nothing from it.
bool anyForwardOrSame(std::uint8_t wanted, std::uint8_t pos)
{
    if (wanted <= PosRW)
        return pos <= PosRW;
    if (wanted == PosD)
        return pos == PosD;
    return false;
}

int styleScore(const PlayerRec& p, std::uint8_t style)
{
    switch (style) {
    case Offence:
        return offenseOf(p);
    case Defence:
        return defenseOf(p);
    default:
        return overallOf(p).value_or(0);
    }
}

// What to do once a row of the sequence is filled.
enum After : std::uint8_t {
    None = 0,
    ClearLine = 1,
    ClearGroup = 2,
    MarkE1 = 4, // the E1 players are kept off X2
};

// One row of the sequence: consecutive cells of one line, each with its wanted position and
// play style.
struct Row {
    std::uint8_t line;
    std::uint8_t firstSlot;
    std::uint8_t count;
    std::array<std::uint8_t, LineWidth> pos;
    std::array<std::uint8_t, LineWidth> style;
    std::uint8_t after;
};

constexpr std::uint8_t C = PosC, L = PosLW, R = PosRW, D = PosD, G = PosG, A = AnySkater;
constexpr std::uint8_t Of = Offence, Df = Defence, Ov = OverallStyle;

// The order matters: the marks carried from one row to the next decide who is still free.
// LineUsed keeps a player out of a second cell of the line being filled; GroupUsed, cleared
// after E4, P2, P4, K2 and the goaltender, spreads the first choices over a group of lines, so
// E1 and E2 get the best attackers, E3 the best defensive forwards of those left, and each
// group of special units chooses again from everybody.
constexpr std::array<Row, 15> kSequence = {{
    {0, 0, 5, {C, L, R, D, D}, {Of, Of, Of, Of, Df}, ClearLine},              // E1
    {1, 0, 5, {C, L, R, D, D}, {Of, Of, Of, Of, Df}, ClearLine},              // E2
    {2, 0, 5, {C, L, R, D, D}, {Df, Df, Df, Of, Df}, ClearLine},              // E3
    {3, 0, 5, {C, L, R, D, D}, {Ov, Ov, Ov, Ov, Ov}, ClearLine | ClearGroup}, // E4
    {4, 0, 5, {C, L, R, D, D}, {Of, Of, Of, Of, Of}, ClearLine},              // P1
    {5, 0, 5, {C, L, R, D, D}, {Of, Of, Of, Of, Of}, ClearLine | ClearGroup}, // P2
    {6, 0, 4, {C, L, D, D}, {Of, Of, Of, Of}, ClearLine},                     // P3
    {7, 0, 4, {C, L, D, D}, {Of, Of, Of, Of}, ClearLine | ClearGroup},        // P4
    {8, 0, 4, {C, L, D, D}, {Df, Df, Df, Df}, ClearLine},                     // K1
    {9, 0, 4, {C, L, D, D}, {Df, Df, Df, Df}, ClearLine | ClearGroup},        // K2
    {10, 0, 3, {C, D, D}, {Df, Df, Df}, ClearLine},                           // K3
    {11, 0, 3, {C, D, D}, {Df, Df, Df}, None},                                // K4
    {12, 0, 1, {G}, {Ov}, ClearLine | ClearGroup},                            // starting goaltender
    {12, 1, 1, {A}, {Ov}, MarkE1},                                            // X1
    {12, 2, 1, {A}, {Of}, None},                                              // X2
}};

constexpr int stepCount()
{
    int n = 0;
    for (const Row& r : kSequence)
        n += r.count;
    return n;
}
static_assert(stepCount() == 55, "every used cell is filled exactly once");

} // namespace

std::uint8_t LinePicker::BestPlayer(std::uint8_t Pos, std::uint8_t style)
{
    if (T_ < 0 || T_ > 1)
        return NoPlayer;
    const auto& roster = s_.Players[static_cast<std::size_t>(T_)];

    // Each pass keeps the first of equal scores (strictly greater replaces), and a score of 0
    // never wins: the best starts at 0.
    const auto search = [&](auto admits, auto score) {
        std::uint8_t pick = NoPlayer;
        int best = 0;
        for (std::size_t i = 0; i < roster.size(); ++i) {
            const PlayerRec& p = roster[i];
            if (LineUsed[i] || !admits(i, p))
                continue;
            const int sc = score(p);
            if (sc > best) {
                best = sc;
                pick = static_cast<std::uint8_t>(i);
            }
        }
        return pick;
    };
    const auto byStyle = [style](const PlayerRec& p) { return styleScore(p, style); };

    const auto healthyWanted = [Pos](const PlayerRec& p) {
        return p.Sts == HealthyDressed && wantedPosition(Pos, p.Pos);
    };

    // Pass 1: healthy dressed players not yet in this group of lines.
    std::uint8_t pick =
        search([&](std::size_t i, const PlayerRec& p) { return !GroupUsed[i] && healthyWanted(p); }, byStyle);
    // Pass 2: healthy dressed players, even if they already stand in this group.
    if (pick == NoPlayer)
        pick = search([&](std::size_t, const PlayerRec& p) { return healthyWanted(p); }, byStyle);
    // Pass 3: the whole roster, farm, scratches and injured included. Empty roster slots are
    // not passed over; with their low rating they win only when nobody real is left.
    if (pick == NoPlayer)
        pick = search([&](std::size_t, const PlayerRec& p) { return anyForwardOrSame(Pos, p.Pos); },
                      [](const PlayerRec& p) { return overallOf(p).value_or(0); });
    // Pass 4, the last resort, ranks by condition. We keep to the wanted position here (with
    // AnySkater meaning any non-goalie, as in passes 1 and 2): a goalie on a skater line or a
    // skater in goal would be worse than a tired player of the right position.
    if (pick == NoPlayer)
        pick = search([&](std::size_t, const PlayerRec& p) { return wantedPosition(Pos, p.Pos); },
                      [](const PlayerRec& p) { return static_cast<int>(p.Con); });

    // Nobody at all: the cell stays empty, so the lines report incomplete and are not
    // committed. NoPlayer marks nobody.
    if (pick != NoPlayer) {
        LineUsed[pick] = true;
        GroupUsed[pick] = true;
    }
    return pick;
}

void AutoLines(const Session& s, LineTable& table, int T, std::uint8_t /*Condition*/)
{
    if (T < 0 || T > 1)
        return;
    LinePicker picker(s, T);
    // Spare cells keep the 0 of the fresh table; the commit writes them as NoPlayer.
    table = LineTable{};
    for (const Row& row : kSequence) {
        auto& line = table[row.line];
        for (std::size_t k = 0; k < row.count; ++k)
            line[row.firstSlot + k] = picker.BestPlayer(row.pos[k], row.style[k]);
        if (row.after & ClearLine)
            picker.LineUsed.fill(false);
        if (row.after & ClearGroup)
            picker.GroupUsed.fill(false);
        if (row.after & MarkE1)
            for (std::size_t y = 0; y < LineWidth; ++y)
                if (occupied(table[0][y]))
                    picker.LineUsed[table[0][y]] = true;
    }
}

} // namespace bb::lines
