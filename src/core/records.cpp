#include "records.h"

#include <algorithm>

namespace bb {

LineTable decodeLineTable(const std::uint8_t* p)
{
    LineTable t{};
    for (int y = 0; y < LineWidth; ++y)
        for (int x = 0; x < LineCount; ++x)
            t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = p[x + LineCount * y];
    return t;
}

void encodeLineTable(const LineTable& t, std::uint8_t* p)
{
    for (int y = 0; y < LineWidth; ++y)
        for (int x = 0; x < LineCount; ++x)
            p[x + LineCount * y] = t[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
}

// ---- PlayerRec ----

PlayerRec PlayerRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    const std::uint8_t* p = bytes.data();
    PlayerRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(p, 0);
    r.Pos = getU8(p, 22);
    r.Num = getU8(p, 23);
    r.Rookie.raw = getI16(p, 24);
    r.Shoots = getU8(p, 26);
    r.Hgt = getU8(p, 27);
    r.Wgt = getU8(p, 28);
    r.Age = getU8(p, 29);
    r.Sts = getU8(p, 30);
    r.Con = getU8(p, 31);
    std::copy(p + 32, p + 46, r.Skill.begin());
    r.Salary = getI32(p, 46);
    r.Contract = getU8(p, 50);
    r.Susp = getU8(p, 51);
    r.GP = getU8(p, 52);
    r.G = getU8(p, 53);
    r.A = getU8(p, 54);
    r.PlusMinus = getI16(p, 55);
    r.PIM = getI16(p, 57);
    r.Shots = getI16(p, 59);
    r.PPG = getU8(p, 61);
    r.SHG = getU8(p, 62);
    r.GW = getU8(p, 63);
    r.GT = getU8(p, 64);
    r.Protected.raw = getI16(p, 67);
    r.Released = getU8(p, 75);
    r.Birthplace.read(p, 76);
    return r;
}

void PlayerRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::uint8_t* p = bytes.data();
    std::copy(raw.begin(), raw.end(), p);
    Name.write(p, 0);
    putU8(p, 22, Pos);
    putU8(p, 23, Num);
    putI16(p, 24, Rookie.raw);
    putU8(p, 26, Shoots);
    putU8(p, 27, Hgt);
    putU8(p, 28, Wgt);
    putU8(p, 29, Age);
    putU8(p, 30, Sts);
    putU8(p, 31, Con);
    std::copy(Skill.begin(), Skill.end(), p + 32);
    putI32(p, 46, Salary);
    putU8(p, 50, Contract);
    putU8(p, 51, Susp);
    putU8(p, 52, GP);
    putU8(p, 53, G);
    putU8(p, 54, A);
    putI16(p, 55, PlusMinus);
    putI16(p, 57, PIM);
    putI16(p, 59, Shots);
    putU8(p, 61, PPG);
    putU8(p, 62, SHG);
    putU8(p, 63, GW);
    putU8(p, 64, GT);
    putI16(p, 67, Protected.raw);
    putU8(p, 75, Released);
    Birthplace.write(p, 76);
}

std::array<std::uint8_t, PlayerRec::Size> PlayerRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    encode(out);
    return out;
}

// ---- CoachRec ----

CoachRec CoachRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    CoachRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(bytes.data(), 0);
    r.Pay = getI32(bytes.data(), 22);
    return r;
}

void CoachRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::copy(raw.begin(), raw.end(), bytes.begin());
    Name.write(bytes.data(), 0);
    putI32(bytes.data(), 22, Pay);
}

// ---- TeamRec ----

TeamRec TeamRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    const std::uint8_t* p = bytes.data();
    TeamRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(p, 0);
    r.Owner.read(p, 10);
    r.ICQ.read(p, 36);
    r.Password.read(p, 48);
    r.Abbrev.read(p, 61);
    r.Arena.read(p, 64);
    r.Seats = getI16(p, 94);
    r.Ticket = getU8(p, 96);
    r.Conf = getU8(p, 97);
    r.Div = getU8(p, 98);
    r.Cash = getI32(p, 99);
    r.Coach = CoachRec::decode(bytes.subspan<103, CoachRec::Size>());
    std::copy(p + 132, p + 135, r.Wins.begin());
    std::copy(p + 135, p + 138, r.Losses.begin());
    std::copy(p + 138, p + 141, r.Ties.begin());
    r.GA = getI16(p, 141);
    r.GF = getI16(p, 143);
    r.PPOpp = getI16(p, 156);
    r.PPGoals = getU8(p, 158);
    r.TimesSH = getI16(p, 159);
    r.PPGA = getU8(p, 161);
    r.SF = getF32(p, 162);
    r.SA = getF32(p, 166);
    r.PIM = getF32(p, 170);
    r.LineSlots = decodeLineTable(p + LineSlotsOffset);
    r.HomeGP = getU8(p, 241);
    r.GateRev = getI32(p, 242);
    r.LinesSet.raw = getI16(p, 252);
    return r;
}

void TeamRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::uint8_t* p = bytes.data();
    std::copy(raw.begin(), raw.end(), p);
    Name.write(p, 0);
    Owner.write(p, 10);
    ICQ.write(p, 36);
    Password.write(p, 48);
    Abbrev.write(p, 61);
    Arena.write(p, 64);
    putI16(p, 94, Seats);
    putU8(p, 96, Ticket);
    putU8(p, 97, Conf);
    putU8(p, 98, Div);
    putI32(p, 99, Cash);
    Coach.encode(bytes.subspan<103, CoachRec::Size>());
    std::copy(Wins.begin(), Wins.end(), p + 132);
    std::copy(Losses.begin(), Losses.end(), p + 135);
    std::copy(Ties.begin(), Ties.end(), p + 138);
    putI16(p, 141, GA);
    putI16(p, 143, GF);
    putI16(p, 156, PPOpp);
    putU8(p, 158, PPGoals);
    putI16(p, 159, TimesSH);
    putU8(p, 161, PPGA);
    putF32(p, 162, SF);
    putF32(p, 166, SA);
    putF32(p, 170, PIM);
    encodeLineTable(LineSlots, p + LineSlotsOffset);
    putU8(p, 241, HomeGP);
    putI32(p, 242, GateRev);
    putI16(p, 252, LinesSet.raw);
}

std::array<std::uint8_t, TeamRec::Size> TeamRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    encode(out);
    return out;
}

// ---- DivRec / ConfRec ----

DivRec DivRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    DivRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(bytes.data(), 0);
    return r;
}

void DivRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::copy(raw.begin(), raw.end(), bytes.begin());
    Name.write(bytes.data(), 0);
}

ConfRec ConfRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    ConfRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(bytes.data(), 0);
    for (std::size_t d = 0; d < r.Div.size(); ++d)
        r.Div[d] = DivRec::decode(bytes.subspan(13 + DivRec::Size * d).first<DivRec::Size>());
    return r;
}

void ConfRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::copy(raw.begin(), raw.end(), bytes.begin());
    Name.write(bytes.data(), 0);
    for (std::size_t d = 0; d < Div.size(); ++d)
        Div[d].encode(bytes.subspan(13 + DivRec::Size * d).first<DivRec::Size>());
}

// ---- LeagueRec ----

LeagueRec LeagueRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    const std::uint8_t* p = bytes.data();
    LeagueRec r;
    std::copy(bytes.begin(), bytes.end(), r.raw.begin());
    r.Name.read(p, 0);
    r.MaxTeam = getU8(p, 25);
    for (std::size_t k = 0; k < r.Conf.size(); ++k)
        r.Conf[k] = ConfRec::decode(bytes.subspan(26 + ConfRec::Size * k).first<ConfRec::Size>());
    r.SeasonDay = getI16(p, 220);
    r.WaiversOn = getI16(p, 231);
    r.SchedGames = getI16(p, 274);
    r.WaiverGP = getU8(p, 394);
    r.WaiverAge = getU8(p, 395);
    r.FarmPayGP = getU8(p, 396);
    r.WaiversOff = getI16(p, 419);
    return r;
}

void LeagueRec::encode(std::span<std::uint8_t, Size> bytes) const
{
    std::uint8_t* p = bytes.data();
    std::copy(raw.begin(), raw.end(), p);
    Name.write(p, 0);
    putU8(p, 25, MaxTeam);
    for (std::size_t k = 0; k < Conf.size(); ++k)
        Conf[k].encode(bytes.subspan(26 + ConfRec::Size * k).first<ConfRec::Size>());
    putI16(p, 220, SeasonDay);
    putI16(p, 231, WaiversOn);
    putI16(p, 274, SchedGames);
    putU8(p, 394, WaiverGP);
    putU8(p, 395, WaiverAge);
    putU8(p, 396, FarmPayGP);
    putI16(p, 419, WaiversOff);
}

std::array<std::uint8_t, LeagueRec::Size> LeagueRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    encode(out);
    return out;
}

} // namespace bb
