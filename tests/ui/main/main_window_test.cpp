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
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;
using Ints = std::vector<int>;
using bb::sysinfo::HKeyLocalMachine;
using bb::sysinfo::RegistryStore;
using bb::sysinfo::RegValue;

namespace {

using FixtureTeam = std::tuple<std::string, int, int>; // name, conference, division

std::string fileText(const fs::path& f)
{
    std::ifstream in(f, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Harness {
    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter p;
    std::unique_ptr<bb::ui::Main> w = std::make_unique<bb::ui::Main>(s, p);

    template <class T> T* get(const char* name) const { return w->findChild<T*>(QString::fromLatin1(name)); }
    QLabel* label(const char* name) const { return get<QLabel>(name); }
    QAction* action(const char* name) const { return get<QAction>(name); }
    QListWidget* divs(int k) const { return get<QListWidget>(k == 0 ? "lstDivs(0)" : "lstDivs(1)"); }
    QListWidget* teams(int k) const { return get<QListWidget>(k == 0 ? "lstTeams(0)" : "lstTeams(1)"); }
    // 1 when the menu, its entry and all its actions (so their shortcuts) are on, 0 when all are off.
    int enabled(const char* menu) const
    {
        const QMenu* m = get<QMenu>(menu);
        QList<QAction*> all = m->actions() << m->menuAction();
        const auto on =
            std::count_if(all.begin(), all.end(), [](const QAction* a) { return a->isEnabled(); });
        return m->isEnabled() && on == all.size() ? 1 : !m->isEnabled() && on == 0 ? 0 : -1;
    }
    void start(const std::string& defaults = {})
    {
        if (!defaults.empty())
            std::ofstream(home / "benchset.def") << defaults;
        w->startUp(home.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    // The generated league of 24 teams: team t is in conference t % 2, division (t / 2) % 4.
    std::string demo(const std::string& name)
    {
        if (!bb::demo::writeDemoLeague(home / "leagues", {name, 24, 1, true}))
            qWarning("demo league %s not written", name.c_str());
        return (home / "leagues" / name).string();
    }
    // A hand-made league; maxTeam < 0 stores the number of teams minus one.
    std::string fixture(const std::string& name, const std::vector<FixtureTeam>& teams, int maxTeam = -1,
                        const std::string& lgName = "Fixture")
    {
        bb::LeagueRec lg;
        lg.Name.assign(lgName);
        lg.MaxTeam = static_cast<std::uint8_t>(maxTeam >= 0 ? maxTeam : int(teams.size()) - 1);
        const auto header = lg.encoded();
        std::string lge(header.begin(), header.end()), tms, ros;
        for (const auto& [teamName, conf, div] : teams) {
            bb::TeamRec rec;
            rec.Name.assign(teamName);
            rec.Conf = static_cast<std::uint8_t>(conf);
            rec.Div = static_cast<std::uint8_t>(div);
            const auto bytes = rec.encoded();
            tms.append(bytes.begin(), bytes.end());
            ros.append(bb::RosterSize * bb::PlayerRec::Size, '\0');
        }
        const std::string path = (home / name).string();
        for (const auto& [ext, bytes] : {std::pair{".lge", &lge}, {".tms", &tms}, {".ros", &ros}})
            std::ofstream(path + ext, std::ios::binary) << *bytes;
        return path;
    }
    void load(const std::string& chosen)
    {
        p.files.push_back(chosen);
        action("LoadLeague")->trigger();
    }
};

Ints rowData(const QListWidget* l)
{
    Ints out;
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
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

void verifyNoLeague(Harness& h)
{
    QCOMPARE(h.w->windowTitle(), QStringLiteral("Kestrel"));
    QCOMPARE(h.label("Label3")->text(), QStringLiteral("League Name"));
    QCOMPARE(h.label("Label1")->text(), QStringLiteral("Conference 1"));
    QCOMPARE(h.label("Label2")->text(), QStringLiteral("Conference 2"));
    for (int k = 0; k < 2; ++k)
        QVERIFY(h.divs(k)->count() + h.teams(k)->count() == 0);
    QVERIFY(h.enabled("manager") == 0 && h.enabled("coach") == 0 && h.enabled("file") == 1 &&
            h.enabled("Info") == 1);
    QVERIFY(h.p.asked.empty());
    QVERIFY(!h.s.LeagueLoaded);
    QVERIFY(!fs::exists(h.home / "swp.t"));
    QCOMPARE(int(h.s.CurTeam), 0);
}

// A generated league as first shown: divisions 0 and 1 only, row 0 picked everywhere.
void verifyDemoShown(Harness& h, const std::string& path)
{
    QCOMPARE(h.w->windowTitle(), QString::fromStdString(path));
    QCOMPARE(h.label("Label3")->text(), bb::ui::leagueText(h.s.League.Name.str()));
    QCOMPARE(h.label("Label2")->text(), bb::ui::leagueText(h.s.League.Conf[1].Name.str()));
    for (int k = 0; k < 2; ++k) {
        QCOMPARE(h.divs(k)->count(), 2);
        for (int d = 0; d < 2; ++d) {
            QCOMPARE(h.divs(k)->item(d)->text(), bb::ui::leagueText(h.s.League.Conf[k].Div[d].Name.str()));
            QCOMPARE(h.divs(k)->item(d)->text().size(), 10);
        }
        QCOMPARE(selected(h.divs(k)), 0);
        QCOMPARE(selected(h.teams(k)), 0);
    }
    QCOMPARE(rowData(h.teams(0)), (Ints{0, 8, 16}));
    QCOMPARE(rowData(h.teams(1)), (Ints{1, 9, 17}));
    QCOMPARE(int(h.s.CurTeam), 1);
    QVERIFY(h.enabled("manager") == 1 && h.enabled("coach") == 1);
    QVERIFY(h.p.messages().empty());
}

const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
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
    QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    for (const bb::test::Asked& a : p.asked)
        out += a.kind == bb::test::Asked::Message && a.icon == bb::MsgIcon::None && a.title.empty()
                   ? a.text
                   : "unexpected " + a.text;
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpCommandsAndAbout();
    void loadLeague();
    void firstTeamsAndPlainText();
    void aboutSysInfo();
    void aboutGetKeyValue();
};

void MainWindowTest::startUpCommandsAndAbout()
{
    for (const std::string defaults : {"none", "empty", "missing"}) {
        Harness h;
        const std::string gone = h.demo("gone");
        fs::remove(gone + ".lge");
        if (defaults != "none")
            std::ofstream(h.home / "benchset.def") << (defaults == "empty" ? "" : gone + "\r\n");
        h.start();
        verifyNoLeague(h);
    }
    Harness h;
    const std::string path = h.demo("demo");
    h.start(path + "\r\n");
    verifyDemoShown(h, path);
    QVERIFY(bb::FileExists(h.home / "swp.r"));

    for (const auto& [name, text, key] : {std::tuple{"LoadLeague", "Load", "Ctrl+L"},
                                          {"exit", "Exit", ""},
                                          {"ViewTeam", "View Team", "Ctrl+V"},
                                          {"SetRoster", "Set Game Roster", "Ctrl+R"},
                                          {"SetLines", "Set Lines", "Ctrl+E"},
                                          {"About", "About", ""}}) {
        QCOMPARE(h.action(name)->text(), QString::fromLatin1(text));
        QCOMPARE(h.action(name)->shortcut(), QKeySequence(QString::fromLatin1(key)));
    }

    // What a double click delivers: a click, then the double click; the view opens on that team.
    Ints viewOpened;
    h.w->openTeamView = [&] { viewOpened.push_back(h.s.CurTeam); };
    const QPoint at = h.teams(0)->visualItemRect(h.teams(0)->item(1)).center();
    QTest::mouseClick(h.teams(0)->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(h.teams(0)->viewport(), Qt::LeftButton, {}, at);
    h.action("ViewTeam")->trigger();
    QCOMPARE(viewOpened, (Ints{8, 8}));

    // Set Lines loads that team into slot 0 and opens the line editor modal on it.
    bb::Session reference;
    reference.init(h.home.path());
    QVERIFY(bb::LoadTeam(reference, 8, 0).ok());
    h.s.Players[0] = {};
    QString modalName, modalTitle;
    std::string firstPlayer;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalName = modal->objectName();
            modalTitle = modal->findChild<QLabel*>(QStringLiteral("Label6"))->text();
            firstPlayer = h.s.Players[0][0].Name.str();
            modal->close();
        }
    });
    h.action("SetLines")->trigger();
    QCOMPARE(modalName, QStringLiteral("Lines"));
    QCOMPARE(modalTitle, QStringLiteral("Lines for ") + bb::ui::leagueText(h.s.Teams[8].Name.str()));
    QCOMPARE(firstPlayer, reference.Players[0][0].Name.str());

    // Without its editor Set Game Roster does nothing; a team that cannot be loaded opens no editor
    // and says why.
    h.action("SetRoster")->trigger();
    QVERIFY(h.p.asked.empty());
    int opened = 0;
    h.w->openLines = h.w->openRoster = [&] { ++opened; };
    fs::remove(h.home / "swp.r");
    h.action("SetLines")->trigger();
    h.action("SetRoster")->trigger();
    QCOMPARE(opened, 0);
    QCOMPARE(h.p.asked.size(), std::size_t{2});
    QVERIFY(h.p.asked[0].kind == bb::test::Asked::Message && h.p.asked[0].icon == bb::MsgIcon::Stop);
    QVERIFY(!h.p.asked[0].text.empty());

    // About is single and modeless and outlives Exit; OK is its default and cancel button, and once
    // it is closed About makes a fresh one.
    h.action("About")->trigger();
    QPointer<bb::ui::frmAbout> about = h.w->aboutBox();
    QVERIFY(about && about->isVisible() && !about->isModal() && !about->parent());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Benchboss"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Benchboss"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.2.9"));
    const auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok->text() == QStringLiteral("OK") && ok->isDefault());
    QCOMPARE(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
    h.action("About")->trigger();
    QCOMPARE(h.w->aboutBox(), about.data());
    h.action("exit")->trigger();
    QVERIFY(!h.w->isVisible() && about->isVisible());
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QVERIFY(QTest::qWaitForWindowExposed(h.w->aboutBox()));
        QTest::keyClick(h.w->aboutBox(), key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!h.w->aboutBox());
        h.action("About")->trigger();
    }
    QVERIFY(h.w->aboutBox());
}

void MainWindowTest::loadLeague()
{
    Harness h;
    h.start();
    const std::string path = h.demo("first");
    h.load(path + ".tms");
    const bb::FileDialogRequest& r = h.p.asked.at(0).request;
    QVERIFY(r.title == "Load League" && r.selectedFilter == 1 && r.initialName.empty());
    QCOMPARE(r.filters,
             (std::vector<std::pair<std::string, std::string>>{{"All Files", "*"}, {"Tarn Files", "*.tms"}}));
    h.p.asked.clear();
    verifyDemoShown(h, path);
    QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), path);

    // Another division refills its team list, picks no team and leaves CurTeam alone.
    clickRow(h.divs(0), 1);
    QCOMPARE(rowData(h.teams(0)), (Ints{2, 10, 18}));
    QCOMPARE(selected(h.teams(0)), -1);
    QCOMPARE(int(h.s.CurTeam), 1);
    clickRow(h.teams(0), 1);
    QCOMPARE(int(h.s.CurTeam), 10);

    const QString title = h.w->windowTitle();
    const std::string swapTeams = fileText(h.home / "swp.t");
    const auto verifyUnchanged = [&] {
        QCOMPARE(h.w->windowTitle(), title);
        QCOMPARE(int(h.s.CurTeam), 10);
        QCOMPARE(h.s.LgPath, path);
        QCOMPARE(rowData(h.teams(0)), (Ints{2, 10, 18}));
        QVERIFY(fileText(h.home / "swp.t") == swapTeams);
        QCOMPARE(bb::readDefaultsFile(h.home.path()).value_or(""), path);
        QVERIFY(h.p.messages().empty());
    };
    // A two-letter extension loses a letter of the name too: the load fails without a word.
    const std::string other = h.demo("other");
    h.load(other + ".tm");
    verifyUnchanged();
    // Cancel; the dialog starts from the name chosen last.
    h.action("LoadLeague")->trigger();
    QCOMPARE(h.p.asked.back().request.initialName, other + ".tm");
    verifyUnchanged();
    h.load("abc"); // too short to lose an extension
    verifyUnchanged();
    QVERIFY(!bb::leaguePathOfChosenFile("abc"));
    h.load(h.fixture("big", std::vector<FixtureTeam>(61, {"Solo", 1, 0})) + ".tms"); // MaxTeam 60
    verifyUnchanged();

    // Any file of the league will do; characters are dropped, not bytes.
    h.load(other + ".lge");
    QCOMPARE(h.s.LgPath, other);
    QCOMPARE(h.w->windowTitle(), QString::fromStdString(other));
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/ligu\xc3\xa9.tm").value_or("?"), std::string("/lg/ligu"));
    QCOMPARE(bb::leaguePathOfChosenFile("/lg/\xc3\xa9.tms").value_or("?"), std::string("/lg/\xc3\xa9"));
}

void MainWindowTest::firstTeamsAndPlainText()
{
    Harness h;
    h.start();
    h.s.CurTeam = 42;

    // No team in either first division: no team is picked and the menus stay off.
    const std::string late =
        h.fixture("late", {{"Alpha", 0, 1}, {"Bravo", 1, 1}, {"Deep", 0, 2}, {"Charlie", 0, 1}});
    h.load(late + ".tms");
    QCOMPARE(h.w->windowTitle(), QString::fromStdString(late));
    QVERIFY(h.teams(0)->count() + h.teams(1)->count() == 0);
    QCOMPARE(int(h.s.CurTeam), 42);
    QVERIFY(h.enabled("manager") == 0 && h.enabled("coach") == 0);

    // A division click enables nothing; the first team click enables both menus.
    clickRow(h.divs(0), 1);
    QCOMPARE(rowData(h.teams(0)), (Ints{0, 3}));
    QVERIFY(h.enabled("coach") == 0);
    clickRow(h.teams(0), 1);
    QCOMPARE(int(h.s.CurTeam), 3);
    QVERIFY(h.enabled("coach") == 1 && h.enabled("manager") == 1);

    // Conference 1's first division is empty: conference 0's first team is picked. League text is
    // never markup.
    h.load(h.fixture("west", {{"Alpha", 1, 1}, {"<b>X</b>", 0, 0}, {"Charlie", 0, 0}}, -1, "<b>L</b>") +
           ".tms");
    QCOMPARE(rowData(h.teams(0)), (Ints{1, 2}));
    QCOMPARE(selected(h.teams(0)), 0);
    QCOMPARE(h.teams(1)->count(), 0);
    QCOMPARE(int(h.s.CurTeam), 1);
    QCOMPARE(h.teams(0)->item(0)->text(), QStringLiteral("<b>X</b>  "));
    QCOMPARE(h.label("Label3")->text(), QStringLiteral("<b>L</b>").leftJustified(25));
    QCOMPARE(h.label("Label3")->textFormat(), Qt::PlainText);
    QVERIFY(h.p.messages().empty());
}

void MainWindowTest::aboutSysInfo()
{
    QCOMPARE(runSysInfo({}), kUnavailable); // the program's own store is empty

    // The first value names the program; the second is never looked at, even when the start fails.
    RegistryStore first;
    first.setString(HKeyLocalMachine, kMsinfoKey, "PATH", "/opt/tools/sysinfo");
    first.setString(HKeyLocalMachine, kLocationKey, "MSINFO", "/never/used");
    QCOMPARE(runSysInfo(first), std::string("start /opt/tools/sysinfo;"));
    QCOMPARE(runSysInfo(first, false), "start /opt/tools/sysinfo;" + kUnavailable);

    // Only the second value: the tool file in the folder it names, when there is one.
    bb::test::TempDir dir;
    RegistryStore second;
    second.setString(HKeyLocalMachine, kLocationKey, "MSINFO", dir.path().string());
    QCOMPARE(runSysInfo(second), kUnavailable);
    std::ofstream(dir / "MSINFO32.EXE") << "tool";
    QCOMPARE(runSysInfo(second), "start " + (dir / "MSINFO32.EXE").string() + ";");

    // A DWORD where the path belongs is rendered and tried as a program name.
    RegistryStore dword;
    dword.setDword(HKeyLocalMachine, kMsinfoKey, "PATH", 0x0A000201u);
    QCOMPARE(runSysInfo(dword, false), "start &hA021;" + kUnavailable);
}

void MainWindowTest::aboutGetKeyValue()
{
    using bb::sysinfo::RegDword, bb::sysinfo::RegSz;
    const auto text = [](const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    const std::tuple<const char*, RegValue, bool, std::string> cases[] = {
        {"VAL", {RegSz, text(std::string("C:\\Tools") + '\0')}, true, "C:\\Tools"}, // any case
        {"Val", {RegSz, text("abc")}, true, "abc"}, // no final NUL: the last character stays
        {"Val", {RegDword, {0x78, 0x56, 0x34, 0x12}}, true, "&h12345678"},
        {"Val", {RegDword, {0x01, 0x02, 0x00, 0x0A}}, true, "&hA021"}, // no leading zero in a byte
        {"Val", {RegDword, {5, 0, 0, 0}}, true, "&h005"}, // a final NUL byte goes before the rendering
        {"Val", {3, {1, 2, 3}}, true, "old"},             // another type leaves the text as it was
        {"Val", {RegSz, text(std::string(1023, 'y') + '\0')}, true, std::string(1023, 'y')},
        {"Val", {RegSz, text(std::string(1025, 'y'))}, false, ""},
        {"Val", {RegSz, {}}, false, ""},
        {"Other", {RegSz, text("x")}, false, ""},
    };
    for (const auto& [name, stored, found, expected] : cases) {
        RegistryStore store;
        store.setValue(HKeyLocalMachine, "Soft\\Tools", "Val", stored);
        store.setValue(0x80000001u, "Soft\\Other", "Val", stored);
        std::string value = "old";
        QCOMPARE(bb::sysinfo::GetKeyValue(store, HKeyLocalMachine, "SOFT\\tools", name, value), found);
        QCOMPARE(value, expected);
        // A missing key, or a key under another root, fails the same way.
        QVERIFY(!bb::sysinfo::GetKeyValue(store, HKeyLocalMachine, "Soft\\Other", "Val", value));
        QVERIFY(value.empty());
    }
}

BB_QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
