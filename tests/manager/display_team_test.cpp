#include "manager/display_team.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "window_controls.h"

#include <QLabel>
#include <QLocale>

#include <filesystem>
#include <memory>
#include <tuple>

using namespace bb;

class DisplayTeamTest : public QObject {
    Q_OBJECT

    static constexpr int Team = 2;
    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<Session> s;
    test::ScriptedPrompter prompter;
    std::unique_ptr<DisplayTeam> w;

    void open()
    {
        w = std::make_unique<DisplayTeam>(*s, prompter);
        w->show();
    }
    QString texts(const QString& names) { return test::texts(w.get(), names); }
    bool red(const char* name)
    {
        return test::child<QLabel>(w.get(), name)->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    }
    // What the roster editor does on a commit: its roster goes to the working file.
    void commit() { QVERIFY(SaveTeam(*s, Team, 0).ok()); }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Team 2 of the generated league, 81 games per team, with a known record and, in the working
    // file, two pro players, one farm player and one injured farm player. Team slot 0 then holds
    // team 0's players, as a window before may have left it.
    void init()
    {
        dir = std::make_unique<test::TempDir>();
        QVERIFY(demo::writeDemoLeague(dir->path(), {}).ok());
        s = std::make_unique<Session>();
        s->init(dir->path());
        QVERIFY(LoadLg(*s, (dir->path() / "demo").string()).ok());
        s->League.SchedGames = 81 * 12;
        s->CurTeam = Team;
        TeamRec& t = s->Teams[Team];
        t.Name.assign("Hawks");
        t.Owner.assign("Ann Owner");
        t.Coach.Name.assign("Coach One");
        std::tie(t.Coach.Pay, t.Wins[0], t.Losses[0], t.Ties[0], t.SF, t.HomeGP, t.GateRev, t.Cash) =
            std::tuple(168001, 10, 8, 2, 500, 20, 1000, 100000);
        const std::tuple<int, int, int> roster[] = {
            {200, 420000, 30}, {100, 420000, 25}, {0, 84005, 20}, {5, 1, 20}};
        s->Players[0] = {};
        for (std::size_t i = 0; i < std::size(roster); ++i) {
            PlayerRec& p = s->Players[0][i];
            p.Name.assign("Player " + std::to_string(i));
            std::tie(p.Sts, p.Salary, p.Age) = roster[i];
        }
        commit();
        QVERIFY(LoadTeam(*s, 0, 0).ok());
    }
    void cleanup()
    {
        w.reset();
        s.reset();
        dir.reset();
    }

    void fillsAndRefillsAfterTheRosterEditor()
    {
        open();
        QCOMPARE(texts("lblTeam lblOwner lblCoach lblGP lblSF lblAvgAge lblPro lblFarm lblProjBal"),
                 "Hawks     |Ann Owner                |Coach One             |20|25.0|27.5|2|1|-$556,600|");
        QVERIFY(red("lblProjBal"));

        // The roster editor promotes the farm player and commits; what it leaves in memory
        // afterwards does not count, the working file does. The identity rows stay as shown.
        w->openRoster = [&] {
            s->Players[0][2].Sts = 200;
            s->Teams[Team].Cash = 1000000;
            s->Teams[Team].Coach.Name.assign("Coach Two");
            commit();
            s->Players[0][0].Sts = 0;
            s->Teams[Team].Name.assign("Renamed");
            s->Teams[Team].Owner.assign("Someone Else");
        };
        test::press(w.get(), "Command3");
        QCOMPARE(texts("lblTeam lblOwner lblCoach lblPro lblFarm lblAvgAge lblProjBal"),
                 "Hawks     |Ann Owner                |Coach Two             |3||25.0|$288,497|");
        QVERIFY(!red("lblProjBal"));

        // Team Lines opens the line editor and refreshes nothing.
        bool opened = false;
        w->openLines = [&] {
            opened = true;
            s->Players[0][1].Sts = 0;
            commit();
        };
        test::press(w.get(), "Command2");
        QVERIFY(opened && texts("lblPro lblFarm") == "3||");
        test::press(w.get(), "Command1");
        QVERIFY(!w->isVisible() && prompter.asked.empty());
    }

    void beforeTheSeasonTheRecordStartsAgainOnTheRefill()
    {
        s->League.SeasonDay = 0;
        open();
        QCOMPARE(texts("lblGP lblW lblL lblT lblSF lblEst lblProjExp lblGR lblProjBal"),
                 "20|10|8|2|500.0|$0,000|$0,000|81|$100,000|");
        QVERIFY(!red("lblProjBal"));

        // Without pro players the averages keep what the first fill showed.
        w->openRoster = [&] {
            s->Players[0][0].Sts = s->Players[0][1].Sts = 0;
            commit();
        };
        test::press(w.get(), "Command3");
        QCOMPARE(texts("lblGP lblW lblL lblT lblPro lblFarm lblAvgAge"), "0|0|0|0||3|27.5|");
    }

    void unreadableRosterShowsNoFigures()
    {
        open();
        std::filesystem::remove(s->SwapRos);
        w->openRoster = [] {};
        test::press(w.get(), "Command3");
        QVERIFY(prompter.messages().size() == 1 &&
                prompter.messages()[0].starts_with("The team's players could not be read"));
        QCOMPARE(texts("lblTeam lblGP lblPro lblProjBal"), "Hawks     ||||");
        QVERIFY(!test::child(w.get(), "Command3")->isEnabled());
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the view shrinks to it and
    // scrolls on anything smaller.
    void fitsSmallScreens()
    {
        open();
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        QCOMPARE_LE(least.width(), 910);
        QCOMPARE_LE(least.height(), 470);
        w->resize(910, 470);
        QCoreApplication::sendPostedEvents();
        QVERIFY(w->size() == QSize(910, 470) && !test::child(w.get(), "Command1")->visibleRegion().isEmpty());
    }
};

BB_QTEST_MAIN(DisplayTeamTest)
#include "display_team_test.moc"
