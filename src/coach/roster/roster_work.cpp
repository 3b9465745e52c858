#include "roster_work.h"

#include "core/text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace bb::roster {

void ResetFlags(Session& s, RosterWork& work, int T)
{
    if (T < 0 || T > 1)
        return;
    auto& players = s.Players[static_cast<std::size_t>(T)];
    for (std::size_t i = 0; i < RosterSize; ++i) {
        PlayerRec& p = players[i];
        const int injury = p.Sts % 100;
        if (injury > 0) {
            const auto scratched = static_cast<std::uint8_t>(100 + injury);
            work.RosterStatus[i] = scratched;
            if (p.Sts < 100)
                p.Sts = scratched;
            if (p.Con < 10)
                p.Con = 100;
        } else {
            work.RosterStatus[i] = p.Sts;
        }
        work.SavedStatus[i] = p.Sts;
    }
}

List sourceList(int Index)
{
    switch (Index) {
    case Scratch:
        return GameList;
    case Dress:
    case SendDown:
        return ScratchList;
    default:
        return FarmList;
    }
}

namespace {

const std::array<PlayerRec, RosterSize>& managed(const Session& s)
{
    return s.Players[0];
}

// The name as a message shows it: the stored characters, padding spaces included, up to a NUL.
std::string messageName(const PlayerRec& p)
{
    const std::string stored = p.Name.str();
    return cp1252ToUtf8(std::string_view(stored).substr(0, stored.find('\0')));
}

// Dressed players the game roster needs: at least three of each forward position, six
// defencemen and exactly two goalies, twenty in all.
bool complete(const std::array<std::uint8_t, 5>& dressedAt, int dressed)
{
    return dressed == 20 && dressedAt[PosC] >= 3 && dressedAt[PosLW] >= 3 && dressedAt[PosRW] >= 3 &&
           dressedAt[PosD] >= 6 && dressedAt[PosG] == 2;
}

} // namespace

RosterLists listPlayers(const Session& s, RosterWork& work, const PositionFilter& shown,
                        const ProtectMark& marked)
{
    RosterLists out;
    work.ProCount = 0;
    work.PosDressed.fill(0);
    int dressed = 0;
    const auto& players = managed(s);
    for (std::size_t i = 0; i < RosterSize; ++i) {
        const PlayerRec& p = players[i];
        if (!isListed(p))
            continue;
        const std::uint8_t status = work.RosterStatus[i];
        const int k = status / 100; // 0..2 for any byte
        if (status >= 100 && p.Susp != SuspendedForGood)
            ++work.ProCount;
        if (p.Pos >= shown.size() || shown[p.Pos])
            out.rows[static_cast<std::size_t>(k)].push_back(
                {static_cast<std::uint8_t>(i), marked ? marked(p) : false});
        if (k == GameList) {
            if (p.Pos < work.PosDressed.size())
                ++work.PosDressed[p.Pos];
            ++dressed;
        }
    }
    work.RosterComplete = complete(work.PosDressed, dressed);
    out.Label5 = work.RosterComplete ? "Roster Complete" : std::to_string(dressed) + " Total Players";
    return out;
}

void cmdMovePlayer(const Session& s, Prompter& prompter, RosterWork& work, int Index,
                   const std::vector<std::uint8_t>& selected)
{
    const List from = sourceList(Index);
    for (const std::uint8_t slot : selected) {
        // Only rows of the button's own list move: a status is never pushed out of its range.
        if (slot >= RosterSize || work.RosterStatus[slot] / 100 != from)
            continue;
        const PlayerRec& p = managed(s)[slot];
        // The record's own injury counts here, not the working copy's.
        const bool unavailable = p.injury() != 0 || p.Susp != 0;
        switch (Index) {
        case Scratch:
            work.RosterStatus[slot] = static_cast<std::uint8_t>(work.RosterStatus[slot] - 100);
            break;
        case Dress:
            if (unavailable)
                prompter.message(messageName(p) + " is unavailable", MsgIcon::None, "");
            else
                work.RosterStatus[slot] = static_cast<std::uint8_t>(work.RosterStatus[slot] + 100);
            break;
        case SendDown:
            if (unavailable)
                prompter.message(messageName(p) + " cannot be sent to farm", MsgIcon::None, "");
            else
                work.RosterStatus[slot] = static_cast<std::uint8_t>(work.RosterStatus[slot] - 100);
            break;
        case CallUp:
            if (work.ProCount >= ProRosterLimit) {
                prompter.message("Roster is full", MsgIcon::Stop, "Set Roster");
                work.RosterChanged = true;
                return;
            }
            work.RosterStatus[slot] = static_cast<std::uint8_t>(work.RosterStatus[slot] + 100);
            if (p.Susp != SuspendedForGood)
                ++work.ProCount;
            break;
        default:
            break;
        }
    }
    work.RosterChanged = true;
}

bool enoughForAutoRoster(const Session& s, Prompter& prompter)
{
    std::array<int, 5> at{};
    int total = 0;
    for (const PlayerRec& p : managed(s)) {
        if (p.isEmpty())
            continue;
        ++total;
        if (p.Pos < at.size())
            ++at[p.Pos];
    }
    if (at[PosC] < 3 || at[PosLW] < 3 || at[PosRW] < 3 || at[PosD] < 5 || at[PosG] < 2 || total < 20) {
        prompter.message("Not enough players", MsgIcon::Information, "Auto Roster");
        return false;
    }
    return true;
}

bool setPlayerName(Session& s, int Ply, std::string_view typedUtf8)
{
    if (Ply < 0 || Ply >= RosterSize)
        return false;
    PlayerRec& p = s.Players[0][static_cast<std::size_t>(Ply)];
    if (p.isEmpty())
        return false;
    p.Name.assign(utf8ToCp1252(typedUtf8));
    return true;
}

std::optional<std::uint8_t> parseRating(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
        ++i;
    // The longest number at the start: sign, digits, a decimal point and digits, an exponent.
    // Read without the user's locale: the point is the decimal separator, as in the boxes.
    std::string number;
    const auto take = [&](auto accept) {
        std::size_t n = 0;
        for (; i < text.size() && accept(text[i]); ++i, ++n)
            number += text[i];
        return n;
    };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isSign = [](char c) { return c == '+' || c == '-'; };
    if (i < text.size() && isSign(text[i]))
        number += text[i++];
    std::size_t mantissa = take(isDigit);
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        mantissa += take(isDigit);
    }
    if (mantissa == 0)
        return std::nullopt; // no number at all reads as 0, which is no rating
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (isSign(text[j]))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            number += 'e';
            number.append(text.substr(i + 1, j - i - 1));
            i = j;
            take(isDigit);
        }
    }
    const char* first = number.data();
    if (*first == '+')
        ++first;
    double v = 0;
    if (std::from_chars(first, number.data() + number.size(), v).ec != std::errc{})
        return std::nullopt; // out of range either way
    if (!(v >= 15 && v < 100))
        return std::nullopt;
    return static_cast<std::uint8_t>(std::floor(v));
}

bool setRating(Session& s, int Ply, int Index, std::string_view text)
{
    if (Ply < 0 || Ply >= RosterSize || Index < 0 || Index > 12)
        return false;
    PlayerRec& p = s.Players[0][static_cast<std::size_t>(Ply)];
    const std::optional<std::uint8_t> v = parseRating(text);
    if (!v || p.isEmpty())
        return false;
    p.Skill[static_cast<std::size_t>(Index)] = *v;
    return true;
}

} // namespace bb::roster
