// The team view's figures: player groups, standings, special teams, per-game figures, roster
// averages and the finance projection to the end of the season, with their display texts.
#pragma once

#include "core/records.h"
#include "core/session.h"

#include <cstdint>
#include <optional>
#include <string>

namespace bb::manager {

// The expense rule spreads a season's pay over this many games, whatever the schedule says.
inline constexpr int ExpenseGames = 84;

// The regional separators of the user's number formats, as UTF-8 (a separator can be more
// than one byte, e.g. a narrow no-break space).
struct NumberFormat {
    std::string group = ",";
    std::string point = ".";
};

// Every figure of one fill of the team view, computed from team slot 0 of Players and the record
// of CurTeam as they stand when the figures are taken. Counts and games are wide integers: data
// beyond a byte's range gives a large or negative figure, never one wrapped around.
struct TeamFigures {
    std::int64_t gamesPerTeam = 0;

    int farmCount = 0;
    int proCount = 0;
    std::int64_t farmPay = 0;
    std::int64_t proPay = 0;
    std::int64_t hgtSum = 0;
    std::int64_t wgtSum = 0;
    std::int64_t ageSum = 0;

    // Wins + losses + ties of the record as it stands, shown whatever the season day.
    int standingsGP = 0;
    // The same once the season has started; 0 before it.
    int gamesPlayed = 0;
    int perGameDivisor = 1;

    std::int64_t coachShare = 0;
    double expensesPerGame = 0;
    // Never below 0: a record with more games than the schedule leaves no games to pay for.
    std::int64_t gamesRemaining = 0;
    double homeGamesRemaining = 0;
    double estimatedRevenue = 0;
    double projectedExpenses = 0;
    std::int64_t projectedBalance = 0;

    // Special teams in tenths of a percent, cut towards minus infinity; 0 without chances.
    std::int64_t ppTenths = 0;
    std::int64_t pkTenths = 0;

    float sfPerGame = 0;
    float saPerGame = 0;
    float pimPerGame = 0;

    // Only when there are pro players; otherwise the cells keep what they showed.
    std::optional<float> avgAge;
    std::optional<float> avgHgt;
    std::optional<float> avgWgt;
};

// Games each team plays: the schedule's games per team, doubled, to the nearest whole number
// with a half going to the even neighbour.
std::int64_t GamesPerTeam(const LeagueRec& league);

// The figures of team CurTeam with the players now in team slot 0 (load them first). A CurTeam
// beyond the team table gives all-zero figures and reads nothing out of bounds.
TeamFigures teamFigures(const Session& s);

// Before the season has started the shown team's wins, losses and ties start again from 0 in
// Teams; the standings taken before this call still show the stored ones.
void preSeasonReset(Session& s);

// The stored texts of the identity rows at their full width, padding included (8-bit league
// text, to be shown through the league-text conversion). A conference or division index beyond
// the league header's tables gives an empty text.
struct IdentityTexts {
    std::string Team;
    std::string Conf;
    std::string Div;
    std::string Abbrev;
    std::string Owner;
    std::string Coach;
    std::string ICQ;
    std::string Arena;
    std::string Seats;
    std::string Ticket;
};
IdentityTexts identityTexts(const LeagueRec& league, const TeamRec& team);

// The value cells of one fill, as UTF-8 display texts.
struct TeamTexts {
    std::string GP, W, L, T, GF, GA, PP, PK, SF, SA, PIM;
    // Empty optional: the cell keeps its text.
    std::optional<std::string> AvgAge, AvgHgt, AvgWgt;
    std::string Pro, Farm;
    std::string CurFin, Home, Rev, Est, GR, ExpGame, ProjExp, ProjBal;
    bool balanceNegative = false;
};
TeamTexts teamTexts(const TeamFigures& f, const TeamRec& team, const NumberFormat& nf);

// "$0,000": comma groups, at least four digits, a minus sign before the dollar sign.
std::string dollars(std::int64_t amount, const NumberFormat& nf);
// "0.0": one decimal, a value exactly halfway rounded away from zero. Halfway is judged on the
// shortest decimal that reads back as the same number, the decimal a person would write down
// (0.15 and 181.25 round up). A value that is not a number shows as an empty text.
std::string oneDecimal(double value, const NumberFormat& nf);
std::string oneDecimal(float value, const NumberFormat& nf);
// "0.0" of a whole number of tenths.
std::string tenths(std::int64_t value, const NumberFormat& nf);
// A plain decimal number without grouping or padding: 41, 40.5, -2.
std::string plainDecimal(double value, const NumberFormat& nf);

} // namespace bb::manager
