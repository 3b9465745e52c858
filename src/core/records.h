// The league's packed fixed-length records. Each record keeps the bytes it was read from, so
// that every byte no rule interprets is written back exactly as the league stored it.
#pragma once

#include "bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace bb {

inline constexpr std::uint8_t NoPlayer = 255;
inline constexpr int LineCount = 13;   // lines 0..12
inline constexpr int LineWidth = 5;    // slots 0..4 of each line
inline constexpr int RosterSize = 50;  // roster slots of a team
inline constexpr int MaxTeams = 50;    // team numbers 0..49

enum Position : std::uint8_t { PosC = 0, PosLW = 1, PosRW = 2, PosD = 3, PosG = 4, AnySkater = 5 };

// The line table: cell (x, y) is line x (0..12), slot y (0..4). Stored with x running fastest.
using LineTable = std::array<std::array<std::uint8_t, LineWidth>, LineCount>;

LineTable decodeLineTable(const std::uint8_t* p);
void encodeLineTable(const LineTable& t, std::uint8_t* p);

struct PlayerRec {
    static constexpr std::size_t Size = 86;

    Text<22> Name;
    std::uint8_t Pos = 0;
    std::uint8_t Num = 0;
    Bool16 Rookie;
    std::uint8_t Shoots = 0;
    std::uint8_t Hgt = 0;
    std::uint8_t Wgt = 0;
    std::uint8_t Age = 0;
    std::uint8_t Sts = 0;
    std::uint8_t Con = 0;
    std::array<std::uint8_t, 14> Skill{};
    std::int32_t Salary = 0;
    std::uint8_t Contract = 0;
    std::uint8_t Susp = 0;
    std::uint8_t GP = 0;
    std::uint8_t G = 0;
    std::uint8_t A = 0;
    std::int16_t PlusMinus = 0;
    std::int16_t PIM = 0;
    std::int16_t Shots = 0;
    std::uint8_t PPG = 0;
    std::uint8_t SHG = 0;
    std::uint8_t GW = 0;
    std::uint8_t GT = 0;
    Bool16 Protected;
    std::uint8_t Released = 0;
    Text<3> Birthplace;

    std::array<std::uint8_t, Size> raw{};  // the bytes as read; uninterpreted ones come from here

    // An empty roster slot is a record whose name starts with NUL.
    bool isEmpty() const { return Name[0] == '\0'; }
    int rosterClass() const { return Sts / 100; }
    int injury() const { return Sts % 100; }

    static PlayerRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
    std::array<std::uint8_t, Size> encoded() const;
};

struct CoachRec {
    static constexpr std::size_t Size = 27;

    Text<22> Name;
    std::int32_t Pay = 0;

    std::array<std::uint8_t, Size> raw{};

    static CoachRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
};

struct TeamRec {
    static constexpr std::size_t Size = 254;
    static constexpr std::size_t LineSlotsOffset = 174;

    Text<10> Name;
    Text<25> Owner;
    Text<12> ICQ;
    Text<10> Password;
    Text<3> Abbrev;
    Text<30> Arena;
    std::int16_t Seats = 0;
    std::uint8_t Ticket = 0;
    std::uint8_t Conf = 0;
    std::uint8_t Div = 0;
    std::int32_t Cash = 0;
    CoachRec Coach;
    std::array<std::uint8_t, 3> Wins{};
    std::array<std::uint8_t, 3> Losses{};
    std::array<std::uint8_t, 3> Ties{};
    std::int16_t GA = 0;
    std::int16_t GF = 0;
    std::int16_t PPOpp = 0;
    std::uint8_t PPGoals = 0;
    std::int16_t TimesSH = 0;
    std::uint8_t PPGA = 0;
    float SF = 0;
    float SA = 0;
    float PIM = 0;
    LineTable LineSlots{};
    std::uint8_t HomeGP = 0;
    std::int32_t GateRev = 0;
    Bool16 LinesSet;

    std::array<std::uint8_t, Size> raw{};

    static TeamRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
    std::array<std::uint8_t, Size> encoded() const;
};

struct DivRec {
    static constexpr std::size_t Size = 21;

    Text<10> Name;

    std::array<std::uint8_t, Size> raw{};

    static DivRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
};

struct ConfRec {
    static constexpr std::size_t Size = 97;

    Text<12> Name;
    std::array<DivRec, 4> Div{};

    std::array<std::uint8_t, Size> raw{};

    static ConfRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
};

struct LeagueRec {
    static constexpr std::size_t Size = 459;

    Text<25> Name;
    std::uint8_t MaxTeam = 0;
    std::array<ConfRec, 2> Conf{};
    std::int16_t SeasonDay = 0;
    std::int16_t WaiversOn = 0;
    std::int16_t SchedGames = 0;
    std::uint8_t WaiverGP = 0;
    std::uint8_t WaiverAge = 0;
    std::uint8_t FarmPayGP = 0;
    std::int16_t WaiversOff = 0;

    std::array<std::uint8_t, Size> raw{};

    static LeagueRec decode(std::span<const std::uint8_t, Size> bytes);
    void encode(std::span<std::uint8_t, Size> bytes) const;
    std::array<std::uint8_t, Size> encoded() const;
};

} // namespace bb
