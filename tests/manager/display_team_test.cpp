#include "manager/display_team.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <tuple>

using namespace bb;

class DisplayTeamTest : public QObject {
    Q_OBJECT

    static constexpr int Team = 2;
    std::unique_ptr<bb::test::TempDir> dir;
    std::unique_ptr<Session> s;
    bb::test::ScriptedPrompter prompter;
    std::unique_ptr<DisplayTeam> w;

    void open()
    {
        prompter = {};
        w = std::make_unique<DisplayTeam>(*s, prompter);
        w->show();
    }
    template <class T = QLabel> T* get(const QString& name)
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control named %s", qPrintable(name));
        return c;
    }
    // The texts of the named labels, each followed by "|".
    QString texts(const QString& names)
    {
        QString out;
        for (const QString& name : names.split(' '))
            out += get(name)->text() + "|";
        return out;
    }
    QColor colour(const QString& name) { return get(name)->palette().color(QPalette::WindowText); }
    QPushButton* button(const QString& name) { return get<QPushButton>(name); }
    // What the roster editor does on a commit: its roster goes to the working file.
    void commit() { QVERIFY(SaveTeam(*s, Team, 0).ok()); }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Team 2 of the generated league, 81 games per team, with a known record and a roster in the
    // working file of two pro players, one farm player and one injured farm player. Team slot 0
    // then holds team 0's players, as a window before may have left it.
    void init()
    {
        dir = std::make_unique<bb::test::TempDir>();
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
        std::tie(t.Coach.Pay, t.Wins[0], t.Losses[0], t.Ties[0], t.GF, t.GA, t.PPGoals, t.PPOpp, t.TimesSH,
                 t.PPGA) = std::tuple(168001, 10, 8, 2, 60, 50, 12, 61, 100, 20);
        std::tie(t.SF, t.SA, t.PIM, t.HomeGP, t.GateRev, t.Cash) =
            std::tuple(500, 401, 301, 20, 1000, 100000);
        const std::tuple<int, int, int, int, int> roster[] = {{200, 420000, 72, 200, 30},
                                                              {100, 420000, 74, 190, 25},
                                                              {0, 84005, 70, 180, 20},
                                                              {5, 1000000, 70, 180, 20}};
        s->Players[0] = {};
        for (std::size_t i = 0; i < std::size(roster); ++i) {
            PlayerRec& p = s->Players[0][i];
            p.Name.assign("Player " + std::to_string(i));
            std::tie(p.Sts, p.Salary, p.Hgt, p.Wgt, p.Age) = roster[i];
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
        QCOMPARE(w->windowTitle(), "Team Info");
        QCOMPARE(texts("lblTeam lblOwner lblCoach lblConf lblDiv lblEmail"),
                 "Hawks     |Ann Owner                |Coach One             |Lakeshore   |Summit    ||");
        QCOMPARE(texts("lblGP lblW lblL lblT lblGF lblGA lblPP lblPK lblSF lblSA lblPIM"),
                 "20|10|8|2|60|50|19.6|80.0|25.0|20.1|15.1|");
        QCOMPARE(texts("lblAvgAge lblAvgHgt lblAvgWgt lblPro lblFarm lblFA"), "27.5|73.0|195.0|2|1||");
        QCOMPARE(texts("lblCurFin lblHome lblRev lblEst lblGR lblExpGame lblProjExp lblProjBal"),
                 "$100,000|20.5|$1,000|$20,500|61|$11,100|$677,100|-$556,600|");
        QCOMPARE(colour("lblProjBal"), QColor(255, 0, 0));
        QCOMPARE(colour("lblGP"), QColor(255, 255, 255));
        QCOMPARE(colour("Label4(0)"), QColor(255, 255, 0));
        // Each caption names its value for a screen reader; the value has no name of its own.
        int captions = 0;
        for (const QLabel* l : w->findChildren<QLabel*>())
            if (const auto* v = qobject_cast<const QLabel*>(l->buddy()); v && v->accessibleName().isEmpty())
                ++captions;
        QCOMPARE(captions, 35);
        QCOMPARE(button("Command3")->text() + "|" + button("Command2")->text() + "|" +
                     button("Command1")->text(),
                 "Team Roster|Team Lines|Exit");

        // The roster editor promotes the farm player and commits; what it leaves in memory
        // afterwards does not count, the working file does. The identity rows stay as shown.
        int opened = 0;
        w->openRoster = [&] {
            ++opened;
            s->Players[0][2].Sts = 200;
            s->Teams[Team].Cash = 1000000;
            s->Teams[Team].Coach.Name.assign("Coach Two");
            commit();
            s->Players[0][0].Sts = 0;
            s->Teams[Team].Name.assign("Renamed");
            s->Teams[Team].Owner.assign("Someone Else");
        };
        button("Command3")->click();
        QCOMPARE(opened, 1);
        QCOMPARE(texts("lblTeam lblOwner lblCoach"),
                 "Hawks     |Ann Owner                |Coach Two             |");
        QCOMPARE(texts("lblPro lblFarm lblAvgAge lblAvgHgt lblAvgWgt"), "3||25.0|72.0|190.0|");
        QCOMPARE(texts("lblExpGame lblProjExp lblProjBal"), "$12,000|$732,003|$288,497|");
        QCOMPARE(colour("lblProjBal"), QColor(255, 255, 255));

        // Team Lines opens the line editor and refreshes nothing.
        w->openLines = [&] {
            ++opened;
            s->Players[0][1].Sts = 0;
            commit();
        };
        button("Command2")->click();
        QCOMPARE(opened, 2);
        QCOMPARE(texts("lblPro lblFarm"), "3||");

        button("Command1")->click();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted);
        QCOMPARE(prompter.asked.size(), std::size_t{0});
    }

    void beforeTheSeasonTheRecordStartsAgainOnTheRefill()
    {
        s->League.SeasonDay = 0;
        open();
        QCOMPARE(texts("lblGP lblW lblL lblT lblSF lblEst lblProjExp lblGR lblProjBal"),
                 "20|10|8|2|500.0|$0,000|$0,000|81|$100,000|");
        QCOMPARE(colour("lblProjBal"), QColor(255, 255, 255));
        QCOMPARE(s->Teams[Team].Wins[0] + s->Teams[Team].Losses[0] + s->Teams[Team].Ties[0], 0);

        // Without pro players the averages keep what the first fill showed.
        w->openRoster = [&] {
            s->Players[0][0].Sts = s->Players[0][1].Sts = 0;
            commit();
        };
        button("Command3")->click();
        QCOMPARE(texts("lblGP lblW lblL lblT lblPro lblFarm lblAvgAge"), "0|0|0|0||3|27.5|");
    }

    void unreadableRosterShowsNoFigures()
    {
        open();
        std::filesystem::remove(s->SwapRos);
        w->openRoster = [] {};
        button("Command3")->click();
        QCOMPARE(prompter.messages().size(), std::size_t{1});
        QVERIFY(prompter.messages()[0].starts_with("The team's players could not be read"));
        QCOMPARE(texts("lblTeam lblGP lblPro lblAvgAge lblProjBal"), "Hawks     |||||");
        QVERIFY(!button("Command3")->isEnabled() && !button("Command2")->isEnabled());

        // A team number beyond the table: nothing to show, nothing read out of bounds.
        s->CurTeam = 60;
        open();
        QCOMPARE(prompter.messages().size(), std::size_t{1});
        QCOMPARE(texts("lblTeam lblCoach lblGP"), "Team Name|||");
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the view shrinks to it from its
    // designed size (and scrolls on anything smaller); the negative balance keeps its red on a ground
    // of its own.
    void fitsSmallScreens()
    {
        open();
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        const QSize want = w->sizeHint();
        QVERIFY2(least.width() <= 910 && least.height() <= 470 && want.width() <= 1090 &&
                     want.height() <= 550,
                 qPrintable(QString("preferred %1x%2, minimum %3x%4 at ratio %5")
                                .arg(want.width())
                                .arg(want.height())
                                .arg(least.width())
                                .arg(least.height())
                                .arg(w->devicePixelRatioF())));
        w->resize(910, 470);
        QCoreApplication::sendPostedEvents();
        QVERIFY(w->size() == QSize(910, 470) && !get<QWidget>("Command1")->visibleRegion().isEmpty());
        QLabel* balance = get("lblProjBal");
        QVERIFY(balance->autoFillBackground() && balance->palette().color(QPalette::Window).lightness() < 20);
    }

    void largeFontsClipNothing()
    {
        open();
        const QSize designed = w->size();
        QVERIFY(designed.width() >= 538 && designed.height() >= 480);
        const QFont normal = QApplication::font();
        QFont large = normal;
        large.setPointSizeF(normal.pointSizeF() * 2);
        QApplication::setFont(large);
        open();
        QVERIFY(w->width() > designed.width());
        const QRect client = get<QWidget>("client")->rect();
        for (QLabel* l : w->findChildren<QLabel*>()) {
            const QRect at(l->mapTo(get<QWidget>("client"), QPoint(0, 0)), l->size());
            QVERIFY2(client.contains(at) && l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
        }
        QApplication::setFont(normal);
    }
};

BB_QTEST_MAIN(DisplayTeamTest)
#include "display_team_test.moc"
