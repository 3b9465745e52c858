#include "manager/team_figures.h"

#include <gtest/gtest.h>

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
        std::tie(s->League.MaxTeam, s->League.SeasonDay, s->League.SchedGames) = std::tuple(3, 12, 164);
        s->CurTeam = 2;
    }
    PlayerRec& add(int slot, std::uint8_t sts, std::int32_t salary, std::uint8_t hgt = 70,
                   std::uint8_t age = 25)
    {
        PlayerRec& p = s->Players[0][static_cast<std::size_t>(slot)];
        p.Name.assign("Player");
        std::tie(p.Sts, p.Salary, p.Hgt, p.Wgt, p.Age) = std::tuple(sts, salary, hgt, 190, age);
        return p;
    }
    void record(std::uint8_t w, std::uint8_t l, std::uint8_t t)
    {
        std::tie(team.Wins[0], team.Losses[0], team.Ties[0]) = std::tuple(w, l, t);
    }
    TeamTexts texts() const { return teamTexts(teamFigures(*s), team, us); }
};

TEST(TeamGroups, FarmIsStatusZeroProIsHundredAndUpTheRestCountNowhere)
{
    League lg;
    lg.add(0, 200, 500000, 72, 30);
    lg.add(1, 106, 300000, 74, 25);
    lg.add(2, 0, 95);
    lg.add(3, 0, 99); // each farm salary is floored on its own: 9 + 9, not 19
    lg.add(4, 5, 1000000);
    lg.add(5, 99, 1000000);
    lg.add(6, 200, 1000000).Name.b[0] = '\0'; // an empty slot with stale bytes behind the NUL
    const TeamFigures f = teamFigures(*lg.s);
    EXPECT_EQ(std::tuple(f.farmCount, f.proCount, f.farmPay, f.proPay), std::tuple(2, 2, 18, 800000));
    const TeamTexts t = lg.texts();
    EXPECT_EQ(t.Pro + t.Farm + "|" + *t.AvgAge + "|" + *t.AvgHgt, "22|27.5|73.0");

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
    const std::tuple<int, int, int, int, const char*> cases[] = {
        {12, 61, 100, 20, "19.6|80.0"}, // 19.67 is cut, not rounded
        {0, 0, 0, 0, "0.0|0.0"},        // no chances: zero
        {1, 3, 3, 4, "33.3|-33.4"},     // more goals against than times shorthanded
    };
    for (const auto& [ppGoals, ppOpp, timesSH, ppga, text] : cases) {
        League lg;
        std::tie(lg.team.PPGoals, lg.team.PPOpp, lg.team.TimesSH, lg.team.PPGA) =
            std::tuple(ppGoals, ppOpp, timesSH, ppga);
        EXPECT_EQ(lg.texts().PP + "|" + lg.texts().PK, text);
    }
}

TEST(GamesPerTeam, QuotientDoubledHalvesToEven)
{
    const std::tuple<int, int, std::int64_t> cases[] = {
        {165, 3, 82}, {167, 3, 84}, {0, 0, 0}, {32767, 0, 65534}};
    for (const auto& [sched, maxTeam, games] : cases) {
        LeagueRec lg;
        std::tie(lg.SchedGames, lg.MaxTeam) = std::tuple(sched, maxTeam);
        EXPECT_EQ(GamesPerTeam(lg), games) << sched << " over " << maxTeam + 1;
    }
}

TEST(Season, BeforeTheStartNothingIsProjectedAndTheRecordStartsAgain)
{
    League lg;
    lg.s->League.SeasonDay = 0;
    lg.record(10, 8, 2);
    std::tie(lg.team.SF, lg.team.Cash, lg.team.GateRev) = std::tuple(300, 12345, 1000);
    lg.add(0, 200, 840000);
    const TeamTexts first = lg.texts();
    EXPECT_EQ(first.GP + first.W + first.L + first.T + "|" + first.SF, "201082|300.0"); // divided by 1
    EXPECT_EQ(first.Est + first.ProjExp + "|" + first.GR + "|" + first.ProjBal, "$0,000$0,000|82|$12,345");
    preSeasonReset(*lg.s);
    const TeamTexts refill = lg.texts();
    EXPECT_EQ(refill.GP + refill.W + refill.L + refill.T, "0000");
}

TEST(Finance, ProjectionToTheEndOfTheSeason)
{
    // 162 games over 4 teams: 81 per team, 40.5 at home.
    League lg;
    lg.s->League.SchedGames = 162;
    lg.record(10, 8, 2);
    std::tie(lg.team.HomeGP, lg.team.GateRev, lg.team.Cash, lg.team.Coach.Pay) =
        std::tuple(20, 1000, 100000, 168001);
    lg.team.PIM = 301; // 15.05 a game: halfway as written, so up
    lg.add(0, 200, 420000);
    lg.add(1, 101, 420000);
    lg.add(2, 0, 84005);
    const TeamTexts t = lg.texts();
    EXPECT_EQ(t.Home + "|" + t.Est + "|" + t.GR + "|" + t.PIM, "20.5|$20,500|61|15.1");
    EXPECT_EQ(t.ExpGame + "|" + t.ProjExp, "$11,100|$677,100"); // (840000 + 8400 + 84000) / 84
    EXPECT_EQ(t.ProjBal, "-$556,600");
    EXPECT_TRUE(t.balanceNegative);
}

TEST(Patterns, DollarsDecimalsAndSeparators)
{
    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "$0,000"}, {95, "$0,095"}, {-950, "-$0,950"}, {-1234567, "-$1,234,567"}};
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(dollars(amount, us), text);

    // Halfway is judged on the decimal as written, and goes away from zero.
    const std::pair<double, const char*> decimals[] = {{181.25, "181.3"}, {-181.25, "-181.3"},
                                                       {0.15, "0.2"},     {0.04, "0.0"},
                                                       {-0.04, "0.0"},    {99.96, "100.0"}};
    for (const auto& [v, text] : decimals)
        EXPECT_EQ(oneDecimal(v, us), text) << v;
    EXPECT_EQ(oneDecimal(0.35f, us), "0.4"); // the float lies just below 0.35

    const NumberFormat de{".", ","};
    EXPECT_EQ(dollars(1234567, de) + "|" + oneDecimal(181.25f, de) + "|" + plainDecimal(40.5, de),
              "$1.234.567|181,3|40,5");
}

} // namespace
