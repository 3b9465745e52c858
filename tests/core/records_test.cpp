// Record layouts against bytes placed by hand at their documented offsets.
#include "core/records.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace bb;
using Bytes = std::vector<std::uint8_t>;
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// One field: the bytes placed by hand at its offset, and how a record stores the value they stand for.
template <typename R> using Row = std::tuple<std::size_t, Bytes, std::function<void(R&)>>;
#define SET(f, ...) [](auto& r) { r.f = __VA_ARGS__; }
// A byte or an array of bytes, stored as it is.
#define BYTES(off, f, ...) {off, {__VA_ARGS__}, SET(f, {__VA_ARGS__})}
// A text is cut or padded with spaces to its width when assigned; nothing trims it when read.
#define TEXT(off, f, width, s) {off, pad(s, width), [](auto& r) { r.f.assign(s); }}
Bytes pad(std::string s, std::size_t width)
{
    s.resize(width, ' ');
    return {s.begin(), s.end()};
}

// All the rows' values set on a fresh record must encode to their bytes and zeros elsewhere. With
// junk in the uninterpreted ranges added, the bytes must come back whole through decode and encode;
// encode being right, that proves decode read every field at its offset.
template <typename R> R checkLayout(const std::vector<Row<R>>& rows, const Ranges& junk)
{
    std::array<std::uint8_t, R::Size> fields{};
    std::vector<int> cover(R::Size);
    const auto place = [&](auto& rec, std::size_t i, std::uint8_t v) { rec.at(i) = v; ++cover.at(i); };
    R fresh{};
    for (const auto& [off, bytes, set] : rows) {
        set(fresh);
        for (std::size_t i = off; i < off + bytes.size(); ++i)
            place(fields, i, bytes[i - off]);
    }
    EXPECT_EQ(fresh.encoded(), fields);
    auto all = fields;
    for (auto [from, to] : junk)
        for (std::size_t i = from; i < to; ++i)
            place(all, i, static_cast<std::uint8_t>(0xA0 + i % 0x5F));
    EXPECT_EQ(cover, std::vector<int>(R::Size, 1)) << "the rows and ranges must cover every byte once";
    const R r = R::decode(all);
    EXPECT_EQ(r.encoded(), all);
    return r;
}

TEST(RecordLayout, PlayerRec)
{
    const PlayerRec p = checkLayout<PlayerRec>(
        {TEXT(0, Name, 22, "A name longer than twenty-two"), BYTES(22, Pos, 3), BYTES(23, Num, 91),
         {24, {1, 0}, SET(Rookie, Bool16{1})}, // 1, not the program's -1: it must come back as it was
         BYTES(26, Shoots, 1), BYTES(27, Hgt, 74), BYTES(28, Wgt, 205), BYTES(29, Age, 31),
         BYTES(30, Sts, 203), BYTES(31, Con, 88),
         BYTES(32, Skill, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 255),
         {46, {0x78, 0x56, 0x34, 0x12}, SET(Salary, 0x12345678)}, BYTES(50, Contract, 3), BYTES(51, Susp, 99),
         BYTES(52, GP, 12), BYTES(53, G, 7), BYTES(54, A, 9), {55, {0xFE, 0xFF}, SET(PlusMinus, -2)},
         {57, {0x2C, 0x01}, SET(PIM, 300)}, {59, {0x00, 0x80}, SET(Shots, -32768)}, BYTES(61, PPG, 2),
         BYTES(62, SHG, 1), BYTES(63, GW, 4), BYTES(64, GT, 5),
         {67, {0xFF, 0xFF}, [](auto& r) { r.Protected.set(true); }}, // the program itself writes -1
         BYTES(75, Released, 1), TEXT(76, Birthplace, 3, "SWE")},
        {{65, 67}, {69, 75}, {79, 86}});
    EXPECT_TRUE(static_cast<bool>(p.Rookie)) << "a flag holding 1 counts as true";
}

TEST(RecordLayout, TeamRecWithCoachRec)
{
    Bytes lines(65); // byte 174 + i holds i, cell (i % 13, i / 13)
    std::iota(lines.begin(), lines.end(), 0);
    const TeamRec t = checkLayout<TeamRec>(
        {TEXT(0, Name, 10, "Ashford"), TEXT(10, Owner, 25, "M. Lindqvist"), TEXT(36, ICQ, 12, "123456789012"),
         TEXT(48, Password, 10, "secret"), TEXT(61, Abbrev, 3, "ASH"), TEXT(64, Arena, 30, "Memorial Arena"),
         {94, {0x44, 0x48}, SET(Seats, 18500)}, BYTES(96, Ticket, 65), BYTES(97, Conf, 1), BYTES(98, Div, 3),
         {99, {0x4F, 0x34, 0x8B, 0xFF}, SET(Cash, -7654321)}, TEXT(103, Coach.Name, 22, "Bertil Holm"),
         {125, {0x40, 0x42, 0x0F, 0x00}, SET(Coach.Pay, 1000000)}, BYTES(132, Wins, 7, 30, 31),
         BYTES(135, Losses, 4, 32, 33), BYTES(138, Ties, 1, 34, 35), {141, {0x2A, 0x00}, SET(GA, 42)},
         {143, {0xFF, 0xFF}, SET(GF, -1)}, {156, {0x32, 0x00}, SET(PPOpp, 50)}, BYTES(158, PPGoals, 9),
         {159, {0x2D, 0x01}, SET(TimesSH, 301)}, BYTES(161, PPGA, 8),
         {162, {0x00, 0x50, 0x9A, 0x44}, SET(SF, 1234.5f)}, {166, {0x00, 0x00, 0x80, 0xBE}, SET(SA, -0.25f)},
         {170, {0x00, 0x80, 0xC1, 0x42}, SET(PIM, 96.75f)},
         {174, lines, [](auto& r) { for (std::uint8_t i = 0; i < 65; ++i) r.LineSlots[i % 13][i / 13] = i; }},
         BYTES(241, HomeGP, 6), {242, {0x78, 0x56, 0x34, 0x12}, SET(GateRev, 0x12345678)},
         {252, {1, 0}, SET(LinesSet, Bool16{1})}},
        {{35, 36}, {58, 61}, {129, 132}, {145, 156}, {239, 241}, {246, 252}});
    // By hand: the starting goaltender's cell (12, 0) is byte 186, the first line's last slot (0, 4) 226.
    EXPECT_EQ(t.LineSlots[12][0], 186 - 174);
    EXPECT_EQ(t.LineSlots[0][4], 226 - 174);
}

TEST(RecordLayout, LeagueRecWithConfRecAndDivRec)
{
    checkLayout<LeagueRec>(
        {TEXT(0, Name, 25, "Northern League"), BYTES(25, MaxTeam, 49), TEXT(26, Conf[0].Name, 12, "Eastern"),
         TEXT(39, Conf[0].Div[0].Name, 10, "Div 0"), TEXT(60, Conf[0].Div[1].Name, 10, "Div 1"),
         TEXT(81, Conf[0].Div[2].Name, 10, "Div 2"), TEXT(102, Conf[0].Div[3].Name, 10, "Div 3"),
         TEXT(123, Conf[1].Name, 12, "Western"), TEXT(136, Conf[1].Div[0].Name, 10, "Div 4"),
         TEXT(157, Conf[1].Div[1].Name, 10, "Div 5"), TEXT(178, Conf[1].Div[2].Name, 10, "Div 6"),
         TEXT(199, Conf[1].Div[3].Name, 10, "Div 7"), {220, {0x0C, 0x00}, SET(SeasonDay, 12)},
         {231, {0x01, 0x00}, SET(WaiversOn, 1)}, {274, {0xD8, 0x03}, SET(SchedGames, 984)},
         BYTES(394, WaiverGP, 10), BYTES(395, WaiverAge, 25), BYTES(396, FarmPayGP, 5),
         {419, {0xFF, 0xFF}, SET(WaiversOff, -1)}},
        {{38, 39}, {49, 60}, {70, 81}, {91, 102}, {112, 123}, {135, 136}, {146, 157}, {167, 178}, {188, 199},
         {209, 220}, {222, 231}, {233, 274}, {276, 394}, {397, 419}, {421, 459}});
}

} // namespace
