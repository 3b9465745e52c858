// Record layouts against bytes placed by hand at their documented offsets.
#include "core/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace bb;
using Bytes = std::vector<std::uint8_t>;

// v's w bytes, least significant first; s cut or padded with spaces to w.
Bytes le(long long v, std::size_t w) { Bytes b(w); for (auto& x : b) x = std::uint8_t(v), v >>= 8; return b; }
Bytes padded(std::string s, std::size_t w) { s.resize(w, ' '); return Bytes(s.begin(), s.end()); }

// One field: the bytes placed by hand at its offset, and how a record stores the value they stand for.
template <typename R> struct Row { std::size_t off; Bytes bytes; void (*set)(R&); };
#define SET(f, ...) [](auto& r) { r.f = __VA_ARGS__; }
// A byte or an array of bytes, stored as it is; a signed number of w bytes; a float by its bits.
#define BYTES(off, f, ...) {off, {__VA_ARGS__}, SET(f, {__VA_ARGS__})}
#define INT(off, f, w, v) {off, le(v, w), SET(f, v)}
#define F32(off, f, bits, v) {off, le(bits, 4), SET(f, v)}
// A text is cut or padded with spaces to its width when assigned; nothing trims it when read.
#define TEXT(off, f, width, s) {off, padded(s, width), [](auto& r) { r.f.assign(s); }}
#define DIV(off, c, d, s) TEXT(off, Conf[c].Div[d].Name, 10, s)

// All the rows' values set on a fresh record must encode to their bytes and zeros elsewhere. The
// bytes no row places (as many as the record leaves uninterpreted) then get junk, and the whole must
// come back through decode and encode; encode being right, that proves decode read every field at its
// offset and kept the rest.
template <typename R> void checkLayout(long uninterpreted, const std::vector<Row<R>>& rows)
{
    std::array<std::uint8_t, R::Size> bytes{}, cover{};
    R fresh{};
    for (const auto& [off, field, set] : rows)
        for (std::size_t i = (set(fresh), 0); i < field.size(); ++i)
            bytes.at(off + i) = field[i], ++cover.at(off + i);
    EXPECT_EQ(fresh.encoded(), bytes);
    for (std::size_t i = 0; i < R::Size; ++i)
        bytes[i] = cover[i] ? bytes[i] : static_cast<std::uint8_t>(0xA0 + i % 0x5F);
    EXPECT_EQ(std::ranges::count(cover, 1), long(R::Size) - uninterpreted) << "every other byte in one row";
    EXPECT_EQ(R::decode(bytes).encoded(), bytes);
}

TEST(RecordLayout, PlayerTeamAndLeagueRecords)
{
    // Uninterpreted: 65..66, 69..74, 79..85. A flag read as 1 (the program writes -1) must come back as 1.
    checkLayout<PlayerRec>(2 + 6 + 7, {
        TEXT(0, Name, 22, "A name longer than twenty-two"), BYTES(22, Pos, 3), BYTES(23, Num, 91),
        INT(24, Rookie.raw, 2, 1), BYTES(26, Shoots, 1), BYTES(27, Hgt, 74), BYTES(28, Wgt, 205),
        BYTES(29, Age, 31), BYTES(30, Sts, 7), BYTES(31, Con, 88), INT(46, Salary, 4, 0x12345678),
        BYTES(32, Skill, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 255), BYTES(50, Contract, 3),
        BYTES(51, Susp, 99), BYTES(52, GP, 12), BYTES(53, G, 7), BYTES(54, A, 9), INT(55, PlusMinus, 2, -2),
        INT(57, PIM, 2, 300), INT(59, Shots, 2, -32768), BYTES(61, PPG, 2), BYTES(62, SHG, 1),
        BYTES(63, GW, 4), BYTES(64, GT, 5), {67, {0xFF, 0xFF}, [](auto& r) { r.Protected.set(true); }},
        BYTES(75, Released, 1), TEXT(76, Birthplace, 3, "SWE")});
    // Uninterpreted: 35, 58..60, 129..131, 145..155, 239..240, 246..251.
    checkLayout<TeamRec>(1 + 3 + 3 + 11 + 2 + 6, {
        TEXT(0, Name, 10, "Ashford"), TEXT(10, Owner, 25, "M. Lindqvist"), TEXT(36, ICQ, 12, "123456789012"),
        TEXT(48, Password, 10, "secret"), TEXT(61, Abbrev, 3, "ASH"), TEXT(64, Arena, 30, "Memorial Arena"),
        INT(94, Seats, 2, 18500), BYTES(96, Ticket, 65), BYTES(97, Conf, 1), BYTES(98, Div, 3),
        INT(99, Cash, 4, -7654321), TEXT(103, Coach.Name, 22, "Bertil Holm"), INT(125, Coach.Pay, 4, 1000000),
        BYTES(132, Wins, 7, 30, 31), BYTES(135, Losses, 4, 32, 33), BYTES(138, Ties, 1, 34, 35),
        INT(141, GA, 2, 42), INT(143, GF, 2, -1), INT(156, PPOpp, 2, 50), BYTES(158, PPGoals, 9),
        INT(159, TimesSH, 2, 301), BYTES(161, PPGA, 8), F32(162, SF, 0x449A5000, 1234.5f),
        F32(166, SA, 0xBE800000, -0.25f), F32(170, PIM, 0x42C18000, 96.75f), BYTES(241, HomeGP, 6),
        INT(242, GateRev, 4, 0x12345678), INT(252, LinesSet.raw, 2, 1),
        // Byte 174 + i holds i, cell (i % 13, i / 13): the line number runs fastest.
        {174, [] { Bytes b(65); for (std::uint8_t i = 0; i < 65; ++i) b[i] = i; return b; }(),
         [](auto& r) { for (std::uint8_t i = 0; i < 65; ++i) r.LineSlots[i % 13][i / 13] = i; }}});
    // Uninterpreted: each conference's byte after its name and each division's 11 after its name;
    // 222..230, 233..273, 276..393, 397..418, 421..458.
    checkLayout<LeagueRec>(2 * (1 + 4 * 11) + 9 + 41 + 118 + 22 + 38, {
        TEXT(0, Name, 25, "Northern League"), BYTES(25, MaxTeam, 49), TEXT(26, Conf[0].Name, 12, "Eastern"),
        DIV(39, 0, 0, "Div 0"), DIV(60, 0, 1, "Div 1"), DIV(81, 0, 2, "Div 2"), DIV(102, 0, 3, "Div 3"),
        TEXT(123, Conf[1].Name, 12, "Western"), DIV(136, 1, 0, "Div 4"), DIV(157, 1, 1, "Div 5"),
        DIV(178, 1, 2, "Div 6"), DIV(199, 1, 3, "Div 7"), INT(220, SeasonDay, 2, 12),
        INT(231, WaiversOn, 2, 1), INT(274, SchedGames, 2, 984), BYTES(394, WaiverGP, 10),
        BYTES(395, WaiverAge, 25), BYTES(396, FarmPayGP, 5), INT(419, WaiversOff, 2, -1)});
}

} // namespace
