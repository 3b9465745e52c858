#include "manager/team_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

using namespace bb;
using namespace bb::manager;

namespace {

const NumberFormat us;

// Team 2 of a four-team league in its twelfth day: 164 scheduled games, so 82 per team.
struct League {
    std::unique_ptr<Session> s = std::make_unique<Session>();
    TeamRec& team = s->Teams[2];

    League()
    {
        s->League.MaxTeam = 3;
        s->League.SeasonDay = 12;
        s->League.SchedGames = 164;
        s->CurTeam = 2;
    }
    PlayerRec& add(int slot, std::uint8_t sts, std::int32_t salary, std::uint8_t hgt = 70,
                   std::uint8_t wgt = 190, std::uint8_t age = 25)
    {
        PlayerRec& p = s->Players[0][static_cast<std::size_t>(slot)];
        p.Name.assign("Player");
        std::tie(p.Sts, p.Salary, p.Hgt, p.Wgt, p.Age) = std::tuple(sts, salary, hgt, wgt, age);
        return p;
    }
    void record(std::uint8_t w, std::uint8_t l, std::uint8_t t)
    {
        std::tie(team.Wins[0], team.Losses[0], team.Ties[0]) = std::tuple(w, l, t);
    }
    TeamFigures figures() const { return teamFigures(*s); }
    TeamTexts texts() const { return teamTexts(figures(), team, us); }
};

TEST(TeamGroups, FarmIsStatusZeroProIsHundredAndUpTheRestCountNowhere)
{
    League lg;
    lg.add(0, 200, 500000, 72, 200, 30);
    lg.add(1, 106, 300000, 74, 190, 25);
    lg.add(2, 0, 95);
    lg.add(3, 0, 99); // each farm salary is floored on its own: 9 + 9, not 19
    lg.add(4, 5, 1000000);
    lg.add(5, 99, 1000000);
    lg.add(6, 200, 1000000).Name.b[0] = '\0'; // an empty slot with stale bytes behind the NUL
    const TeamFigures f = lg.figures();
    EXPECT_EQ(std::tuple(f.farmCount, f.proCount, f.farmPay, f.proPay), std::tuple(2, 2, 18, 800000));
    const TeamTexts t = lg.texts();
    EXPECT_EQ(t.Pro + t.Farm + "|" + *t.AvgAge + "|" + *t.AvgHgt + "|" + *t.AvgWgt, "22|27.5|73.0|195.0");

    // Without pro players the averages are left alone; a count of 0 is an empty cell.
    League farmOnly;
    farmOnly.add(0, 0, 5000);
    const TeamTexts farm = farmOnly.texts();
    EXPECT_EQ(farm.Pro + "|" + farm.Farm, "|1");
    EXPECT_FALSE(farm.AvgAge || farm.AvgHgt || farm.AvgWgt);
    League proOnly;
    proOnly.add(9, 100, 5000);
    EXPECT_EQ(proOnly.texts().Farm, "");
}

TEST(SpecialTeams, PercentagesAreCutToTenths)
{
    struct Case {
        int ppGoals, ppOpp, timesSH, ppga;
        const char* pp;
        const char* pk;
    };
    const Case cases[] = {
        {12, 61, 100, 20, "19.6", "80.0"},      // 19.67 is cut, not rounded
        {0, 0, 0, 0, "0.0", "0.0"},             // no chances: zero
        {5, -3, -4, 0, "0.0", "0.0"},           // negative counts are no chances either
        {1, 3, 3, 4, "33.3", "-33.4"},          // more goals against than times shorthanded
        {201, 200, 5, 166, "100.5", "-3220.0"}, // exact where a binary product falls just short
    };
    for (const Case& c : cases) {
        League lg;
        lg.team.PPGoals = static_cast<std::uint8_t>(c.ppGoals);
        lg.team.PPOpp = static_cast<std::int16_t>(c.ppOpp);
        lg.team.TimesSH = static_cast<std::int16_t>(c.timesSH);
        lg.team.PPGA = static_cast<std::uint8_t>(c.ppga);
        EXPECT_EQ(lg.texts().PP + "|" + lg.texts().PK, std::string(c.pp) + "|" + c.pk) << c.ppGoals;
    }
}

TEST(GamesPerTeam, QuotientDoubledHalvesToEven)
{
    const std::tuple<int, int, std::int64_t> cases[] = {
        {165, 3, 82}, {167, 3, 84},      {984, 23, 82},
        {41, 0, 82},  {100, 255, 1},     {-165, 3, -82}, // a negative schedule stays negative
        {0, 0, 0},    {32767, 0, 65534},                 // beyond a byte, without wrapping
    };
    for (const auto& [sched, maxTeam, games] : cases) {
        LeagueRec lg;
        lg.SchedGames = static_cast<std::int16_t>(sched);
        lg.MaxTeam = static_cast<std::uint8_t>(maxTeam);
        EXPECT_EQ(GamesPerTeam(lg), games) << sched << " over " << maxTeam + 1;
    }
}

TEST(Season, BeforeTheStartNothingIsProjectedAndTheRecordStartsAgain)
{
    League lg;
    lg.s->League.SeasonDay = 0;
    lg.record(10, 8, 2);
    lg.team.SF = 300;
    lg.team.Cash = 12345;
    lg.team.GateRev = 1000;
    lg.team.GF = 57;
    lg.add(0, 200, 840000);
    const TeamTexts first = lg.texts();
    EXPECT_EQ(first.GP + first.W + first.L + first.T + "|" + first.SF, "201082|300.0"); // divided by 1
    EXPECT_EQ(first.Est + first.ProjExp + "|" + first.GR + "|" + first.Home + "|" + first.ExpGame,
              "$0,000$0,000|82|41|$10,000");
    EXPECT_EQ(first.ProjBal, "$12,345");

    preSeasonReset(*lg.s);
    const TeamTexts refill = lg.texts();
    EXPECT_EQ(refill.GP + refill.W + refill.L + refill.T + "|" + refill.GF, "0000|57");

    League running;
    running.record(10, 8, 2);
    preSeasonReset(*running.s);
    EXPECT_EQ(running.texts().GP, "20");
}

TEST(Finance, ProjectionToTheEndOfTheSeason)
{
    // 162 games over 4 teams: 81 per team, 40.5 at home.
    League lg;
    lg.s->League.SchedGames = 162;
    lg.record(10, 8, 2);
    lg.team.HomeGP = 20;
    lg.team.GateRev = 1000;
    lg.team.Cash = 100000;
    lg.team.Coach.Pay = 168001;
    lg.team.PIM = 301; // 15.05 a game: halfway as written, so up
    lg.add(0, 200, 420000);
    lg.add(1, 101, 420000);
    lg.add(2, 0, 84005);
    const TeamTexts t = lg.texts();
    EXPECT_EQ(t.Home + "|" + t.Est + "|" + t.GR + "|" + t.PIM, "20.5|$20,500|61|15.1");
    EXPECT_EQ(t.ExpGame + "|" + t.ProjExp, "$11,100|$677,100"); // (840000 + 8400 + 84000) / 84
    EXPECT_EQ(t.ProjBal, "-$556,600");
    EXPECT_TRUE(t.balanceNegative);

    // More home games played than half the season: the remainder and the revenue go negative.
    lg.team.HomeGP = 45;
    EXPECT_EQ(lg.texts().Home + "|" + lg.texts().Est, "-4.5|-$4,500");

    // A record of more games than a byte holds and than the schedule has: nothing left to pay.
    lg.record(200, 200, 100);
    const TeamTexts beyond = lg.texts();
    EXPECT_EQ(beyond.GP + "|" + beyond.PIM + "|" + beyond.GR + "|" + beyond.ProjExp, "500|0.6|0|$0,000");
}

TEST(Identity, StoredTextsUntrimmedAndIndexesBeyondTheHeaderEmpty)
{
    LeagueRec lg;
    lg.Conf[1].Name.assign("Highland");
    lg.Conf[1].Div[3].Name.assign("Canyon");
    TeamRec team;
    team.Name.assign("Hawks");
    team.Owner.b = {'O', 'w', 'n', '\0', 'x'};
    std::tie(team.Seats, team.Ticket, team.Conf, team.Div) = std::tuple(-5, 255, 1, 3);
    const auto shown = [&] {
        const IdentityTexts id = identityTexts(lg, team);
        return id.Conf + "|" + id.Div;
    };
    const IdentityTexts id = identityTexts(lg, team);
    EXPECT_EQ(id.Team + "|" + id.Seats + "|" + id.Ticket, "Hawks     |-5|255");
    EXPECT_EQ(id.Owner, std::string("Own\0x", 5) + std::string(20, '\0'));
    EXPECT_EQ(shown(), "Highland    |Canyon    ");
    team.Div = 4;
    EXPECT_EQ(shown(), "Highland    |");
    std::tie(team.Conf, team.Div) = std::tuple(2, 0);
    EXPECT_EQ(shown(), "|");
}

TEST(Patterns, DollarsDecimalsAndSeparators)
{
    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "$0,000"},
        {95, "$0,095"},
        {-950, "-$0,950"},
        {1000, "$1,000"},
        {-1234567, "-$1,234,567"},
        {std::numeric_limits<std::int64_t>::min(), "-$9,223,372,036,854,775,808"},
    };
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(dollars(amount, us), text);

    // Halfway is judged on the decimal as written, and goes away from zero.
    const std::pair<double, const char*> decimals[] = {
        {0, "0.0"},    {181.666, "181.7"}, {0.04, "0.0"},  {181.25, "181.3"}, {-181.25, "-181.3"},
        {0.15, "0.2"}, {99.96, "100.0"},   {-0.04, "0.0"}, {-0.05, "-0.1"},   {1e17, "100000000000000000.0"},
    };
    for (const auto& [v, text] : decimals)
        EXPECT_EQ(oneDecimal(v, us), text) << v;
    EXPECT_EQ(oneDecimal(0.35f, us), "0.4"); // the float lies just below 0.35
    EXPECT_EQ(oneDecimal(std::nan(""), us) + oneDecimal(std::numeric_limits<float>::infinity(), us), "");
    EXPECT_EQ(tenths(196, us) + "|" + tenths(-5, us) + "|" + tenths(0, us), "19.6|-0.5|0.0");
    EXPECT_EQ(plainDecimal(41, us) + "|" + plainDecimal(40.5, us) + "|" + plainDecimal(-2, us) + "|" +
                  plainDecimal(-0.0, us),
              "41|40.5|-2|0");

    const NumberFormat de{".", ","};
    EXPECT_EQ(dollars(1234567, de) + "|" + oneDecimal(181.25f, de) + "|" + plainDecimal(40.5, de),
              "$1.234.567|181,3|40,5");
    EXPECT_EQ(dollars(-95, {"\u202F", ","}), "-$0\u202F095");
}

} // namespace
