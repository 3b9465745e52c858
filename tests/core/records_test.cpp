// Record layouts against bytes placed by hand at their documented offsets, and the generator's
// league files through decode and encode.
#include "core/records.h"
#include "demo_league.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace bb;
using Bytes = std::vector<std::uint8_t>;
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// One field: the bytes placed by hand at its offset, how to store the value they stand for, and
// whether a record holds that value.
template <typename R> struct Row {
    std::string name;
    std::size_t off;
    Bytes bytes;
    std::function<void(R&)> set;
    std::function<bool(const R&)> holds;
};

// FIELD(f) gives a row its name and a picker of r.f that works on const and mutable records.
#define FIELD(f) #f, [](auto& r) -> auto& { return r.f; }
template <typename R, typename Get> using FieldOf = std::remove_cvref_t<std::invoke_result_t<Get, R&>>;

template <typename R, typename Get>
Row<R> num(std::size_t off, const char* name, Get get, FieldOf<R, Get> v, Bytes b)
{
    return {name, off, std::move(b), [=](R& r) { get(r) = v; }, [=](const R& r) { return get(r) == v; }};
}

// A text assigned is padded with spaces to the field's width; nothing trims it when read.
template <typename R, typename Get> Row<R> text(std::size_t off, const char* name, Get get, std::string s)
{
    std::string padded = s;
    padded.resize(FieldOf<R, Get>::size(), ' ');
    return {name, off, Bytes(padded.begin(), padded.end()), [=](R& r) { get(r).assign(s); },
            [=](const R& r) { return get(r).str() == padded; }};
}

// Each row alone: decoded from a record holding only its bytes, and encoded from a record holding
// only its value, which must give those bytes and zeros elsewhere. Then all rows together with
// junk in the uninterpreted ranges: decode must see every value and encode give back every byte.
template <typename R> void checkLayout(const std::vector<Row<R>>& rows, const Ranges& uninterpreted)
{
    using Rec = std::array<std::uint8_t, R::Size>;
    Rec all{};
    std::vector<int> cover(R::Size);
    for (const Row<R>& row : rows) {
        Rec one{};
        for (std::size_t i = 0; i < row.bytes.size(); ++i) {
            one.at(row.off + i) = all.at(row.off + i) = row.bytes[i];
            ++cover.at(row.off + i);
        }
        EXPECT_TRUE(row.holds(R::decode(one))) << row.name << " read at " << row.off;
        R r{};
        row.set(r);
        EXPECT_EQ(r.encoded(), one) << row.name << " written at " << row.off;
    }
    for (auto [from, to] : uninterpreted)
        for (std::size_t i = from; i < to; ++i) {
            all.at(i) = static_cast<std::uint8_t>(0xA0 + i % 0x5F);
            ++cover.at(i);
        }
    ASSERT_EQ(cover, std::vector<int>(R::Size, 1)) << "the rows and ranges must cover every byte once";
    const R r = R::decode(all);
    for (const Row<R>& row : rows)
        EXPECT_TRUE(row.holds(r)) << row.name << " among the others";
    EXPECT_EQ(r.encoded(), all);
}

TEST(RecordLayout, PlayerRec)
{
    using P = PlayerRec;
    const std::array<std::uint8_t, 14> sk{40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 255};
    // Flags hold 1 here, not the program's -1: a stored value must come back as it was.
    const std::vector<Row<P>> rows = {
        text<P>(0, FIELD(Name), "Jan Novak"),           num<P>(22, FIELD(Pos), 3, {3}),
        num<P>(23, FIELD(Num), 91, {91}),                num<P>(24, FIELD(Rookie), Bool16{1}, {1, 0}),
        num<P>(26, FIELD(Shoots), 1, {1}),               num<P>(27, FIELD(Hgt), 74, {74}),
        num<P>(28, FIELD(Wgt), 205, {205}),              num<P>(29, FIELD(Age), 31, {31}),
        num<P>(30, FIELD(Sts), 203, {203}),              num<P>(31, FIELD(Con), 88, {88}),
        num<P>(32, FIELD(Skill), sk, Bytes(sk.begin(), sk.end())),
        num<P>(46, FIELD(Salary), 0x12345678, {0x78, 0x56, 0x34, 0x12}),
        num<P>(50, FIELD(Contract), 3, {3}),             num<P>(51, FIELD(Susp), 99, {99}),
        num<P>(52, FIELD(GP), 12, {12}),                 num<P>(53, FIELD(G), 7, {7}),
        num<P>(54, FIELD(A), 9, {9}),                    num<P>(55, FIELD(PlusMinus), -2, {0xFE, 0xFF}),
        num<P>(57, FIELD(PIM), 300, {0x2C, 0x01}),       num<P>(59, FIELD(Shots), -32768, {0x00, 0x80}),
        num<P>(61, FIELD(PPG), 2, {2}),                  num<P>(62, FIELD(SHG), 1, {1}),
        num<P>(63, FIELD(GW), 4, {4}),                   num<P>(64, FIELD(GT), 5, {5}),
        num<P>(67, FIELD(Protected), Bool16{1}, {1, 0}), num<P>(75, FIELD(Released), 1, {1}),
        text<P>(76, FIELD(Birthplace), "SWE")};
    checkLayout(rows, {{65, 67}, {69, 75}, {79, 86}});

    std::array<std::uint8_t, 86> b{};
    b[24] = 1;
    PlayerRec p = PlayerRec::decode(b);
    EXPECT_TRUE(static_cast<bool>(p.Rookie));           // a flag holding 1 counts as true
    p.Protected.set(true);                              // the program itself writes -1
    p.Name.assign("A name far longer than twenty-two"); // cut to 22, Pos untouched
    const auto out = p.encoded();
    EXPECT_EQ(Bytes(out.begin() + 20, out.begin() + 23), (Bytes{'a', 'n', 0}));
    EXPECT_EQ(Bytes(out.begin() + 67, out.begin() + 69), (Bytes{0xFF, 0xFF}));
}

TEST(RecordLayout, TeamRecWithCoachRec)
{
    using T = TeamRec;
    LineTable lines{}; // cell (x, y) holds its own array offset x + 13y
    Bytes lineBytes(65);
    for (std::size_t i = 0; i < 65; ++i)
        lines[i % 13][i / 13] = lineBytes[i] = static_cast<std::uint8_t>(i);
    const std::vector<Row<T>> rows = {
        text<T>(0, FIELD(Name), "Ashford"),              text<T>(10, FIELD(Owner), "Mara Lindqvist"),
        text<T>(36, FIELD(ICQ), "123456789012"),          text<T>(48, FIELD(Password), "secret"),
        text<T>(61, FIELD(Abbrev), "ASH"),                text<T>(64, FIELD(Arena), "Memorial Arena"),
        num<T>(94, FIELD(Seats), 18500, {0x44, 0x48}),    num<T>(96, FIELD(Ticket), 65, {65}),
        num<T>(97, FIELD(Conf), 1, {1}),                  num<T>(98, FIELD(Div), 3, {3}),
        num<T>(99, FIELD(Cash), -7654321, {0x4F, 0x34, 0x8B, 0xFF}),
        text<T>(103, FIELD(Coach.Name), "Bertil Holm"),
        num<T>(125, FIELD(Coach.Pay), 1000000, {0x40, 0x42, 0x0F, 0x00}),
        num<T>(132, FIELD(Wins), {7, 30, 31}, {7, 30, 31}),
        num<T>(135, FIELD(Losses), {4, 32, 33}, {4, 32, 33}),
        num<T>(138, FIELD(Ties), {1, 34, 35}, {1, 34, 35}),
        num<T>(141, FIELD(GA), 42, {0x2A, 0x00}),         num<T>(143, FIELD(GF), -1, {0xFF, 0xFF}),
        num<T>(156, FIELD(PPOpp), 50, {0x32, 0x00}),      num<T>(158, FIELD(PPGoals), 9, {9}),
        num<T>(159, FIELD(TimesSH), 301, {0x2D, 0x01}),   num<T>(161, FIELD(PPGA), 8, {8}),
        num<T>(162, FIELD(SF), 1234.5f, {0x00, 0x50, 0x9A, 0x44}),
        num<T>(166, FIELD(SA), -0.25f, {0x00, 0x00, 0x80, 0xBE}),
        num<T>(170, FIELD(PIM), 96.75f, {0x00, 0x80, 0xC1, 0x42}),
        num<T>(174, FIELD(LineSlots), lines, lineBytes),  num<T>(241, FIELD(HomeGP), 6, {6}),
        num<T>(242, FIELD(GateRev), 0x12345678, {0x78, 0x56, 0x34, 0x12}),
        num<T>(252, FIELD(LinesSet), Bool16{1}, {1, 0})};
    checkLayout(rows, {{35, 36}, {58, 61}, {129, 132}, {145, 156}, {239, 241}, {246, 252}});

    // The starting goaltender's cell (12, 0) and the first line's last slot (0, 4), by hand.
    std::array<std::uint8_t, 254> b{};
    b[186] = 21;
    b[226] = 22;
    EXPECT_EQ(TeamRec::decode(b).LineSlots[12][0], 21);
    EXPECT_EQ(TeamRec::decode(b).LineSlots[0][4], 22);
}

TEST(RecordLayout, LeagueRecWithConfRecAndDivRec)
{
    using L = LeagueRec;
    std::vector<Row<L>> rows = {
        text<L>(0, FIELD(Name), "Northern League"),        num<L>(25, FIELD(MaxTeam), 49, {49}),
        text<L>(26, FIELD(Conf[0].Name), "Eastern"),       text<L>(123, FIELD(Conf[1].Name), "Western"),
        num<L>(220, FIELD(SeasonDay), 12, {0x0C, 0x00}),   num<L>(231, FIELD(WaiversOn), 1, {0x01, 0x00}),
        num<L>(274, FIELD(SchedGames), 984, {0xD8, 0x03}), num<L>(394, FIELD(WaiverGP), 10, {10}),
        num<L>(395, FIELD(WaiverAge), 25, {25}),           num<L>(396, FIELD(FarmPayGP), 5, {5}),
        num<L>(419, FIELD(WaiversOff), -1, {0xFF, 0xFF})};
    Ranges junk = {{38, 39}, {135, 136}, {222, 231}, {233, 274}, {276, 394}, {397, 419}, {421, 459}};
    const std::size_t divAt[2][4] = {{39, 60, 81, 102}, {136, 157, 178, 199}}; // division names
    for (std::size_t k = 0; k < 2; ++k)
        for (std::size_t d = 0; d < 4; ++d) {
            const auto get = [k, d](auto& r) -> auto& { return r.Conf[k].Div[d].Name; };
            rows.push_back(text<L>(divAt[k][d], "Div name", get, "Div " + std::to_string(4 * k + d)));
            junk.emplace_back(divAt[k][d] + 10, divAt[k][d] + 21);
        }
    checkLayout(rows, junk);
}

Bytes readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GeneratedLeague, SameSeedSameBytesAndDecodeEncodeChangesNothing)
{
    bb::test::TempDir dir;
    demo::Options o;
    o.teams = 50;
    o.seed = 99;
    o.allDivisions = true;
    ASSERT_TRUE(demo::writeDemoLeague(dir / "a", o).ok());
    ASSERT_TRUE(demo::writeDemoLeague(dir / "b", o).ok());
    const auto check = [&](auto record, const std::string& ext, std::size_t size) {
        using R = decltype(record);
        const Bytes file = readFile(dir / "a" / ("demo" + ext));
        EXPECT_EQ(file.size(), size) << ext;
        EXPECT_EQ(readFile(dir / "b" / ("demo" + ext)), file) << ext << ": same seed, same bytes";
        Bytes out;
        for (std::size_t off = 0; off + R::Size <= file.size(); off += R::Size)
            for (std::uint8_t b :
                 R::decode(std::span<const std::uint8_t, R::Size>(&file[off], R::Size)).encoded())
                out.push_back(b);
        EXPECT_EQ(out, file) << ext << ": decode and encode change nothing";
    };
    check(LeagueRec{}, ".lge", 459);
    check(TeamRec{}, ".tms", 50 * 254);
    check(PlayerRec{}, ".ros", 50 * 50 * 86);
}

} // namespace
