#include "manager/display_team.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "window_controls.h"

#include <QLabel>
#include <QLocale>

#include <memory>
#include <tuple>

using namespace bb;

class DisplayTeamTest : public QObject {
    Q_OBJECT

    static constexpr int Team = 2;
    test::TempDir dir;
    Session s;
    test::ScriptedPrompter prompter;
    std::unique_ptr<DisplayTeam> w;

    void open() { w = std::make_unique<DisplayTeam>(s, prompter), w->show(); }
    // The named labels' texts, then the balance's colour.
    QString texts(const QString& names)
    {
        return test::texts(w.get(), names) +
               test::child<QLabel>(w.get(), "lblProjBal")->palette().color(QPalette::WindowText).name();
    }
    // What the roster editor does on a commit: its roster goes to the working file.
    void commit() { QVERIFY(SaveTeam(s, Team, 0).ok()); }

  private slots:
    // Team 2 of the generated league, 81 games per team, with a known record and, in the working
    // file, two pro players, one farm player and one injured farm player. Team slot 0 then holds
    // team 0's players, as a window before may have left it.
    void fillsAndFillsAgain()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(demo::writeDemoLeague(dir.path(), {}).ok());
        s.init(dir.path());
        QVERIFY(LoadLg(s, (dir / "demo").string()).ok());
        s.League.SchedGames = 81 * 12, s.CurTeam = Team;
        TeamRec& t = s.Teams[Team];
        t.Name.assign("Hawks"), t.Owner.assign("Ann Owner"), t.Coach.Name.assign("Coach One");
        std::tie(t.Coach.Pay, t.Wins[0], t.Losses[0], t.Ties[0], t.SF, t.HomeGP, t.GateRev, t.Cash) =
            std::tuple(168001, 10, 8, 2, 500, 20, 1000, 100000);
        const std::tuple<int, int, int> r[] = {
            {200, 420000, 30}, {100, 420000, 25}, {0, 84005, 20}, {5, 1, 20}};
        s.Players[0] = {};
        for (std::size_t i = 0; i < std::size(r); ++i) {
            s.Players[0][i].Name.assign("Player");
            std::tie(s.Players[0][i].Sts, s.Players[0][i].Salary, s.Players[0][i].Age) = r[i];
        }
        commit();
        QVERIFY(LoadTeam(s, 0, 0).ok());

        open();
        QCOMPARE(texts("lblTeam lblOwner lblCoach lblGP lblAvgAge lblPro lblFarm lblProjBal"),
                 "Hawks     |Ann Owner                |Coach One             |20|27.5|2|1|-$556,600|#ff0000");
        // The roster editor promotes the farm player and commits; what it leaves in memory
        // afterwards does not count, the working file does. The identity rows stay as shown.
        w->openRoster = [&] {
            s.Players[0][2].Sts = 200, t.Cash = 1000000, t.Coach.Name.assign("Coach Two"), commit();
            s.Players[0][0].Sts = 0, t.Name.assign("Renamed"), t.Owner.assign("Someone Else");
        };
        test::press(w.get(), "Command3");
        QCOMPARE(texts("lblTeam lblOwner lblCoach lblPro lblFarm lblAvgAge lblProjBal"),
                 "Hawks     |Ann Owner                |Coach Two             |3||25.0|$288,497|#ffffff");
        // Team Lines opens the line editor and fills nothing again.
        w->openLines = [&] { s.Players[0][1].Sts = 0, commit(); };
        test::press(w.get(), "Command2");
        QCOMPARE(texts("lblPro lblFarm"), "3||#ffffff");

        // Before the season the first fill shows the stored record, a refill 0; without pro
        // players the averages keep their texts (of players 0 and 2).
        s.League.SeasonDay = 0, open();
        QCOMPARE(texts("lblGP lblW lblL lblT lblAvgAge"), "20|10|8|2|25.0|#ffffff");
        w->openRoster = [&] { s.Players[0][0].Sts = s.Players[0][2].Sts = 0, commit(); };
        test::press(w.get(), "Command3");
        QCOMPARE(texts("lblGP lblW lblL lblT lblPro lblFarm lblAvgAge"), "0|0|0|0||3|25.0|#ffffff");

        // A refill that cannot read the players shows no figures, and no editor opens from it.
        w->openRoster = [&] { std::filesystem::remove(s.SwapRos); };
        test::press(w.get(), "Command3");
        QVERIFY(prompter.take().starts_with("! The team's players could not be read"));
        QCOMPARE(texts("lblGP lblPro lblProjBal"), "|||#ffffff");
        QVERIFY(!test::child(w.get(), "Command3")->isEnabled());
    }
};

BB_QTEST_MAIN(DisplayTeamTest)
#include "display_team_test.moc"
