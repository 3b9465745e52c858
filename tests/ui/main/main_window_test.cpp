#include "league_fixture.h"
#include "qt_test_main.h"

#include "core/league_io.h"
#include "core/session.h"
#include "demo_league.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/league_text.h"
#include "ui/main/about_box.h"
#include "ui/main/league_view.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QApplication>
#include <QTimer>

#include <memory>

using bb::test::Asked;
using bb::test::FixtureLeague;
using bb::test::ScriptedPrompter;
using bb::test::TempDir;

namespace {

struct Harness {
    TempDir home;
    bb::Session s;
    ScriptedPrompter p;
    std::unique_ptr<bb::ui::Main> w = std::make_unique<bb::ui::Main>(s, p);

    QListWidget* list(const char* name) const
    {
        return w->findChild<QListWidget*>(QString::fromLatin1(name));
    }
    QLabel* label(const char* name) const { return w->findChild<QLabel*>(QString::fromLatin1(name)); }
    QMenu* menu(const char* name) const { return w->findChild<QMenu*>(QString::fromLatin1(name)); }
    QAction* action(const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }

    bool menusEnabled(const char* name) const
    {
        QMenu* m = menu(name);
        bool all = m->isEnabled() && m->menuAction()->isEnabled();
        for (QAction* a : m->actions())
            all = all && a->isEnabled();
        return all;
    }

    void show()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    std::string demo(const std::string& name, bool allDivisions, int teams = 24)
    {
        bb::demo::Options o;
        o.name = name;
        o.teams = teams;
        o.allDivisions = allDivisions;
        const bb::Status st = bb::demo::writeDemoLeague(home / "leagues", o);
        if (!st)
            qWarning("demo league: %s", st.error().c_str());
        return (home / "leagues" / name).string();
    }
};

std::vector<int> rowData(const QListWidget* l)
{
    std::vector<int> out;
    for (int i = 0; i < l->count(); ++i)
        out.push_back(l->item(i)->data(Qt::UserRole).toInt());
    return out;
}

int selected(const QListWidget* l)
{
    const auto items = l->selectedItems();
    return items.isEmpty() ? -1 : l->row(items.first());
}

void clickRow(QListWidget* l, int row)
{
    const QRect r = l->visualItemRect(l->item(row));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
}

// The teams a division list must offer, straight from the records.
std::vector<int> expectedTeams(const bb::Session& s, int conf, int div)
{
    std::vector<int> out;
    for (int i = 0; i <= s.League.MaxTeam; ++i)
        if (s.Teams[i].Conf == conf && s.Teams[i].Div == div)
            out.push_back(i);
    return out;
}

void verifyNoLeague(Harness& h)
{
    QCOMPARE(h.w->windowTitle(), QStringLiteral("Kestrel"));
    QCOMPARE(h.label("Label3")->text(), QStringLiteral("League Name"));
    QCOMPARE(h.label("Label1")->text(), QStringLiteral("Conference 1"));
    QCOMPARE(h.label("Label2")->text(), QStringLiteral("Conference 2"));
    for (const char* name : {"lstDivs(0)", "lstDivs(1)", "lstTeams(0)", "lstTeams(1)"})
        QCOMPARE(h.list(name)->count(), 0);
    QVERIFY(!h.menusEnabled("manager"));
    QVERIFY(!h.menusEnabled("coach"));
    QVERIFY(h.menusEnabled("file"));
    QVERIFY(h.menusEnabled("Info"));
    QVERIFY(h.p.asked.empty());
    QVERIFY(!h.s.LeagueLoaded);
    // The tables and working-file paths are set whatever happened to the league.
    QCOMPARE(h.s.HomeDir, h.home.path());
    QCOMPARE(h.s.SwapTms, h.home / "swp.t");
    QCOMPARE(h.s.SwapRos, h.home / "swp.r");
    QCOMPARE(h.s.SwapLge, h.home / "swp.l");
    QCOMPARE(h.s.PosName[4], std::string("G"));
    QCOMPARE(h.s.InjCode[6], std::string("IN"));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpWithoutUsableLeague();
    void startUpReopensRememberedLeague();
    void loadFillsListsAndSelectsFirstTeams();
    void curTeamFallsBackToConference0AndEmptyDivisionsLeaveMenus();
    void loadLeagueDialogAndSilentFailures();
    void chosenFileLosesFourCharacters();
    void teamDoubleClickAndCommands();
    void failedTeamLoadOpensNoEditor();
    void leagueTextIsPlain();
    void aboutIsSingleAndOutlivesExit();
};

void MainWindowTest::startUpWithoutUsableLeague()
{
    {
        Harness h; // no defaults file
        h.w->startUp(h.home.path());
        verifyNoLeague(h);
        QVERIFY(h.s.LgPath.empty());
    }
    {
        Harness h; // an empty defaults file
        bb::test::writeDefaults(h.home.path(), "");
        h.w->startUp(h.home.path());
        verifyNoLeague(h);
    }
    {
        Harness h; // a league whose header file is missing
        const std::string path = h.demo("gone", false);
        std::filesystem::remove(path + ".lge");
        bb::test::writeDefaults(h.home.path(), path + "\r\n");
        h.w->startUp(h.home.path());
        verifyNoLeague(h);
        QVERIFY(!std::filesystem::exists(h.home / "swp.t"));
    }
}

void MainWindowTest::startUpReopensRememberedLeague()
{
    Harness h;
    const std::string path = h.demo("demo", false);
    bb::test::writeDefaults(h.home.path(), path + "\r\n");
    h.w->startUp(h.home.path());

    QCOMPARE(h.w->windowTitle(), QString::fromStdString(path));
    QCOMPARE(h.label("Label3")->text(), bb::ui::leagueText(h.s.League.Name.str()));
    QCOMPARE(h.label("Label1")->text(), bb::ui::leagueText(h.s.League.Conf[0].Name.str()));
    QCOMPARE(h.list("lstDivs(0)")->count(), 2);
    QCOMPARE(h.list("lstDivs(1)")->count(), 2);
    QCOMPARE(rowData(h.list("lstTeams(1)")), expectedTeams(h.s, 1, 0));
    QCOMPARE(int(h.s.CurTeam), expectedTeams(h.s, 1, 0).front());
    QVERIFY(h.menusEnabled("manager"));
    QVERIFY(h.menusEnabled("coach"));
    QVERIFY(h.p.asked.empty());
    QVERIFY(bb::FileExists(h.home / "swp.r"));
}

void MainWindowTest::loadFillsListsAndSelectsFirstTeams()
{
    Harness h;
    h.w->startUp(h.home.path());
    h.show();
    const std::string path = h.demo("spread", true);
    h.p.files.push_back(path + ".tms");
    h.action("LoadLeague")->trigger();

    QCOMPARE(h.w->windowTitle(), QString::fromStdString(path));
    QCOMPARE(h.label("Label2")->text(), bb::ui::leagueText(h.s.League.Conf[1].Name.str()));
    for (int k = 0; k < 2; ++k) {
        const QListWidget* divs = h.list(k == 0 ? "lstDivs(0)" : "lstDivs(1)");
        QCOMPARE(divs->count(), 2);
        for (int d = 0; d < 2; ++d) {
            // Names at their full stored width, padding included.
            QCOMPARE(divs->item(d)->text(), bb::ui::leagueText(h.s.League.Conf[k].Div[d].Name.str()));
            QCOMPARE(divs->item(d)->text().size(), 10);
        }
        QCOMPARE(selected(divs), 0);
        const QListWidget* teams = h.list(k == 0 ? "lstTeams(0)" : "lstTeams(1)");
        QVERIFY(teams->count() > 0);
        QCOMPARE(rowData(teams), expectedTeams(h.s, k, 0));
        QCOMPARE(selected(teams), 0);
        QCOMPARE(teams->item(0)->text(), bb::ui::leagueText(h.s.Teams[rowData(teams)[0]].Name.str()));
    }
    const int firstOfConf1 = rowData(h.list("lstTeams(1)")).front();
    QCOMPARE(int(h.s.CurTeam), firstOfConf1);

    // The second division of conference 1 lists its own teams and picks none of them.
    QListWidget* teams0 = h.list("lstTeams(0)");
    clickRow(h.list("lstDivs(0)"), 1);
    QCOMPARE(selected(h.list("lstDivs(0)")), 1);
    QCOMPARE(rowData(teams0), expectedTeams(h.s, 0, 1));
    QVERIFY(!rowData(teams0).empty());
    QCOMPARE(selected(teams0), -1);
    QCOMPARE(int(h.s.CurTeam), firstOfConf1);

    // Teams of divisions 2 and 3 exist in this league but no list ever offers them.
    std::vector<int> listed = rowData(teams0);
    clickRow(h.list("lstDivs(1)"), 1);
    for (const QListWidget* l : {h.list("lstTeams(0)"), h.list("lstTeams(1)")})
        for (int t : rowData(l))
            listed.push_back(t);
    clickRow(h.list("lstDivs(0)"), 0);
    for (int t : rowData(h.list("lstTeams(0)")))
        listed.push_back(t);
    bool hasDeepDivisions = false;
    for (int i = 0; i <= h.s.League.MaxTeam; ++i)
        hasDeepDivisions = hasDeepDivisions || h.s.Teams[i].Div >= 2;
    QVERIFY(hasDeepDivisions);
    for (int t : listed)
        QVERIFY(h.s.Teams[t].Div < 2);

    // A click on a team row picks that team.
    clickRow(teams0, 1);
    QCOMPARE(int(h.s.CurTeam), rowData(teams0)[1]);
    QVERIFY(h.p.messages().empty());
}

void MainWindowTest::curTeamFallsBackToConference0AndEmptyDivisionsLeaveMenus()
{
    Harness h;
    h.w->startUp(h.home.path());
    h.show();
    h.s.CurTeam = 42;

    // No team in either first division: nothing is picked, the menus stay as they were.
    FixtureLeague late;
    late.teams = {{"Alpha", 0, 1}, {"Bravo", 1, 1}, {"Deep", 0, 2}, {"Charlie", 0, 1}};
    const std::string latePath = bb::test::writeFixtureLeague(h.home / "lg", "late", late);
    h.p.files.push_back(latePath + ".tms");
    h.action("LoadLeague")->trigger();
    QCOMPARE(h.w->windowTitle(), QString::fromStdString(latePath));
    QCOMPARE(h.list("lstTeams(0)")->count(), 0);
    QCOMPARE(h.list("lstTeams(1)")->count(), 0);
    QCOMPARE(int(h.s.CurTeam), 42);
    QVERIFY(!h.menusEnabled("manager"));
    QVERIFY(!h.menusEnabled("coach"));

    // The shortcuts go with their menus.
    int linesOpened = 0;
    h.w->openLines = [&] { ++linesOpened; };
    QApplication::setActiveWindow(h.w.get());
    QVERIFY(QTest::qWaitForWindowActive(h.w.get()));
    QTest::keyClick(h.w.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(linesOpened, 0);

    // A division click alone enables nothing; the first team click enables both menus.
    clickRow(h.list("lstDivs(0)"), 1);
    QCOMPARE(rowData(h.list("lstTeams(0)")), (std::vector<int>{0, 3}));
    QVERIFY(!h.menusEnabled("coach"));
    clickRow(h.list("lstTeams(0)"), 1);
    QCOMPARE(int(h.s.CurTeam), 3);
    QVERIFY(h.menusEnabled("coach"));
    QVERIFY(h.menusEnabled("manager"));
    QTest::keyClick(h.w.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(linesOpened, 1);
    QCOMPARE(h.s.Players[0][0].Name.str().substr(0, 10), std::string("Skater One"));

    // Conference 1's first division is empty: the first team of conference 0 is picked.
    FixtureLeague west;
    west.teams = {{"Alpha", 1, 1}, {"Bravo", 0, 0}, {"Charlie", 0, 0}};
    const std::string westPath = bb::test::writeFixtureLeague(h.home / "lg", "west", west);
    h.p.files.push_back(westPath + ".tms");
    h.action("LoadLeague")->trigger();
    QCOMPARE(rowData(h.list("lstTeams(0)")), (std::vector<int>{1, 2}));
    QCOMPARE(selected(h.list("lstTeams(0)")), 0);
    QCOMPARE(h.list("lstTeams(1)")->count(), 0);
    QCOMPARE(int(h.s.CurTeam), 1);
    QVERIFY(h.p.messages().empty());
}

void MainWindowTest::loadLeagueDialogAndSilentFailures()
{
    Harness h;
    h.w->startUp(h.home.path());
    const std::string path = h.demo("first", false, 10);
    const std::string chosen = path + ".tms";
    h.p.files.push_back(chosen);
    h.action("LoadLeague")->trigger();

    QCOMPARE(h.p.asked.size(), std::size_t{1});
    const bb::FileDialogRequest& r = h.p.asked[0].request;
    QCOMPARE(r.title, std::string("Load League"));
    QCOMPARE(r.filters.size(), std::size_t{2});
    QCOMPARE(r.filters[0], (std::pair<std::string, std::string>{"All Files", "*"}));
    QCOMPARE(r.filters[1], (std::pair<std::string, std::string>{"Tarn Files", "*.tms"}));
    QCOMPARE(r.selectedFilter, 1);
    QVERIFY(r.initialName.empty());
    QCOMPARE(h.s.LgPath, path);
    QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), path);

    const QString title = h.w->windowTitle();
    const int curTeam = h.s.CurTeam;
    const auto swapTeams = bb::test::fileBytes(h.home / "swp.t");
    const auto verifyUnchanged = [&] {
        QCOMPARE(h.w->windowTitle(), title);
        QCOMPARE(int(h.s.CurTeam), curTeam);
        QCOMPARE(h.s.LgPath, path);
        QCOMPARE(h.label("Label3")->text(), bb::ui::leagueText(h.s.League.Name.str()));
        QCOMPARE(h.list("lstDivs(0)")->count(), 2);
        QVERIFY(h.list("lstTeams(1)")->count() > 0);
        QVERIFY(bb::test::fileBytes(h.home / "swp.t") == swapTeams);
        QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), path);
        QVERIFY(h.p.messages().empty());
    };

    // A two-letter extension loses one character too many: the load fails without a word.
    const std::string other = h.demo("other", false, 6);
    h.p.files.push_back(other + ".tm");
    h.action("LoadLeague")->trigger();
    QCOMPARE(h.p.asked.back().request.initialName, chosen);
    verifyUnchanged();

    // Cancel; the dialog still starts from the name chosen last.
    h.action("LoadLeague")->trigger();
    QCOMPARE(h.p.asked.back().request.initialName, other + ".tm");
    verifyUnchanged();

    // Too short to lose an extension.
    h.p.files.push_back("abc");
    h.action("LoadLeague")->trigger();
    verifyUnchanged();

    // A header naming more teams than the program holds is refused.
    FixtureLeague big;
    big.name = "Too Big";
    big.teams = {{"Solo", 1, 0}};
    big.maxTeamOverride = 60;
    const std::string bigPath = bb::test::writeFixtureLeague(h.home / "lg", "big", big);
    h.p.files.push_back(bigPath + ".tms");
    h.action("LoadLeague")->trigger();
    verifyUnchanged();

    // Any file of the league will do: the header file loads it as well.
    h.p.files.push_back(other + ".lge");
    h.action("LoadLeague")->trigger();
    QCOMPARE(h.s.LgPath, other);
    QCOMPARE(h.w->windowTitle(), QString::fromStdString(other));
    QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), other);
}

void MainWindowTest::chosenFileLosesFourCharacters()
{
    QCOMPARE(bb::leaguePathOfChosenFile("C:\\lg\\abc.tms").value_or("?"), std::string("C:\\lg\\abc"));
    QCOMPARE(bb::leaguePathOfChosenFile("abcd").value_or("?"), std::string());
    QVERIFY(!bb::leaguePathOfChosenFile("abc"));
    // Characters, not bytes: a two-letter extension takes the whole last letter of the name.
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/ligu\xc3\xa9.tm").value_or("?"), std::string("/lg/ligu"));
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/\xc3\xa9t\xc3\xa9.tms").value_or("?"),
             std::string("/lg/\xc3\xa9t\xc3\xa9"));
}

void MainWindowTest::teamDoubleClickAndCommands()
{
    Harness h;
    const std::string path = h.demo("demo", false);
    bb::test::writeDefaults(h.home.path(), path + "\r\n");
    h.w->startUp(h.home.path());
    h.show();

    std::vector<std::string> opened;
    int teamAtOpen = -1;
    h.w->openTeamView = [&] {
        opened.push_back("team");
        teamAtOpen = h.s.CurTeam;
    };

    QListWidget* teams0 = h.list("lstTeams(0)");
    const int row = 1;
    const int team = rowData(teams0)[row];
    const QRect r = teams0->visualItemRect(teams0->item(row));
    // What a double click delivers: a click, then the double click.
    QTest::mouseClick(teams0->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(teams0->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(int(h.s.CurTeam), team);
    QCOMPARE(opened, std::vector<std::string>{"team"});
    QCOMPARE(teamAtOpen, team);

    h.action("ViewTeam")->trigger();
    QCOMPARE(opened.size(), std::size_t{2});

    // Set Lines opens the line editor modal on the team just chosen.
    QString modalName;
    QString modalTitle;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalName = modal->objectName();
            modalTitle = modal->findChild<QLabel*>(QStringLiteral("Label6"))->text();
            modal->close();
        }
    });
    h.action("SetLines")->trigger();
    QCOMPARE(modalName, QStringLiteral("Lines"));
    QVERIFY(modalTitle.startsWith(QStringLiteral("Lines for ")));

    // Without an editor the coach commands do nothing at all.
    h.w->openLines = nullptr;
    h.action("SetRoster")->trigger();
    h.action("SetLines")->trigger();
    QCOMPARE(opened.size(), std::size_t{2});
    QVERIFY(h.p.asked.empty());

    // With one, the current team's players are in team slot 0 when it opens.
    std::string firstName;
    h.w->openLines = [&] {
        opened.push_back("lines");
        firstName = h.s.Players[0][0].Name.str();
    };
    h.w->openRoster = [&] { opened.push_back("roster"); };
    bb::Session reference;
    reference.init(h.home.path());
    QVERIFY(bb::LoadTeam(reference, team, 0).ok());
    h.action("SetLines")->trigger();
    QCOMPARE(opened.back(), std::string("lines"));
    QCOMPARE(firstName, reference.Players[0][0].Name.str());
    h.action("SetRoster")->trigger();
    QCOMPARE(opened.back(), std::string("roster"));

    QCOMPARE(h.action("LoadLeague")->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    QCOMPARE(h.action("ViewTeam")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    QCOMPARE(h.action("SetRoster")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(h.action("SetLines")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QCOMPARE(h.action("SetRoster")->text(), QStringLiteral("Set Game Roster"));
    QCOMPARE(h.menu("manager")->title(), QStringLiteral("Manager"));
    QVERIFY(h.p.asked.empty());
}

void MainWindowTest::failedTeamLoadOpensNoEditor()
{
    Harness h;
    const std::string path = h.demo("demo", false, 4);
    bb::test::writeDefaults(h.home.path(), path + "\r\n");
    h.w->startUp(h.home.path());
    bool opened = false;
    h.w->openLines = [&] { opened = true; };
    h.w->openRoster = [&] { opened = true; };

    std::filesystem::remove(h.home / "swp.r");
    h.action("SetLines")->trigger();
    h.action("SetRoster")->trigger();
    QVERIFY(!opened);
    QCOMPARE(h.p.asked.size(), std::size_t{2});
    QCOMPARE(h.p.asked[0].kind, Asked::Message);
    QCOMPARE(h.p.asked[0].icon, bb::MsgIcon::Stop);
    QVERIFY(!h.p.asked[0].text.empty());
}

void MainWindowTest::leagueTextIsPlain()
{
    Harness h;
    h.w->startUp(h.home.path());
    FixtureLeague marked;
    marked.name = "<b>L</b>";
    marked.conf[0] = "<i>C</i>";
    marked.teams = {{"<b>X</b>", 0, 0}};
    const std::string path = bb::test::writeFixtureLeague(h.home / "lg", "marked", marked);
    h.p.files.push_back(path + ".tms");
    h.action("LoadLeague")->trigger();

    QLabel* l3 = h.label("Label3");
    QCOMPARE(l3->textFormat(), Qt::PlainText);
    QCOMPARE(h.label("Label1")->textFormat(), Qt::PlainText);
    QVERIFY(l3->text().startsWith(QStringLiteral("<b>L</b>")));
    QCOMPARE(l3->text().size(), 25);
    QCOMPARE(h.label("Label1")->text(), QStringLiteral("<i>C</i>    "));
    QCOMPARE(h.list("lstTeams(0)")->item(0)->text(), QStringLiteral("<b>X</b>  "));
}

void MainWindowTest::aboutIsSingleAndOutlivesExit()
{
    Harness h;
    h.w->startUp(h.home.path());
    h.show();
    QVERIFY(!h.w->aboutBox());

    h.action("About")->trigger();
    QPointer<bb::ui::frmAbout> about = h.w->aboutBox();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    QVERIFY(!about->parent());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Benchboss"));

    h.action("About")->trigger();
    QCOMPARE(h.w->aboutBox(), about.data());
    QCOMPARE(h.w->findChildren<bb::ui::frmAbout*>().size(), 0);

    // Exit closes the main window only.
    h.action("exit")->trigger();
    QVERIFY(!h.w->isVisible());
    QVERIFY(about->isVisible());

    // Closing the box unloads it; the next About makes a fresh one.
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!about);
    QVERIFY(!h.w->aboutBox());
    h.action("About")->trigger();
    QVERIFY(h.w->aboutBox());
    QVERIFY(h.p.asked.empty());
}

BB_QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
