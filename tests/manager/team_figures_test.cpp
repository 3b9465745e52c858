#include "manager/team_figures.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace bb::manager {
namespace {

const NumberFormat us;

// Team 2 of a four-team league in its twelfth day: 164 scheduled games, so 82 per team.
struct League {
    Session s;
    TeamRec& team = s.Teams[2];

    League() { s.League.MaxTeam = 3, s.League.SeasonDay = 12, s.League.SchedGames = 164, s.CurTeam = 2; }
    // A player 70 inches tall, 190 pounds heavy, 25 years old.
    PlayerRec& add(int slot, int sts, std::int32_t salary)
    {
        PlayerRec& p = s.Players[0][static_cast<std::size_t>(slot)];
        p.Name.assign("Player");
        std::tie(p.Sts, p.Salary, p.Hgt, p.Wgt, p.Age) = std::tuple(sts, salary, 70, 190, 25);
        return p;
    }
    TeamTexts texts() const { return teamTexts(teamFigures(s), team, us); }
};

TEST(TeamFigures, PlayerGroupsAndSpecialTeams)
{
    // Two pro players, two on the farm (each salary floored on its own: 9 + 9, not 19), two with
    // Sts 1..99, an empty slot with stale bytes behind its NUL.
    League lg;
    const std::pair<int, int> players[] = {{200, 500000}, {106, 300000}, {0, 95},       {0, 99},
                                           {5, 1000000},  {99, 1000000}, {200, 1000000}};
    for (int i = 0; i < 7; ++i)
        lg.add(i, players[i].first, players[i].second);
    lg.s.Players[0][0].Age = 30, lg.s.Players[0][1].Hgt = 76, lg.s.Players[0][6].Name.b[0] = '\0';
    const TeamFigures f = teamFigures(lg.s);
    EXPECT_EQ(std::tuple(f.farmCount, f.proCount, f.farmPay, f.proPay), std::tuple(2, 2, 18, 800000));
    const TeamTexts t = lg.texts();
    EXPECT_EQ(t.Pro + t.Farm + "|" + *t.AvgAge + "|" + *t.AvgHgt, "22|27.5|73.0");

    // Without pro players the averages are left alone; a count of 0 is an empty cell.
    League farmOnly, proOnly;
    farmOnly.add(0, 0, 5000);
    proOnly.add(9, 100, 5000);
    const TeamTexts farm = farmOnly.texts();
    EXPECT_EQ(farm.Pro + "|" + farm.Farm + "|" + proOnly.texts().Farm + "|", "|1||");
    EXPECT_FALSE(farm.AvgAge || farm.AvgHgt || farm.AvgWgt);

    // PP goals, PP chances, times shorthanded, PP goals against: cut to tenths, not rounded; no
    // chances give 0.0; more goals against than times shorthanded a negative PK%.
    const std::tuple<int, int, int, int, const char*> cases[] = {
        {12, 61, 100, 20, "19.6|80.0"}, {0, 0, 0, 0, "0.0|0.0"}, {1, 3, 3, 4, "33.3|-33.4"}};
    for (const auto& [ppGoals, ppOpp, timesSH, ppga, text] : cases) {
        League special;
        std::tie(special.team.PPGoals, special.team.PPOpp, special.team.TimesSH, special.team.PPGA) =
            std::tuple(ppGoals, ppOpp, timesSH, ppga);
        EXPECT_EQ(special.texts().PP + "|" + special.texts().PK, text);
    }
}

TEST(TeamFigures, ScheduleAndProjectionToTheEndOfTheSeason)
{
    // Scheduled games, MaxTeam, games per team: the quotient doubled, halves to even.
    const std::tuple<int, int, std::int64_t> games[] = {
        {165, 3, 82}, {167, 3, 84}, {0, 0, 0}, {32767, 0, 65534}};
    for (const auto& [sched, maxTeam, perTeam] : games) {
        LeagueRec lg;
        std::tie(lg.SchedGames, lg.MaxTeam) = std::tuple(sched, maxTeam);
        EXPECT_EQ(GamesPerTeam(lg), perTeam) << sched << " over " << maxTeam + 1;
    }

    // 162 games over 4 teams: 81 per team, 40.5 at home.
    League lg;
    lg.s.League.SchedGames = 162;
    std::tie(lg.team.Wins[0], lg.team.Losses[0], lg.team.Ties[0]) = std::tuple(10, 8, 2);
    std::tie(lg.team.HomeGP, lg.team.GateRev, lg.team.Cash, lg.team.Coach.Pay) =
        std::tuple(20, 1000, 100000, 168001);
    lg.team.PIM = 301; // 15.05 a game: halfway as written, so up
    lg.add(0, 200, 420000), lg.add(1, 101, 420000), lg.add(2, 0, 84005);
    TeamTexts t = lg.texts();
    EXPECT_EQ(t.Home + "|" + t.Est + "|" + t.GR + "|" + t.PIM, "20.5|$20,500|61|15.1");
    EXPECT_EQ(t.ExpGame + "|" + t.ProjExp, "$11,100|$677,100"); // (840000 + 8400 + 84000) / 84
    EXPECT_TRUE(t.ProjBal == "-$556,600" && t.balanceNegative);

    // Before the start: nothing projected, per-game figures over 1 game, and the record, still
    // shown, starts again.
    lg.s.League.SeasonDay = 0, lg.team.SF = 300;
    t = lg.texts();
    EXPECT_EQ(t.GP + t.W + t.L + t.T + "|" + t.SF, "201082|300.0");
    EXPECT_EQ(t.Est + t.ProjExp + "|" + t.GR + "|" + t.ProjBal, "$0,000$0,000|81|$100,000");
    preSeasonReset(lg.s);
    EXPECT_EQ(lg.team.Wins[0] + lg.team.Losses[0] + lg.team.Ties[0], 0);
}

TEST(TeamFigures, DollarsDecimalsAndSeparators)
{
    std::string got;
    for (std::int64_t amount : {0, 95, -950, -1234567})
        got += dollars(amount, us) + " ";
    EXPECT_EQ(got, "$0,000 $0,095 -$0,950 -$1,234,567 ");

    // Halfway is judged on the decimal as written, and goes away from zero. The float 0.35 lies
    // just below 0.35.
    got.clear();
    for (double v : {181.25, -181.25, 0.15, 0.04, -0.04, 99.96})
        got += oneDecimal(v, us) + " ";
    EXPECT_EQ(got + oneDecimal(0.35f, us), "181.3 -181.3 0.2 0.0 0.0 100.0 0.4");

    const NumberFormat de{".", ","};
    EXPECT_EQ(dollars(1234567, de) + "|" + oneDecimal(181.25f, de) + "|" + plainDecimal(40.5, de),
              "$1.234.567|181,3|40,5");
}

} // namespace
} // namespace bb::manager
