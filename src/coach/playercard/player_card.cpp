#include "player_card.h"

#include "core/ratings.h"
#include "core/text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace bb::card {

namespace {

// A stored name as the card shows it. A field can hold a NUL before its last character, which
// Condense keeps; the header joins two fields, so the first must not hide the second.
std::string shownName(std::string_view stored)
{
    std::string s = Condense(stored);
    if (const std::size_t nul = s.find('\0'); nul != std::string::npos)
        s.resize(nul);
    return s;
}

std::string num(std::int64_t v)
{
    return std::to_string(v);
}

std::uint64_t magnitude(std::int64_t v)
{
    // Negating in unsigned arithmetic keeps the most negative value representable.
    return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string statusText(const PlayerRec& p, const CardContext& ctx)
{
    const int k = p.injury();
    if (k > 0) {
        const std::string code =
            k < static_cast<int>(ctx.InjCode.size()) ? ctx.InjCode[static_cast<std::size_t>(k)] : "?";
        return "Injured " + code;
    }
    if (p.Susp > 0)
        return "Suspended " + num(p.Susp) + " games";
    return "Healthy";
}

constexpr std::array<const char*, StatCount> kSkaterCaptions = {"GP",  "G",   "A",  "P",  "PIM",   "+/-",
                                                                "PPG", "SHG", "GW", "GT", "Shots", "Sh%"};
constexpr std::array<const char*, StatCount> kGoalieCaptions = {"GP",  "W",  "L",  "T", "GA",    "GAA",
                                                                "PIM", "As", "SO", "",  "Shots", "Sv%"};

void skaterStats(const PlayerRec& p, const Separators& sep, CardTexts& t)
{
    auto& v = t.statValue;
    v[lblGP] = num(p.GP);
    v[lblG] = num(p.G);
    v[lblA] = num(p.A);
    // Goals and assists are bytes each; their sum is not.
    v[lblP] = num(std::int64_t{p.G} + p.A);
    v[lblPIM] = num(p.PIM);
    v[lblPlus] = num(p.PlusMinus);
    v[lblPP] = num(p.PPG);
    v[lblSH] = num(p.SHG);
    v[lblGW] = num(p.GW);
    v[lblGT] = num(p.GT);
    v[lblShots] = num(p.Shots);
    v[lblShoot] = p.Shots < 1 ? fixedDecimals(0, 1, 1, sep.decimal)
                              : fixedDecimals(std::int64_t{p.G} * 100, p.Shots, 1, sep.decimal);
}

// A goalie's record holds his own statistics in the skater fields.
void goalieStats(const PlayerRec& p, const Separators& sep, CardTexts& t)
{
    auto& v = t.statValue;
    v[lblGP] = num(p.GP);
    v[lblG] = num(p.SHG);   // wins
    v[lblA] = num(p.GW);    // losses
    v[lblP] = num(p.GT);    // ties
    v[lblPIM] = num(p.PIM); // goals against
    v[lblPP] = num(p.G);    // penalty minutes
    v[lblSH] = num(p.A);
    v[lblGW] = num(p.PPG); // shutouts
    v[lblGT].clear();
    v[lblShots] = num(p.Shots); // shots against
    // Without a game played there is nothing to average: the card keeps its design texts.
    v[lblPlus] = "0";
    v[lblShoot] = "N/A";
    if (p.GP > 0) {
        v[lblPlus] = fixedDecimals(p.PIM, p.GP, 2, sep.decimal);
        v[lblShoot] = p.Shots < 1 ? fixedDecimals(1, 1, 3, sep.decimal)
                                  : fixedDecimals(std::int64_t{p.Shots} - p.PIM, p.Shots, 3, sep.decimal);
    }
    t.lblGTVisible = false;
}

} // namespace

std::string groupedNumber(std::int64_t value, const std::string& thousands)
{
    std::string digits = std::to_string(magnitude(value));
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += thousands;
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

std::string fixedDecimals(std::int64_t num, std::int64_t den, int places, const std::string& decimal)
{
    places = std::clamp(places, 0, 6);
    if (den == 0)
        return fixedDecimals(0, 1, places, decimal);
    std::uint64_t scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    // Whole-number arithmetic, so that a half such as 6.25 is exactly a half and rounds up to 6.3.
    const std::uint64_t n = magnitude(num);
    const std::uint64_t d = magnitude(den);
    const std::uint64_t q = (2 * n * scale + d) / (2 * d);
    std::string out = (q != 0 && (num < 0) != (den < 0)) ? "-" : "";
    out += std::to_string(q / scale);
    if (places > 0) {
        std::string frac = std::to_string(q % scale);
        frac.insert(0, static_cast<std::size_t>(places) - frac.size(), '0');
        out += decimal + frac;
    }
    return out;
}

std::string heightFeet(std::uint8_t Hgt)
{
    if (Hgt < 66)
        return "5 ft 6";
    return num(Hgt / 12) + " ft " + num(Hgt % 12);
}

std::string heightCm(std::uint8_t Hgt, const std::string& decimal)
{
    // 2.5 cm to the inch: a whole number, or one with a half.
    const int halfCm = Hgt * 5;
    return num(halfCm / 2) + (halfCm % 2 != 0 ? decimal + "5" : "") + " cm";
}

CardTexts fillCard(const PlayerRec& PlyBuf, const CardContext& ctx)
{
    const PlayerRec& p = PlyBuf;
    CardTexts t;
    t.Label1 = shownName(p.Name.str()) + " (" + shownName(ctx.teamName) + ")";
    t.lblPos = p.Pos < ctx.PosName.size() ? ctx.PosName[p.Pos] : "?";
    t.lblCon = p.Con == 0 ? "100" : num(p.Con);
    t.lblBirthplace = p.Birthplace.str();
    t.lblNum = num(p.Num);
    t.lblAge = num(p.Age);
    t.lblWgt = num(p.Wgt);
    t.lblContract = num(p.Contract);
    t.lblHD = p.Shoots != 0 ? "R" : "L";
    t.lblHgtFeet = heightFeet(p.Hgt);
    t.lblHgtCm = heightCm(p.Hgt, ctx.sep.decimal);

    // A healthy farm player who has not yet played enough games draws a tenth of his salary.
    std::int64_t salary = p.Salary;
    if (p.Sts == 0 && p.GP < ctx.FarmPayGP)
        salary = floorDiv(salary, 10);
    t.lblSalary = groupedNumber(salary, ctx.sep.thousands);

    t.lblSts = statusText(p, ctx);
    t.lblExp = p.Rookie ? "Rookie" : "Veteran";
    for (std::size_t k = 0; k < 13; ++k)
        t.lblSkill[k] = p.Skill[k] == 255 ? "n/a" : num(p.Skill[k]);

    const bool goalie = p.Pos == PosG;
    for (std::size_t i = 0; i < StatCount; ++i)
        t.statCaption[i] = goalie ? kGoalieCaptions[i] : kSkaterCaptions[i];
    if (goalie)
        goalieStats(p, ctx.sep, t);
    else
        skaterStats(p, ctx.sep, t);

    const std::optional<int> overall = overallOf(p);
    t.lblSkill[13] = overall ? num(*overall) : "?";
    if (goalie)
        t.lblSkill[9] = t.lblSkill[10] = "N/A";
    return t;
}

PlayerRec cardPlayer(const Session& s)
{
    return s.CurPlayer < RosterSize ? s.Players[0][s.CurPlayer] : PlayerRec{};
}

CardContext cardContext(const Session& s, Separators sep)
{
    CardContext ctx;
    if (s.CurTeam < MaxTeams)
        ctx.teamName = s.Teams[s.CurTeam].Name.str();
    ctx.FarmPayGP = s.League.FarmPayGP;
    ctx.PosName = s.PosName;
    ctx.InjCode = s.InjCode;
    ctx.sep = std::move(sep);
    return ctx;
}

} // namespace bb::card
