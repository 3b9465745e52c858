// Record layouts checked against bytes placed by hand at their documented offsets, and the
// generator's files checked to survive decode and encode unchanged.
#include "core/records.h"
#include "demo_league.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bb::LeagueRec;
using bb::PlayerRec;
using bb::TeamRec;

template <std::size_t N> using Rec = std::array<std::uint8_t, N>;

template <std::size_t N> void place(Rec<N>& b, std::size_t off, std::initializer_list<std::uint8_t> bytes)
{
    for (std::uint8_t v : bytes)
        b.at(off++) = v;
}

template <std::size_t N> void placeText(Rec<N>& b, std::size_t off, std::string_view text)
{
    for (char c : text)
        b.at(off++) = static_cast<std::uint8_t>(c);
}

// Distinct non-zero bytes in [from, to): uninterpreted bytes that must come back unchanged.
template <std::size_t N> void placeJunk(Rec<N>& b, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i)
        b.at(i) = static_cast<std::uint8_t>(0xA0 + i % 0x5F);
}

template <std::size_t N> std::vector<std::size_t> differingOffsets(const Rec<N>& a, const Rec<N>& b)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < N; ++i)
        if (a[i] != b[i])
            out.push_back(i);
    return out;
}

// ---- PlayerRec ----

Rec<86> handPlayer(bool withJunk)
{
    Rec<86> b{};
    placeText(b, 0, "Jan Novak"); // rest of the name: NUL padding
    place(b, 22, {3});            // Pos
    place(b, 23, {91});           // Num
    place(b, 24, {0x01, 0x00});   // Rookie stored as 1, not -1
    place(b, 26, {1});            // Shoots
    place(b, 27, {74});           // Hgt
    place(b, 28, {205});          // Wgt
    place(b, 29, {31});           // Age
    place(b, 30, {203});          // Sts
    place(b, 31, {88});           // Con
    for (std::uint8_t k = 0; k < 13; ++k)
        place(b, 32 + k, {static_cast<std::uint8_t>(40 + k)});
    place(b, 45, {255});                    // Skill(13)
    place(b, 46, {0x78, 0x56, 0x34, 0x12}); // Salary 0x12345678
    place(b, 50, {3});                      // Contract
    place(b, 51, {99});                     // Susp
    place(b, 52, {12});                     // GP
    place(b, 53, {7});                      // G
    place(b, 54, {9});                      // A
    place(b, 55, {0xFE, 0xFF});             // PlusMinus -2
    place(b, 57, {0x2C, 0x01});             // PIM 300
    place(b, 59, {0x00, 0x80});             // Shots -32768
    place(b, 61, {2, 1, 4, 5});             // PPG SHG GW GT
    place(b, 67, {0xFF, 0xFF});             // Protected -1
    place(b, 75, {1});                      // Released
    placeText(b, 76, "SWE");
    if (withJunk) {
        placeJunk(b, 65, 67);
        placeJunk(b, 69, 75);
        placeJunk(b, 79, 86);
    }
    return b;
}

TEST(PlayerRecLayout, DecodesEveryFieldFromItsOffset)
{
    const Rec<86> b = handPlayer(true);
    const PlayerRec p = PlayerRec::decode(b);

    EXPECT_EQ(p.Name.str(), std::string("Jan Novak") + std::string(13, '\0'));
    EXPECT_EQ(p.Pos, 3);
    EXPECT_EQ(p.Num, 91);
    EXPECT_TRUE(static_cast<bool>(p.Rookie)); // a stored 1 counts as true
    EXPECT_EQ(p.Shoots, 1);
    EXPECT_EQ(p.Hgt, 74);
    EXPECT_EQ(p.Wgt, 205);
    EXPECT_EQ(p.Age, 31);
    EXPECT_EQ(p.Sts, 203);
    EXPECT_EQ(p.rosterClass(), 2);
    EXPECT_EQ(p.injury(), 3);
    EXPECT_EQ(p.Con, 88);
    for (std::size_t k = 0; k < 13; ++k)
        EXPECT_EQ(p.Skill[k], 40 + k) << "skill " << k;
    EXPECT_EQ(p.Skill[13], 255);
    EXPECT_EQ(p.Salary, 0x12345678);
    EXPECT_EQ(p.Contract, 3);
    EXPECT_EQ(p.Susp, 99);
    EXPECT_EQ(p.GP, 12);
    EXPECT_EQ(p.G, 7);
    EXPECT_EQ(p.A, 9);
    EXPECT_EQ(p.PlusMinus, -2);
    EXPECT_EQ(p.PIM, 300);
    EXPECT_EQ(p.Shots, -32768);
    EXPECT_EQ(p.PPG, 2);
    EXPECT_EQ(p.SHG, 1);
    EXPECT_EQ(p.GW, 4);
    EXPECT_EQ(p.GT, 5);
    EXPECT_TRUE(static_cast<bool>(p.Protected));
    EXPECT_EQ(p.Released, 1);
    EXPECT_EQ(p.Birthplace.str(), "SWE");
    EXPECT_FALSE(p.isEmpty());

    // Read and written back untouched: the same 86 bytes, the flag holding 1 included.
    EXPECT_EQ(p.encoded(), b);
}

TEST(PlayerRecLayout, EncodesEveryFieldAtItsOffset)
{
    PlayerRec p;
    p.Name.assign("Jan Novak");
    for (std::size_t i = 9; i < 22; ++i)
        p.Name.b[i] = '\0';
    p.Pos = 3;
    p.Num = 91;
    p.Rookie.raw = 1;
    p.Shoots = 1;
    p.Hgt = 74;
    p.Wgt = 205;
    p.Age = 31;
    p.Sts = 203;
    p.Con = 88;
    for (std::size_t k = 0; k < 13; ++k)
        p.Skill[k] = static_cast<std::uint8_t>(40 + k);
    p.Skill[13] = 255;
    p.Salary = 0x12345678;
    p.Contract = 3;
    p.Susp = 99;
    p.GP = 12;
    p.G = 7;
    p.A = 9;
    p.PlusMinus = -2;
    p.PIM = 300;
    p.Shots = -32768;
    p.PPG = 2;
    p.SHG = 1;
    p.GW = 4;
    p.GT = 5;
    p.Protected.set(true);
    p.Released = 1;
    p.Birthplace.assign("SWE");

    EXPECT_EQ(p.encoded(), handPlayer(false));
}

TEST(PlayerRecLayout, FlagsAndTextAssignment)
{
    Rec<86> b{};
    place(b, 67, {0x01, 0x00});
    PlayerRec p = PlayerRec::decode(b);
    EXPECT_TRUE(static_cast<bool>(p.Protected));
    EXPECT_FALSE(static_cast<bool>(p.Rookie));
    EXPECT_TRUE(p.isEmpty());

    // The program writes -1 for true and 0 for false.
    p.Protected.set(false);
    p.Rookie.set(true);
    const auto out = p.encoded();
    EXPECT_EQ(out[24], 0xFF);
    EXPECT_EQ(out[25], 0xFF);
    EXPECT_EQ(out[67], 0x00);
    EXPECT_EQ(out[68], 0x00);

    // A text assigned is padded with spaces, or cut to the field's width.
    p.Name.assign("Al");
    EXPECT_EQ(p.Name.str(), "Al" + std::string(20, ' '));
    p.Name.assign("A name far longer than twenty-two");
    EXPECT_EQ(p.Name.str(), "A name far longer than");
    EXPECT_EQ(p.encoded()[21], 'n');
    EXPECT_EQ(p.encoded()[22], 0); // Pos untouched by the long name
}

TEST(PlayerRecLayout, NegativeNumbersAreLittleEndianTwosComplement)
{
    PlayerRec p;
    p.Salary = -1000;
    p.PlusMinus = -12;
    const auto out = p.encoded();
    EXPECT_EQ((std::array<std::uint8_t, 4>{out[46], out[47], out[48], out[49]}),
              (std::array<std::uint8_t, 4>{0x18, 0xFC, 0xFF, 0xFF}));
    EXPECT_EQ(out[55], 0xF4);
    EXPECT_EQ(out[56], 0xFF);
    EXPECT_EQ(PlayerRec::decode(out).Salary, -1000);
    EXPECT_EQ(PlayerRec::decode(out).PlusMinus, -12);
}

// ---- TeamRec ----

Rec<254> handTeam(bool withJunk)
{
    Rec<254> b{};
    placeText(b, 0, "Ashford   ");
    placeText(b, 10, "Mara Lindqvist");
    placeText(b, 36, "123456789012");
    placeText(b, 48, "secret    ");
    placeText(b, 61, "ASH");
    placeText(b, 64, "Ashford Memorial Arena");
    place(b, 94, {0x44, 0x48});              // Seats 18500
    place(b, 96, {65});                      // Ticket
    place(b, 97, {1});                       // Conf
    place(b, 98, {3});                       // Div
    place(b, 99, {0x4F, 0x34, 0x8B, 0xFF});  // Cash -7654321
    placeText(b, 103, "Coach Bertil Holm");  // CoachRec.Name
    place(b, 125, {0x40, 0x42, 0x0F, 0x00}); // CoachRec.Pay 1000000
    place(b, 132, {7, 30, 31});              // Wins
    place(b, 135, {4, 32, 33});              // Losses
    place(b, 138, {1, 34, 35});              // Ties
    place(b, 141, {0x2A, 0x00});             // GA 42
    place(b, 143, {0xFF, 0xFF});             // GF -1
    place(b, 156, {0x32, 0x00});             // PPOpp 50
    place(b, 158, {9});                      // PPGoals
    place(b, 159, {0x2D, 0x01});             // TimesSH 301
    place(b, 161, {8});                      // PPGA
    place(b, 162, {0x00, 0x50, 0x9A, 0x44}); // SF 1234.5
    place(b, 166, {0x00, 0x00, 0x80, 0xBE}); // SA -0.25
    place(b, 170, {0x00, 0x80, 0xC1, 0x42}); // PIM 96.75
    for (std::size_t i = 0; i < 65; ++i)
        place(b, 174 + i, {static_cast<std::uint8_t>(i)}); // cell (x, y) holds x + 13y
    place(b, 241, {6});                                    // HomeGP
    place(b, 242, {0x78, 0x56, 0x34, 0x12});               // GateRev
    place(b, 252, {0x01, 0x00});                           // LinesSet stored as 1
    if (withJunk) {
        placeJunk(b, 35, 36);
        placeJunk(b, 58, 61);
        placeJunk(b, 129, 132); // the coach's last byte and the two after the coach
        placeJunk(b, 145, 156);
        placeJunk(b, 239, 241);
        placeJunk(b, 246, 252);
    }
    return b;
}

TEST(TeamRecLayout, DecodesEveryFieldFromItsOffset)
{
    const Rec<254> b = handTeam(true);
    const TeamRec t = TeamRec::decode(b);

    EXPECT_EQ(t.Name.str(), "Ashford   ");
    EXPECT_EQ(t.Owner.str(), std::string("Mara Lindqvist") + std::string(11, '\0'));
    EXPECT_EQ(t.ICQ.str(), "123456789012");
    EXPECT_EQ(t.Password.str(), "secret    ");
    EXPECT_EQ(t.Abbrev.str(), "ASH");
    EXPECT_EQ(t.Arena.str(), std::string("Ashford Memorial Arena") + std::string(8, '\0'));
    EXPECT_EQ(t.Seats, 18500);
    EXPECT_EQ(t.Ticket, 65);
    EXPECT_EQ(t.Conf, 1);
    EXPECT_EQ(t.Div, 3);
    EXPECT_EQ(t.Cash, -7654321);
    EXPECT_EQ(t.Coach.Name.str(), std::string("Coach Bertil Holm") + std::string(5, '\0'));
    EXPECT_EQ(t.Coach.Pay, 1000000);
    EXPECT_EQ(t.Wins, (std::array<std::uint8_t, 3>{7, 30, 31}));
    EXPECT_EQ(t.Losses, (std::array<std::uint8_t, 3>{4, 32, 33}));
    EXPECT_EQ(t.Ties, (std::array<std::uint8_t, 3>{1, 34, 35}));
    EXPECT_EQ(t.GA, 42);
    EXPECT_EQ(t.GF, -1);
    EXPECT_EQ(t.PPOpp, 50);
    EXPECT_EQ(t.PPGoals, 9);
    EXPECT_EQ(t.TimesSH, 301);
    EXPECT_EQ(t.PPGA, 8);
    EXPECT_EQ(t.SF, 1234.5f);
    EXPECT_EQ(t.SA, -0.25f);
    EXPECT_EQ(t.PIM, 96.75f);
    for (std::size_t x = 0; x < 13; ++x)
        for (std::size_t y = 0; y < 5; ++y)
            EXPECT_EQ(t.LineSlots[x][y], x + 13 * y) << "cell " << x << "," << y;
    EXPECT_EQ(t.LineSlots[12][0], 12); // the starting goaltender: team offset 186
    EXPECT_EQ(t.LineSlots[0][4], 52);  // team offset 226
    EXPECT_EQ(t.HomeGP, 6);
    EXPECT_EQ(t.GateRev, 0x12345678);
    EXPECT_TRUE(static_cast<bool>(t.LinesSet));

    EXPECT_EQ(t.encoded(), b);
}

TEST(TeamRecLayout, EncodesEveryFieldAtItsOffset)
{
    const Rec<254> hand = handTeam(false);
    TeamRec t;
    t.Name.assign("Ashford");
    t.Owner.assign("Mara Lindqvist");
    for (std::size_t i = 14; i < 25; ++i)
        t.Owner.b[i] = '\0';
    t.ICQ.assign("123456789012");
    t.Password.assign("secret");
    t.Abbrev.assign("ASH");
    t.Arena.assign("Ashford Memorial Arena");
    for (std::size_t i = 22; i < 30; ++i)
        t.Arena.b[i] = '\0';
    t.Seats = 18500;
    t.Ticket = 65;
    t.Conf = 1;
    t.Div = 3;
    t.Cash = -7654321;
    t.Coach.Name.assign("Coach Bertil Holm");
    for (std::size_t i = 17; i < 22; ++i)
        t.Coach.Name.b[i] = '\0';
    t.Coach.Pay = 1000000;
    t.Wins = {7, 30, 31};
    t.Losses = {4, 32, 33};
    t.Ties = {1, 34, 35};
    t.GA = 42;
    t.GF = -1;
    t.PPOpp = 50;
    t.PPGoals = 9;
    t.TimesSH = 301;
    t.PPGA = 8;
    t.SF = 1234.5f;
    t.SA = -0.25f;
    t.PIM = 96.75f;
    for (std::size_t x = 0; x < 13; ++x)
        for (std::size_t y = 0; y < 5; ++y)
            t.LineSlots[x][y] = static_cast<std::uint8_t>(x + 13 * y);
    t.HomeGP = 6;
    t.GateRev = 0x12345678;
    t.LinesSet.raw = 1;

    EXPECT_EQ(t.encoded(), hand);

    // The program's own true is -1; one line cell lands exactly where the team record keeps it.
    t.LinesSet.set(true);
    t.LineSlots[12][0] = 200;
    t.LineSlots[0][4] = 201;
    const auto out = t.encoded();
    EXPECT_EQ(out[252], 0xFF);
    EXPECT_EQ(out[253], 0xFF);
    EXPECT_EQ(out[186], 200);
    EXPECT_EQ(out[226], 201);
    EXPECT_EQ(differingOffsets(out, hand), (std::vector<std::size_t>{186, 226, 252, 253}));
}

// ---- LeagueRec, ConfRec, DivRec ----

Rec<459> handLeague()
{
    Rec<459> b{};
    placeText(b, 0, "Northern Test League     ");
    place(b, 25, {49}); // MaxTeam
    for (std::size_t k = 0; k < 2; ++k) {
        const std::size_t conf = 26 + 97 * k;
        placeText(b, conf, k == 0 ? "Eastern     " : "Western     ");
        placeJunk(b, conf + 12, conf + 13);
        for (std::size_t d = 0; d < 4; ++d) {
            const std::size_t div = conf + 13 + 21 * d;
            placeText(b, div, std::string("Div ") + char('A' + 4 * k + d) + std::string(5, ' '));
            placeJunk(b, div + 10, div + 21);
        }
    }
    place(b, 220, {0x0C, 0x00}); // SeasonDay 12
    placeJunk(b, 222, 231);
    place(b, 231, {0x01, 0x00}); // WaiversOn
    placeJunk(b, 233, 274);
    place(b, 274, {0xD8, 0x03}); // SchedGames 984
    placeJunk(b, 276, 394);
    place(b, 394, {10, 25, 5}); // WaiverGP WaiverAge FarmPayGP
    placeJunk(b, 397, 419);
    place(b, 419, {0xFF, 0xFF}); // WaiversOff -1
    placeJunk(b, 421, 459);
    return b;
}

TEST(LeagueRecLayout, DecodesEveryFieldFromItsOffset)
{
    const Rec<459> b = handLeague();
    const LeagueRec h = LeagueRec::decode(b);

    EXPECT_EQ(h.Name.str(), "Northern Test League     ");
    EXPECT_EQ(h.MaxTeam, 49);
    EXPECT_EQ(h.Conf[0].Name.str(), "Eastern     ");
    EXPECT_EQ(h.Conf[1].Name.str(), "Western     ");
    for (std::size_t k = 0; k < 2; ++k)
        for (std::size_t d = 0; d < 4; ++d)
            EXPECT_EQ(h.Conf[k].Div[d].Name.str(), std::string("Div ") + char('A' + 4 * k + d) + "     ")
                << "conference " << k << " division " << d;
    EXPECT_EQ(h.SeasonDay, 12);
    EXPECT_EQ(h.WaiversOn, 1);
    EXPECT_EQ(h.SchedGames, 984);
    EXPECT_EQ(h.WaiverGP, 10);
    EXPECT_EQ(h.WaiverAge, 25);
    EXPECT_EQ(h.FarmPayGP, 5);
    EXPECT_EQ(h.WaiversOff, -1);

    EXPECT_EQ(h.encoded(), b);
}

TEST(LeagueRecLayout, EncodesNamedFieldsAtTheirOffsetsOnly)
{
    LeagueRec h = LeagueRec::decode(handLeague());
    h.Name.assign("Other");
    h.MaxTeam = 3;
    h.Conf[1].Name.assign("West");
    h.Conf[1].Div[2].Name.assign("Changed");
    h.SeasonDay = -1;
    h.WaiversOn = 0;
    h.SchedGames = 82;
    h.WaiverGP = 1;
    h.WaiverAge = 2;
    h.FarmPayGP = 3;
    h.WaiversOff = 0;
    const auto out = h.encoded();

    std::vector<std::size_t> expected;
    const auto add = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (out[i] != handLeague()[i])
                expected.push_back(i);
    };
    add(0, 26);                                     // Name, MaxTeam
    add(26 + 97, 26 + 97 + 12);                     // Conf(1).Name
    add(26 + 97 + 13 + 42, 26 + 97 + 13 + 42 + 10); // Conf(1).Div(2).Name at 26 + 97 + 13 + 21 * 2
    add(220, 222);
    add(231, 233);
    add(274, 276);
    add(394, 397);
    add(419, 421);
    EXPECT_EQ(differingOffsets(out, handLeague()), expected);
    EXPECT_EQ(std::string(out.begin() + 178, out.begin() + 188), "Changed   ");
    EXPECT_EQ(out[25], 3);
    EXPECT_EQ(out[220], 0xFF);
    EXPECT_EQ(out[221], 0xFF);
    EXPECT_EQ(out[274], 82);
    EXPECT_EQ(out[394], 1);
    EXPECT_EQ(out[396], 3);
}

// ---- The generator's league through the codecs ----

std::vector<std::uint8_t> readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename R> std::vector<std::uint8_t> reencodeAll(const std::vector<std::uint8_t>& file)
{
    std::vector<std::uint8_t> out;
    for (std::size_t off = 0; off + R::Size <= file.size(); off += R::Size) {
        const R r = R::decode(std::span<const std::uint8_t, R::Size>(file.data() + off, R::Size));
        const auto bytes = r.encoded();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

class GeneratedLeague : public ::testing::Test {
  protected:
    void SetUp() override
    {
        bb::demo::Options o;
        o.name = "rt";
        o.teams = 50;
        o.seed = 99;
        o.allDivisions = true;
        ASSERT_TRUE(bb::demo::writeDemoLeague(dir.path(), o).ok());
        lge = readFile(dir / "rt.lge");
        tms = readFile(dir / "rt.tms");
        ros = readFile(dir / "rt.ros");
        ASSERT_EQ(lge.size(), 459u);
        ASSERT_EQ(tms.size(), 50u * 254);
        ASSERT_EQ(ros.size(), 50u * 50 * 86);
    }
    bb::test::TempDir dir;
    std::vector<std::uint8_t> lge, tms, ros;
};

TEST_F(GeneratedLeague, EveryRecordSurvivesDecodeAndEncode)
{
    EXPECT_EQ(reencodeAll<LeagueRec>(lge), lge);
    EXPECT_EQ(reencodeAll<TeamRec>(tms), tms);
    EXPECT_EQ(reencodeAll<PlayerRec>(ros), ros);
}

TEST_F(GeneratedLeague, ChangingNamedFieldsKeepsEveryOtherByte)
{
    const Rec<86> before = [&] {
        Rec<86> r{};
        std::copy_n(ros.begin(), 86, r.begin());
        return r;
    }();
    PlayerRec p = PlayerRec::decode(before);
    p.Sts = static_cast<std::uint8_t>(p.Sts == 100 ? 200 : 100);
    p.Protected.raw = static_cast<std::int16_t>(~p.Protected.raw); // both bytes change
    p.Con = static_cast<std::uint8_t>(p.Con ^ 0xFF);
    EXPECT_EQ(differingOffsets(p.encoded(), before), (std::vector<std::size_t>{30, 31, 67, 68}));

    Rec<254> team{};
    std::copy_n(tms.begin() + 254 * 7, 254, team.begin());
    TeamRec t = TeamRec::decode(team);
    t.Wins[0] = static_cast<std::uint8_t>(t.Wins[0] + 1);
    t.LinesSet.set(true);
    t.LineSlots[12][0] = 3;
    EXPECT_EQ(differingOffsets(t.encoded(), team), (std::vector<std::size_t>{132, 186, 252, 253}));

    Rec<459> header{};
    std::copy_n(lge.begin(), 459, header.begin());
    LeagueRec h = LeagueRec::decode(header);
    h.SeasonDay = 0;
    EXPECT_EQ(differingOffsets(h.encoded(), header), (std::vector<std::size_t>{220}));
}

} // namespace
