// The main window and the About box: start-up, loading a league, the team lists and which team is
// current, the menus and their shortcuts, one run per folder, and System Info.
#include "qt_test_main.h"

#include "demo_league.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/theme.h"
#include "ui/main/about_box.h"
#include "ui/main/league_view.h"
#include "ui/main/main_window.h"
#include "window_controls.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>

#include <fstream>

namespace fs = std::filesystem;
using namespace bb::sysinfo;
using bb::test::child;

namespace {

struct Harness {
    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter p;
    bb::ui::Main w{s, p};
    const fs::path folder = home / "Ligue d\xE9\x66i"; // "Ligue défi" in Latin-1, not UTF-8

    QListWidget* list(const char* name) const { return child<QListWidget>(&w, name); }
    void run(const char* action) { child<QAction>(&w, action)->trigger(); }
    // The caption's last part and "|"; the four lists (lstDivs(0), lstDivs(1), lstTeams(0), lstTeams(1)),
    // each row as a division's text or a team's number, after a selected row "*" where it is drawn in
    // use and "~" where aside, "/" after each list; then 1 or 0 for the Manager and Coach menus and their
    // three commands (so their shortcuts) on or off; CurTeam.
    QString state() const
    {
        const QColor inUse = bb::ui::themePalette().color(QPalette::Active, QPalette::Highlight);
        QString out = w.windowTitle().section('/', -1) + "|";
        for (const char* name : {"lstDivs(0)", "lstDivs(1)", "lstTeams(0)", "lstTeams(1)"}) {
            const char* sel =
                list(name)->palette().color(QPalette::Active, QPalette::Highlight) == inUse ? "*|" : "~|";
            for (int i = 0; i < list(name)->count(); ++i) {
                const QListWidgetItem* item = list(name)->item(i);
                const QString team = item->data(Qt::UserRole).toString();
                out += (team.isEmpty() ? item->text() : team) + (item->isSelected() ? sel : "|");
            }
            out += "/";
        }
        for (const char* name : {"manager", "coach", "ViewTeam", "SetRoster", "SetLines"})
            out += child<QObject>(&w, name)->property("enabled").toBool() ? "1" : "0";
        return out + " team " + QString::number(s.CurTeam);
    }
    void start(const std::optional<std::string>& defaults = {})
    {
        if (defaults)
            std::ofstream(home / "benchset.def") << *defaults;
        w.startUp(home.path());
        w.show();
    }
    // The generated league: team t is in conference t % 2, division (t / 2) % 4.
    std::string demo(const std::string& name, int teams = 24)
    {
        if (!bb::demo::writeDemoLeague(folder, {name, teams, 1, true}))
            qFatal("demo league %s not written", name.c_str());
        return (folder / name).string();
    }
    void load(const std::optional<std::string>& chosen) { p.files.push_back(chosen), run("LoadLeague"); }
};

// The demo league as first shown: divisions 0 and 1 only, at full width, row 0 picked everywhere.
const QString kDemoShown = "|Harbour   *|Summit    |/Frontier  *|Valley    |/0~|8|16|/1*|9|17|/11111 team 1";
const std::string kUnavailable = "! System Information Is Unavailable At This Time [] ";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // Start-up with and without a league. Of the two selected team rows only the current team's is
    // drawn in use; a click on the other, already selected, makes that team current. The menus'
    // shortcuts work from the lists, and a long name in a wide font ends in an ellipsis without a
    // scroll bar. Then leagues loaded by the menu, a team that cannot be loaded, About and System
    // Info, and one run per folder.
    void mainWindow()
    {
        for (int c = 0; c < 3; ++c) { // no defaults file, an empty one, one naming a league without ".lge"
            Harness h;
            h.start(c == 0 ? std::nullopt : std::optional(c == 1 ? "" : "/nowhere/gone\r\n"));
            QCOMPARE(h.state(), "Kestrel|////00000 team 0");
            QVERIFY(h.p.asked.empty() && !h.s.LeagueLoaded);
        }
        Harness h;
        const std::string path = h.demo("demo");
        h.start(path + "\r\n");
        QCOMPARE(h.state(), "demo" + kDemoShown);
        QCOMPARE(h.w.windowTitle(), QString::fromLatin1(path));               // "défi", not U+FFFD
        QCOMPARE(child<QLabel>(&h.w, "Label3")->textFormat(), Qt::PlainText); // league text is never markup
        h.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.w));
        QListWidget* teams[2] = {h.list("lstTeams(0)"), h.list("lstTeams(1)")};
        QCOMPARE(QApplication::focusWidget(), teams[1]);
        bb::test::clickRow(teams[0]->item(0));
        QCOMPARE(h.state().section('/', 2), "0*|8|16|/1~|9|17|/11111 team 0");

        std::string opened;
        h.w.openRoster = [&] { opened += "R"; };
        h.w.openLines = [&] { opened += "E"; };
        h.w.openTeamView = [&] { opened += "V"; };
        for (QListWidget* from : {teams[0], h.list("lstDivs(1)")}) {
            from->setFocus();
            for (const Qt::Key k : {Qt::Key_R, Qt::Key_E, Qt::Key_V, Qt::Key_L}) // L: the dialog, cancelled
                QTest::keyClick(from, k, Qt::ControlModifier);
        }
        QVERIFY(opened == "REVREV" && h.p.asked.size() == 2);
        const bb::FileDialogRequest& r = h.p.asked.at(0).request;
        QVERIFY(r.title == "Load League" && r.selectedFilter == 1 && r.initialName.empty() &&
                r.filters == (decltype(r.filters){{"All Files", "*"}, {"Tarn Files", "*.tms"}}));

        teams[0]->item(0)->setText(QString(30, 'W'));
        QCoreApplication::processEvents();
        const int room = teams[0]->viewport()->width();
        QVERIFY(teams[0]->fontMetrics().horizontalAdvance(QString(30, 'W')) > room &&
                teams[0]->visualItemRect(teams[0]->item(0)).width() <= room &&
                !teams[0]->horizontalScrollBar()->isVisible());

        // Another division refills its team list, picks no team and leaves CurTeam alone.
        bb::test::clickRow(h.list("lstDivs(0)")->item(1));
        QCOMPARE(h.state().section('/', 2), "2|10|18|/1~|9|17|/11111 team 0");

        // A two-letter extension loses a letter of the name too, so the load fails; a cancel, or a name
        // too short to lose an extension: each ends without a word and changes nothing. The dialog
        // starts from the name chosen last; a cancel chooses nothing.
        const QString shown = h.state();
        const std::string other = h.demo("other");
        for (const std::optional<std::string>& chosen : {std::optional(other + ".tm"), {}, {"abc"}}) {
            h.load(chosen);
            QVERIFY(h.state() == shown && h.p.messages().empty() && h.s.LgPath == path);
        }
        QCOMPARE(h.p.asked.back().request.initialName, other + ".tm");
        // Characters are dropped, not bytes.
        QCOMPARE(bb::leaguePathOfChosenFile("/lg/ligu\xc3\xa9.tm").value_or("?"), std::string("/lg/ligu"));
        QCOMPARE(bb::leaguePathOfChosenFile("/lg/\xc3\xa9.tms").value_or("?"), std::string("/lg/\xc3\xa9"));

        // A league of one team: conference 1 has none, so conference 0's first team is picked.
        h.load(h.demo("one", 1) + ".tms");
        QCOMPARE(h.state(), "one|Harbour   *|Summit    |/Frontier  *|Valley    |/0*|//11111 team 0");

        // A team that cannot be loaded opens no editor and says why.
        h.w.openLines = h.w.openRoster = [] { QFAIL("an editor opened"); };
        fs::remove(h.home / "swp.r");
        h.run("SetLines"), h.run("SetRoster");
        const std::string unreadable =
            "! Cannot read " + (h.home / "swp.r").string() + ": No such file or directory [, stop] ";
        QCOMPARE(h.p.take(), unreadable + unreadable);

        // About is single and modeless and outlives Exit; OK is its default button, and once the box is
        // closed About makes a fresh one. Its System Info finds nothing in the program's own store.
        h.run("About");
        QPointer<bb::ui::frmAbout> about = h.w.aboutBox();
        h.run("About");
        QVERIFY(about && h.w.aboutBox() == about && about->isVisible() && !about->isModal() &&
                !about->parent());
        QTest::mouseClick(child(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(h.p.take(), kUnavailable);
        h.run("exit");
        QVERIFY(!h.w.isVisible() && about->isVisible());
        QTest::keyClick(about, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!about && !h.w.aboutBox());
        h.run("About");
        QVERIFY(h.w.aboutBox());

        // System Info, "start P;" for each program started, then what is said. With only the second value:
        // the tool file in the folder it names, when there is one. The first value names the program; the
        // second is never looked at, even when the start fails. A DWORD there is rendered (no leading zero
        // in a byte) and tried as a program name.
        const auto sysInfo = [&h](const RegistryStore& store, bool starts = true) {
            std::string out;
            StartSysInfo(store, h.p, [&](const std::string& p) { return out += "start " + p + ";", starts; });
            return out + h.p.take();
        };
        RegistryStore store;
        store.setString(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                        h.home.path().string());
        QCOMPARE(sysInfo(store), kUnavailable);
        std::ofstream(h.home / "MSINFO32.EXE") << "tool";
        QCOMPARE(sysInfo(store), "start " + (h.home / "MSINFO32.EXE").string() + ";");
        store.setString(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                        "/opt/tools/sysinfo");
        QCOMPARE(sysInfo(store, false), "start /opt/tools/sysinfo;" + kUnavailable);
        store.setDword(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", 0x0A000201u);
        QCOMPARE(sysInfo(store, false), "start &hA021;" + kUnavailable);

        // A second run in the same folder says so.
        bb::HomeLock first, second;
        std::string problem;
        QVERIFY(bb::ClaimHomeFolder(first, h.home.path(), h.p, problem) && problem.empty() &&
                h.p.asked.empty());
        QVERIFY(!bb::ClaimHomeFolder(second, h.home.path(), h.p, problem));
        QCOMPARE(h.p.take(), "! Benchboss is already running in this folder. [, stop] ");
    }
};

BB_QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
