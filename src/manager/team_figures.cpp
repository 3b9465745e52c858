#include "team_figures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace bb::manager {

namespace {

// Division that rounds towards minus infinity, for amounts that may be negative.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// The amounts here stay far below 2^53, so the floor is exact as a whole number.
std::int64_t floorToInt(double v)
{
    return static_cast<std::int64_t>(std::floor(v));
}

std::string num(std::int64_t v)
{
    return std::to_string(v);
}

// The shortest fixed-point text that reads back as the same value: "181.25", "-2", "0.15".
template <typename F> std::string shortestFixed(F value)
{
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

// A decimal digit string plus one, "0199" -> "0200"; grows by a digit on a carry out of the top.
std::string incremented(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

template <typename F> std::string oneDecimalOf(F value, const NumberFormat& nf)
{
    if (!std::isfinite(value))
        return {};
    const std::string text = shortestFixed(value);
    std::string_view v = text;
    const bool negative = !v.empty() && v.front() == '-';
    if (negative)
        v.remove_prefix(1);
    const std::size_t dot = v.find('.');
    const std::string_view whole = v.substr(0, dot);
    const std::string_view frac = dot == std::string_view::npos ? std::string_view{} : v.substr(dot + 1);

    // The number in tenths, as digits, then rounded on the next decimal: 5 or more is at least
    // halfway, and halfway goes away from zero.
    std::string tenthDigits = std::string(whole) + (frac.empty() ? '0' : frac[0]);
    if (frac.size() > 1 && frac[1] >= '5')
        tenthDigits = incremented(tenthDigits);

    const std::size_t firstNonZero = tenthDigits.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    std::string wholeOut = tenthDigits.substr(0, tenthDigits.size() - 1);
    wholeOut.erase(0, std::min(wholeOut.find_first_not_of('0'), wholeOut.size()));
    if (wholeOut.empty())
        wholeOut = "0";
    return (negative && !zero ? "-" : "") + wholeOut + nf.point + tenthDigits.back();
}

} // namespace

std::int64_t GamesPerTeam(const LeagueRec& league)
{
    const double v =
        static_cast<double>(league.SchedGames) / (static_cast<double>(league.MaxTeam) + 1.0) * 2.0;
    const double below = std::floor(v);
    const double part = v - below;
    auto games = static_cast<std::int64_t>(below);
    if (part > 0.5 || (part == 0.5 && games % 2 != 0))
        ++games;
    return games;
}

TeamFigures teamFigures(const Session& s)
{
    TeamFigures f;
    if (s.CurTeam >= MaxTeams)
        return f;
    const TeamRec& team = s.Teams[s.CurTeam];
    const bool seasonStarted = s.League.SeasonDay != 0;

    f.gamesPerTeam = GamesPerTeam(s.League);

    for (const PlayerRec& p : s.Players[0]) {
        if (p.isEmpty())
            continue;
        if (p.Sts == 0) {
            ++f.farmCount;
            f.farmPay += floorDiv(p.Salary, 10);
        } else if (p.Sts >= 100) {
            ++f.proCount;
            f.proPay += p.Salary;
            f.hgtSum += p.Hgt;
            f.wgtSum += p.Wgt;
            f.ageSum += p.Age;
        }
        // A farm player with an injury code is in neither group and costs nothing here.
    }

    f.standingsGP = team.Wins[0] + team.Losses[0] + team.Ties[0];
    f.gamesPlayed = seasonStarted ? f.standingsGP : 0;
    f.perGameDivisor = f.gamesPlayed > 0 ? f.gamesPlayed : 1;

    if (team.PPOpp > 0)
        f.ppTenths = floorDiv(std::int64_t{team.PPGoals} * 1000, team.PPOpp);
    if (team.TimesSH > 0)
        f.pkTenths = floorDiv((std::int64_t{team.TimesSH} - team.PPGA) * 1000, team.TimesSH);

    const auto divisor = static_cast<float>(f.perGameDivisor);
    f.sfPerGame = team.SF / divisor;
    f.saPerGame = team.SA / divisor;
    f.pimPerGame = team.PIM / divisor;

    if (f.proCount > 0) {
        const auto count = static_cast<float>(f.proCount);
        f.avgAge = static_cast<float>(f.ageSum) / count;
        f.avgHgt = static_cast<float>(f.hgtSum) / count;
        f.avgWgt = static_cast<float>(f.wgtSum) / count;
    }

    f.coachShare = floorDiv(team.Coach.Pay, 2);
    f.expensesPerGame = static_cast<double>(f.proPay + f.farmPay + f.coachShare) / ExpenseGames;
    f.gamesRemaining = std::max<std::int64_t>(0, f.gamesPerTeam - f.gamesPlayed);
    f.homeGamesRemaining = static_cast<double>(f.gamesPerTeam) / 2.0 - team.HomeGP;
    if (seasonStarted) {
        f.estimatedRevenue = f.homeGamesRemaining * team.GateRev;
        f.projectedExpenses = f.expensesPerGame * static_cast<double>(f.gamesRemaining);
    }
    // The balance adds up the amounts as the cells show them, in whole dollars.
    f.projectedBalance = floorToInt(f.estimatedRevenue) + team.Cash - floorToInt(f.projectedExpenses);
    return f;
}

void preSeasonReset(Session& s)
{
    if (s.League.SeasonDay != 0 || s.CurTeam >= MaxTeams)
        return;
    TeamRec& team = s.Teams[s.CurTeam];
    team.Wins[0] = 0;
    team.Losses[0] = 0;
    team.Ties[0] = 0;
}

IdentityTexts identityTexts(const LeagueRec& league, const TeamRec& team)
{
    IdentityTexts t;
    t.Team = team.Name.str();
    if (team.Conf < league.Conf.size()) {
        const ConfRec& conf = league.Conf[team.Conf];
        t.Conf = conf.Name.str();
        if (team.Div < conf.Div.size())
            t.Div = conf.Div[team.Div].Name.str();
    }
    t.Abbrev = team.Abbrev.str();
    t.Owner = team.Owner.str();
    t.Coach = team.Coach.Name.str();
    t.ICQ = team.ICQ.str();
    t.Arena = team.Arena.str();
    t.Seats = num(team.Seats);
    t.Ticket = num(team.Ticket);
    return t;
}

TeamTexts teamTexts(const TeamFigures& f, const TeamRec& team, const NumberFormat& nf)
{
    TeamTexts t;
    t.GP = num(f.standingsGP);
    t.W = num(team.Wins[0]);
    t.L = num(team.Losses[0]);
    t.T = num(team.Ties[0]);
    t.GF = num(team.GF);
    t.GA = num(team.GA);
    t.PP = tenths(f.ppTenths, nf);
    t.PK = tenths(f.pkTenths, nf);
    t.SF = oneDecimal(f.sfPerGame, nf);
    t.SA = oneDecimal(f.saPerGame, nf);
    t.PIM = oneDecimal(f.pimPerGame, nf);
    if (f.avgAge)
        t.AvgAge = oneDecimal(*f.avgAge, nf);
    if (f.avgHgt)
        t.AvgHgt = oneDecimal(*f.avgHgt, nf);
    if (f.avgWgt)
        t.AvgWgt = oneDecimal(*f.avgWgt, nf);
    t.Pro = f.proCount > 0 ? num(f.proCount) : std::string();
    t.Farm = f.farmCount > 0 ? num(f.farmCount) : std::string();
    t.CurFin = dollars(team.Cash, nf);
    t.Home = plainDecimal(f.homeGamesRemaining, nf);
    t.Rev = dollars(team.GateRev, nf);
    t.Est = dollars(floorToInt(f.estimatedRevenue), nf);
    t.GR = num(f.gamesRemaining);
    t.ExpGame = dollars(floorToInt(f.expensesPerGame), nf);
    t.ProjExp = dollars(floorToInt(f.projectedExpenses), nf);
    t.ProjBal = dollars(f.projectedBalance, nf);
    t.balanceNegative = f.projectedBalance < 0;
    return t;
}

std::string dollars(std::int64_t amount, const NumberFormat& nf)
{
    // The magnitude as unsigned, so that even the most negative amount has one.
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += nf.group;
        out += digits[i];
    }
    return (amount < 0 ? "-$" : "$") + out;
}

std::string oneDecimal(double value, const NumberFormat& nf)
{
    return oneDecimalOf(value, nf);
}

std::string oneDecimal(float value, const NumberFormat& nf)
{
    return oneDecimalOf(value, nf);
}

std::string tenths(std::int64_t value, const NumberFormat& nf)
{
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return (value < 0 ? "-" : "") + std::to_string(magnitude / 10) + nf.point +
           static_cast<char>('0' + magnitude % 10);
}

std::string plainDecimal(double value, const NumberFormat& nf)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return "0";
    std::string text = shortestFixed(value);
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, nf.point);
    return text;
}

} // namespace bb::manager
