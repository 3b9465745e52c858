// Record layouts against bytes placed by hand at their documented offsets.
#include "core/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace bb;
using Bytes = std::vector<std::uint8_t>;

// One field: the bytes placed by hand at its offset, and how a record stores the value they stand for.
template <typename R> struct Row { std::size_t off; Bytes bytes; void (*set)(R&); };
#define SET(f, ...) [](auto& r) { r.f = __VA_ARGS__; }
// A byte or an array of bytes, stored as it is.
#define BYTES(off, f, ...) {off, {__VA_ARGS__}, SET(f, {__VA_ARGS__})}
// A text is cut or padded with spaces to its width when assigned; nothing trims it when read.
#define TEXT(off, f, width, s)                                                                   \
    {off, [] { std::string t = s; t.resize(width, ' '); return Bytes(t.begin(), t.end()); }(), \
     [](auto& r) { r.f.assign(s); }}
#define DIV(off, c, d, s) TEXT(off, Conf[c].Div[d].Name, 10, s)

// All the rows' values set on a fresh record must encode to their bytes and zeros elsewhere. The
// bytes no row places (as many as the record leaves uninterpreted) then get junk, and the whole must
// come back through decode and encode; encode being right, that proves decode read every field at its
// offset and kept the rest.
template <typename R> void checkLayout(const std::vector<Row<R>>& rows, long uninterpreted)
{
    std::array<std::uint8_t, R::Size> bytes{};
    std::vector<int> cover(R::Size);
    R fresh{};
    for (const auto& [off, field, set] : rows) {
        set(fresh);
        for (std::size_t i = 0; i < field.size(); ++i)
            bytes.at(off + i) = field[i], ++cover.at(off + i);
    }
    EXPECT_EQ(fresh.encoded(), bytes);
    for (std::size_t i = 0; i < R::Size; ++i)
        bytes[i] = cover[i] ? bytes[i] : static_cast<std::uint8_t>(0xA0 + i % 0x5F);
    EXPECT_EQ(std::ranges::count(cover, 1), long(R::Size) - uninterpreted) << "every other byte in one row";
    EXPECT_EQ(R::decode(bytes).encoded(), bytes);
}

TEST(RecordLayout, PlayerTeamAndLeagueRecords)
{
    // Uninterpreted: 65..66, 69..74, 79..85.
    checkLayout<PlayerRec>(
        {TEXT(0, Name, 22, "A name longer than twenty-two"), BYTES(22, Pos, 3), BYTES(23, Num, 91),
         {24, {1, 0}, SET(Rookie, Bool16{1})}, // 1, not the program's -1: it must come back as it was
         BYTES(26, Shoots, 1), BYTES(27, Hgt, 74), BYTES(28, Wgt, 205), BYTES(29, Age, 31), BYTES(30, Sts, 7),
         BYTES(31, Con, 88), BYTES(32, Skill, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 255),
         {46, {0x78, 0x56, 0x34, 0x12}, SET(Salary, 0x12345678)}, BYTES(50, Contract, 3), BYTES(51, Susp, 99),
         BYTES(52, GP, 12), BYTES(53, G, 7), BYTES(54, A, 9), {55, {0xFE, 0xFF}, SET(PlusMinus, -2)},
         {57, {0x2C, 0x01}, SET(PIM, 300)}, {59, {0x00, 0x80}, SET(Shots, -32768)}, BYTES(61, PPG, 2),
         BYTES(62, SHG, 1), BYTES(63, GW, 4), BYTES(64, GT, 5), BYTES(75, Released, 1),
         {67, {0xFF, 0xFF}, [](auto& r) { r.Protected.set(true); }}, TEXT(76, Birthplace, 3, "SWE")},
        2 + 6 + 7);
    // Uninterpreted: 35, 58..60, 129..131, 145..155, 239..240, 246..251.
    checkLayout<TeamRec>(
        {TEXT(0, Name, 10, "Ashford"), TEXT(10, Owner, 25, "M. Lindqvist"), TEXT(36, ICQ, 12, "123456789012"),
         TEXT(48, Password, 10, "secret"), TEXT(61, Abbrev, 3, "ASH"), TEXT(64, Arena, 30, "Memorial Arena"),
         {94, {0x44, 0x48}, SET(Seats, 18500)}, BYTES(96, Ticket, 65), BYTES(97, Conf, 1), BYTES(98, Div, 3),
         {99, {0x4F, 0x34, 0x8B, 0xFF}, SET(Cash, -7654321)}, TEXT(103, Coach.Name, 22, "Bertil Holm"),
         {125, {0x40, 0x42, 0x0F, 0x00}, SET(Coach.Pay, 1000000)}, BYTES(132, Wins, 7, 30, 31),
         BYTES(135, Losses, 4, 32, 33), BYTES(138, Ties, 1, 34, 35), {141, {0x2A, 0x00}, SET(GA, 42)},
         {143, {0xFF, 0xFF}, SET(GF, -1)}, {156, {0x32, 0x00}, SET(PPOpp, 50)}, BYTES(158, PPGoals, 9),
         {159, {0x2D, 0x01}, SET(TimesSH, 301)}, BYTES(161, PPGA, 8), {252, {1, 0}, SET(LinesSet, Bool16{1})},
         {162, {0x00, 0x50, 0x9A, 0x44}, SET(SF, 1234.5f)}, {166, {0x00, 0x00, 0x80, 0xBE}, SET(SA, -0.25f)},
         {170, {0x00, 0x80, 0xC1, 0x42}, SET(PIM, 96.75f)}, BYTES(241, HomeGP, 6),
         // Byte 174 + i holds i, cell (i % 13, i / 13): the line number runs fastest.
         {174, [] { Bytes b(65); for (std::uint8_t i = 0; i < 65; ++i) b[i] = i; return b; }(),
          [](auto& r) { for (std::uint8_t i = 0; i < 65; ++i) r.LineSlots[i % 13][i / 13] = i; }},
         {242, {0x78, 0x56, 0x34, 0x12}, SET(GateRev, 0x12345678)}},
        1 + 3 + 3 + 11 + 2 + 6);
    // Uninterpreted: each conference's byte after its name and each division's 11 after its name;
    // 222..230, 233..273, 276..393, 397..418, 421..458.
    checkLayout<LeagueRec>(
        {TEXT(0, Name, 25, "Northern League"), BYTES(25, MaxTeam, 49), TEXT(26, Conf[0].Name, 12, "Eastern"),
         DIV(39, 0, 0, "Div 0"), DIV(60, 0, 1, "Div 1"), DIV(81, 0, 2, "Div 2"), DIV(102, 0, 3, "Div 3"),
         TEXT(123, Conf[1].Name, 12, "Western"), DIV(136, 1, 0, "Div 4"), DIV(157, 1, 1, "Div 5"),
         DIV(178, 1, 2, "Div 6"), DIV(199, 1, 3, "Div 7"), {220, {0x0C, 0x00}, SET(SeasonDay, 12)},
         {231, {0x01, 0x00}, SET(WaiversOn, 1)}, {274, {0xD8, 0x03}, SET(SchedGames, 984)},
         BYTES(394, WaiverGP, 10), BYTES(395, WaiverAge, 25), BYTES(396, FarmPayGP, 5),
         {419, {0xFF, 0xFF}, SET(WaiversOff, -1)}},
        2 * (1 + 4 * 11) + 9 + 41 + 118 + 22 + 38);
}

} // namespace
