// The player card's texts: everything the card shows about one player, worked out from his record
// without any window. Regional number formats come in as plain separators, so nothing here needs
// a locale library.
#pragma once

#include "core/records.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bb::card {

// The user's regional separators, as UTF-8 text (some regions group with a non-ASCII space).
struct Separators {
    std::string thousands = ",";
    std::string decimal = ".";
};

// The statistics value labels in the order of the card's two bottom rows.
inline constexpr int StatCount = 12;
enum StatLabel { lblGP, lblG, lblA, lblP, lblPIM, lblPlus, lblPP, lblSH, lblGW, lblGT, lblShots, lblShoot };

struct CardTexts {
    // Label1 and lblBirthplace hold the league's Windows-1252 bytes; every other text is UTF-8.
    std::string Label1;
    std::string lblExp;
    std::string lblPos;
    std::string lblNum;
    std::string lblHD;
    std::string lblHgtFeet;
    std::string lblHgtCm;
    std::string lblWgt;
    std::string lblAge;
    std::string lblSts;
    std::string lblCon;
    std::string lblContract;
    std::string lblSalary;
    std::string lblBirthplace;
    std::array<std::string, 14> lblSkill;
    // The captions Label26..Label37 and the values under them, indexed by StatLabel.
    std::array<std::string, StatCount> statCaption;
    std::array<std::string, StatCount> statValue;
    bool lblGTVisible = true;

    const std::string& lblHgt(bool ShowFeet) const { return ShowFeet ? lblHgtFeet : lblHgtCm; }
};

// What the card reads besides the player's own record.
struct CardContext {
    std::string teamName; // TeamRec.Name as stored
    std::uint8_t FarmPayGP = 0;
    std::array<std::string, 5> PosName{};
    std::array<std::string, 8> InjCode{};
    Separators sep;
};

CardTexts fillCard(const PlayerRec& PlyBuf, const CardContext& ctx);

// The record the card shows: roster slot CurPlayer of team slot 0, copied. A slot number beyond
// the roster gives a blank record rather than reading past the table.
PlayerRec cardPlayer(const Session& s);

// The team name, FarmPayGP and tables of the session; a team number beyond the table has no name.
CardContext cardContext(const Session& s, Separators sep);

// Number patterns. A 0 is a digit always shown; halves round away from zero.
// "0,000": at least four digits, grouped in threes.
std::string groupedNumber(std::int64_t value, const std::string& thousands);
// num / den with a fixed number of decimals ("0.0", "0.00", "0.000"), computed exactly; den != 0.
std::string fixedDecimals(std::int64_t num, std::int64_t den, int places, const std::string& decimal);

// Height in feet and inches, or in centimetres at 2.5 to the inch in shortest form.
std::string heightFeet(std::uint8_t Hgt);
std::string heightCm(std::uint8_t Hgt, const std::string& decimal);

} // namespace bb::card
