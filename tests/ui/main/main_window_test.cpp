// The main window and the About box: start-up, loading a league, the team lists and which team is
// current, the menus and their shortcuts, one run per folder, and System Info.
#include "qt_test_main.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/theme.h"
#include "ui/main/about_box.h"
#include "ui/main/league_view.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;
using namespace bb::sysinfo;

namespace {

using FixtureTeam = std::tuple<std::string, int, int>; // name, conference, division

struct Harness {
    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter p;
    bb::ui::Main w{s, p};

    template <class T> T* get(const QString& name) const { return w.findChild<T*>(name); }
    QString text(const char* label) const { return get<QLabel>(label)->text(); }
    QListWidget* list(const char* name) const { return get<QListWidget>(name); }
    void run(const char* action) { get<QAction>(action)->trigger(); }
    // The caption and the labels Label3, Label1, Label2, each followed by "|"; the four lists
    // (lstDivs(0), lstDivs(1), lstTeams(0), lstTeams(1)), each row as a division's text or a team's
    // number, "*" after the selected row, "/" after each list; then per menu (manager, coach, file,
    // Info) 1 when it and all its actions (so their shortcuts) are on, 0 when all are off; CurTeam.
    QString state() const
    {
        QString out =
            w.windowTitle() + "|" + text("Label3") + "|" + text("Label1") + "|" + text("Label2") + "|";
        for (const char* name : {"lstDivs(0)", "lstDivs(1)", "lstTeams(0)", "lstTeams(1)"}) {
            for (int i = 0; i < list(name)->count(); ++i) {
                const QListWidgetItem* item = list(name)->item(i);
                const QString team = item->data(Qt::UserRole).toString();
                out += (team.isEmpty() ? item->text() : team) + (item->isSelected() ? "*|" : "|");
            }
            out += "/";
        }
        for (const char* name : {"manager", "coach", "file", "Info"}) {
            const QList<QAction*> all = get<QMenu>(name)->actions() << get<QMenu>(name)->menuAction();
            const auto on = std::count_if(all.begin(), all.end(), [](auto* a) { return a->isEnabled(); });
            out += on == all.size() ? '1' : on == 0 ? '0' : '?';
        }
        return out + " team " + QString::number(s.CurTeam);
    }
    static std::string bytes(const auto& b) { return {b.begin(), b.end()}; }
    void start(const std::optional<std::string>& defaults = {})
    {
        if (defaults)
            std::ofstream(home / "benchset.def") << *defaults;
        w.startUp(home.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    // The generated league of 24 teams: team t is in conference t % 2, division (t / 2) % 4.
    std::string demo(const std::string& name)
    {
        if (!bb::demo::writeDemoLeague(home / "leagues", {name, 24, 1, true}))
            qFatal("demo league %s not written", name.c_str());
        return (home / "leagues" / name).string();
    }
    // A hand-made league holding the given teams, MaxTeam their number minus one.
    std::string fixture(const std::string& name, const std::vector<FixtureTeam>& teams)
    {
        const std::string path = demo(name); // its roster file will do
        std::ofstream lge(path + ".lge", std::ios::binary), tms(path + ".tms", std::ios::binary);
        bb::LeagueRec lg;
        lg.Name.assign("<b>L</b>");
        lg.MaxTeam = std::uint8_t(teams.size() - 1);
        lge << bytes(lg.encoded());
        for (const auto& [teamName, conf, div] : teams) {
            bb::TeamRec rec;
            rec.Name.assign(teamName);
            rec.Conf = std::uint8_t(conf);
            rec.Div = std::uint8_t(div);
            tms << bytes(rec.encoded());
        }
        return path;
    }
    void load(const std::string& chosen)
    {
        p.files.push_back(chosen);
        run("LoadLeague");
    }
};

QPoint clickRow(QListWidget* l, int row)
{
    const QPoint at = l->visualItemRect(l->item(row)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
    return at;
}

// A generated league as first shown: divisions 0 and 1 only, at full width, row 0 picked everywhere.
const QString kDemoShown = "|Benchboss Demo League    |Lakeshore   |Highland    |Harbour   *|Summit    "
                           "|/Frontier  *|Valley    |/0*|8|16|/1*|9|17|/1111 team 1";

const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kUnavailable = "System Information Is Unavailable At This Time";

// Clicks System Info over the store: "start P;" for each program started, then each message
// shown, bare when it has no icon and the program's title.
std::string runSysInfo(RegistryStore store, bool startSucceeds = true)
{
    bb::test::ScriptedPrompter p;
    bb::ui::frmAbout box(p);
    box.setRegistry(std::move(store));
    std::string out;
    box.setProgramStarter([&](const std::string& program) {
        out += "start " + program + ";";
        return startSucceeds;
    });
    QTest::mouseClick(box.findChild<QWidget*>("cmdSysInfo"), Qt::LeftButton);
    for (const bb::test::Asked& a : p.asked)
        out += a.kind == a.Message && a.icon == bb::MsgIcon::None && a.title.empty() ? a.text : "unexpected";
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpCommandsAndAbout();
    void loadLeague();
    void aboutSysInfo();
    void oneRunPerFolderAndUnusualFolderNames();
    void currentTeamShortcutsAndLongNames();
};

void MainWindowTest::startUpCommandsAndAbout()
{
    for (int c = 0; c < 3; ++c) { // no defaults file, an empty one, one naming a league without ".lge"
        Harness h;
        const std::string gone = h.demo("gone");
        fs::remove(gone + ".lge");
        h.start(c == 0 ? std::nullopt : std::optional(c == 1 ? "" : gone + "\r\n"));
        QCOMPARE(h.state(), "Kestrel|League Name|Conference 1|Conference 2|////0011 team 0");
        QVERIFY(h.p.asked.empty() && !h.s.LeagueLoaded);
    }
    Harness h;
    const std::string path = h.demo("demo");
    h.start(path + "\r\n");
    QCOMPARE(h.state(), QString::fromStdString(path) + kDemoShown);
    QVERIFY(h.p.messages().empty());

    // What a double click delivers: a click, then the double click; the view opens on that team.
    std::vector<int> viewOpened;
    h.w.openTeamView = [&] { viewOpened.push_back(h.s.CurTeam); };
    QTest::mouseDClick(h.list("lstTeams(0)")->viewport(), Qt::LeftButton, {},
                       clickRow(h.list("lstTeams(0)"), 1));
    h.run("ViewTeam");
    QCOMPARE(viewOpened, (std::vector<int>{8, 8}));

    // A team that cannot be loaded opens no editor and says why.
    int opened = 0;
    h.w.openLines = h.w.openRoster = [&] { ++opened; };
    fs::remove(h.home / "swp.r");
    h.run("SetLines");
    h.run("SetRoster");
    QCOMPARE(opened, 0);
    const std::string unreadable =
        "! Cannot read " + (h.home / "swp.r").string() + ": No such file or directory [, stop] ";
    QCOMPARE(h.p.take(), unreadable + unreadable);

    // About is single and modeless and outlives Exit; OK is its default button, and once the box is
    // closed About makes a fresh one.
    h.run("About");
    QPointer<bb::ui::frmAbout> about = h.w.aboutBox();
    QVERIFY(about && about->isVisible() && !about->isModal() && !about->parent());
    QCOMPARE(about->windowTitle(), "About Benchboss");
    h.run("About");
    QCOMPARE(h.w.aboutBox(), about.data());
    h.run("exit");
    QVERIFY(!h.w.isVisible() && about->isVisible());
    QTest::keyClick(about, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!about && !h.w.aboutBox());
    h.run("About");
    QVERIFY(h.w.aboutBox());
}

void MainWindowTest::loadLeague()
{
    Harness h;
    h.start();
    h.s.CurTeam = 42;

    // No team in either first division: no team is picked and the menus stay off.
    const std::string late = h.fixture("late", {{"A", 0, 1}, {"B", 1, 1}, {"Deep", 0, 2}, {"C", 0, 1}});
    h.load(late + ".tms");
    const bb::FileDialogRequest& r = h.p.asked.at(0).request;
    QVERIFY(r.title == "Load League" && r.selectedFilter == 1 && r.initialName.empty());
    QVERIFY(r.filters == (decltype(r.filters){{"All Files", "*"}, {"Tarn Files", "*.tms"}}));
    QCOMPARE(h.state(), QString::fromStdString(late) + "|<b>L</b>                 |||*||/*||///0011 team 42");
    // A division click enables nothing; the first team click enables both menus.
    clickRow(h.list("lstDivs(0)"), 1);
    QCOMPARE(h.state().section('|', 4), "|*|/*||/0|3|//0011 team 42");
    clickRow(h.list("lstTeams(0)"), 1);
    QCOMPARE(h.state().section('|', 4), "|*|/*||/0|3*|//1111 team 3");

    const std::string path = h.demo("first");
    h.load(path + ".tms");
    QCOMPARE(h.state(), QString::fromStdString(path) + kDemoShown);
    // Another division refills its team list, picks no team and leaves CurTeam alone.
    clickRow(h.list("lstDivs(0)"), 1);
    QCOMPARE(h.state().section('|', 4),
             "Harbour   |Summit    *|/Frontier  *|Valley    |/2|10|18|/1*|9|17|/1111 team 1");
    clickRow(h.list("lstTeams(0)"), 1);
    QCOMPARE(int(h.s.CurTeam), 10);

    const QString state = h.state();
    const bb::test::Bytes swapTeams = bb::test::readBytes(h.home / "swp.t");
    const auto verifyUnchanged = [&] {
        QVERIFY(h.state() == state && h.s.LgPath == path);
        QVERIFY(bb::test::readBytes(h.home / "swp.t") == swapTeams);
        QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), path);
        QVERIFY(h.p.messages().empty());
    };
    // A two-letter extension loses a letter of the name too: the load fails without a word.
    const std::string other = h.demo("other");
    h.load(other + ".tm");
    verifyUnchanged();
    h.run("LoadLeague"); // cancel
    verifyUnchanged();
    h.load("abc"); // too short to lose an extension
    verifyUnchanged();
    // The dialog starts from the name chosen last; a cancel chooses nothing.
    QCOMPARE(h.p.asked.back().request.initialName, other + ".tm");
    h.load(h.fixture("big", std::vector<FixtureTeam>(61, {"Solo", 1, 0})) + ".tms"); // MaxTeam 60
    verifyUnchanged();

    // Characters are dropped, not bytes.
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/ligu\xc3\xa9.tm").value_or("?"), std::string("/lg/ligu"));
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/\xc3\xa9.tms").value_or("?"), std::string("/lg/\xc3\xa9"));

    // Conference 1's first division is empty: conference 0's first team is picked. League text is
    // never markup.
    h.load(h.fixture("west", {{"A", 1, 1}, {"<b>X</b>", 0, 0}, {"C", 0, 0}}) + ".tms");
    QCOMPARE(h.state().section('|', 4), "*||/*||/1*|2|//1111 team 1");
    QCOMPARE(h.list("lstTeams(0)")->item(0)->text(), "<b>X</b>  ");
    QCOMPARE(h.get<QLabel>("Label3")->textFormat(), Qt::PlainText);
}

// Of the two selected team rows only the current team's is drawn in use; a click on the other,
// already selected, makes that team current. The menus' shortcuts work from the lists, and a long
// name in a wide font ends in an ellipsis without a scroll bar.
void MainWindowTest::currentTeamShortcutsAndLongNames()
{
    Harness h;
    h.start(h.fixture("wide", {{"WWWWWWWWWW", 0, 0}, {"Mm", 1, 0}, {"Nn", 0, 0}}) + "\r\n");
    h.w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.w));
    QListWidget* lists[2] = {h.list("lstTeams(0)"), h.list("lstTeams(1)")};
    const QPalette theme = bb::ui::themePalette();
    const QColor inUse = theme.color(QPalette::Active, QPalette::Highlight);
    const QColor aside = theme.color(QPalette::Inactive, QPalette::Highlight);
    QVERIFY(inUse != aside);
    const auto drawn = [&](int k) {
        return lists[k]->palette().color(QPalette::Active, QPalette::Highlight);
    };
    QVERIFY(h.s.CurTeam == 1 && drawn(1) == inUse && drawn(0) == aside);
    QCOMPARE(QApplication::focusWidget(), lists[1]);
    clickRow(lists[0], 0);
    QVERIFY(h.s.CurTeam == 0 && drawn(0) == inUse && drawn(1) == aside);

    int roster = 0, lines = 0, view = 0;
    h.w.openRoster = [&] { ++roster; };
    h.w.openLines = [&] { ++lines; };
    h.w.openTeamView = [&] { ++view; };
    for (QListWidget* from : {lists[0], h.list("lstDivs(1)")}) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_R, Qt::ControlModifier);
        QTest::keyClick(from, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(from, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(from, Qt::Key_L, Qt::ControlModifier); // the dialog, cancelled
    }
    QVERIFY(roster == 2 && lines == 2 && view == 2 && h.p.asked.size() == 2);

    for (QListWidget* l : lists) {
        QFont wide = l->font();
        wide.setBold(true);
        wide.setPointSizeF(wide.pointSizeF() * 1.6);
        l->setFont(wide);
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QListWidgetItem* longName = lists[0]->item(0);
    const int room = lists[0]->viewport()->width();
    QVERIFY(longName->text() == "WWWWWWWWWW" &&
            lists[0]->fontMetrics().horizontalAdvance(longName->text()) > room);
    QVERIFY(lists[0]->visualItemRect(longName).width() <= room &&
            !lists[0]->horizontalScrollBar()->isVisible());
}

void MainWindowTest::aboutSysInfo()
{
    RegistryStore store;
    QCOMPARE(runSysInfo(store), kUnavailable); // the program's own store is empty
    // Only the second value: the tool file in the folder it names, when there is one.
    bb::test::TempDir dir;
    store.setString(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                    dir.path().string());
    QCOMPARE(runSysInfo(store), kUnavailable);
    std::ofstream(dir / "MSINFO32.EXE") << "tool";
    QCOMPARE(runSysInfo(store), "start " + (dir / "MSINFO32.EXE").string() + ";");
    // The first value names the program; the second is never looked at, even when the start fails.
    store.setString(HKeyLocalMachine, kMsinfoKey, "PATH", "/opt/tools/sysinfo");
    QCOMPARE(runSysInfo(store), std::string("start /opt/tools/sysinfo;"));
    QCOMPARE(runSysInfo(store, false), "start /opt/tools/sysinfo;" + kUnavailable);
    // A DWORD there is rendered (no leading zero in a byte) and tried as a program name.
    store.setDword(HKeyLocalMachine, kMsinfoKey, "PATH", 0x0A000201u);
    QCOMPARE(runSysInfo(store, false), "start &hA021;" + kUnavailable);

    // GetKeyValue: key and value names in any case, the text up to its final NUL, another type
    // leaving the text alone, at most 1024 bytes; a missing key (here: one under another root) or
    // value clears the text.
    store = {};
    store.setString(0x80000001u, "Soft\\Tools", "Val", "x");
    std::string value = "old";
    QVERIFY(!GetKeyValue(store, HKeyLocalMachine, "Soft\\Tools", "Val", value) && value.empty());
    const auto read = [&](const char* name, std::uint32_t type, const std::string& data) {
        store.setValue(HKeyLocalMachine, "Soft\\Tools", "Val", {type, {data.begin(), data.end()}});
        value = "old";
        return GetKeyValue(store, HKeyLocalMachine, "SOFT\\tools", name, value) ? value : "missing" + value;
    };
    QCOMPARE(read("VAL", RegSz, std::string("C:\\Tools") + '\0'), "C:\\Tools");
    QCOMPARE(read("Val", 3, "\1\2\3"), "old");
    QCOMPARE(read("Val", RegSz, std::string(1025, 'y')), "missing");
    QCOMPARE(read("Other", RegSz, "x"), "missing");
}

void MainWindowTest::oneRunPerFolderAndUnusualFolderNames()
{
    // A league in a folder whose name is Latin-1, not UTF-8: the caption reads it, not U+FFFD.
    Harness h;
    bb::test::TempDir leagues;
    const fs::path folder = leagues / "Ligue d\xE9"
                                      "fi";
    QVERIFY(bb::demo::writeDemoLeague(folder, {"demo", 4, 1, false}).ok());
    const std::string path = (folder / "demo").string();
    h.start(path + "\r\n");
    QVERIFY(h.s.LeagueLoaded);
    QCOMPARE(h.w.windowTitle(),
             QString::fromStdString((leagues / "Ligue d").string()) + QChar(0xE9) + "fi/demo");

    // A second start in the same folder says so and touches no file.
    const auto files = [&] {
        std::vector<std::pair<std::string, bb::test::Bytes>> out;
        for (const auto& f : fs::directory_iterator(h.home.path()))
            out.emplace_back(f.path().string(), bb::test::readBytes(f.path()));
        std::sort(out.begin(), out.end());
        return out;
    };
    bb::HomeLock first, second;
    std::string problem;
    bb::test::ScriptedPrompter p;
    QVERIFY(bb::ClaimHomeFolder(first, h.home.path(), p, problem) && problem.empty() && p.asked.empty());
    const auto before = files();
    QVERIFY(!bb::ClaimHomeFolder(second, h.home.path(), p, problem));
    QCOMPARE(p.take(), "! Benchboss is already running in this folder. [, stop] ");
    QVERIFY(files() == before);
}

BB_QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
