// The whole road of a manager's evening, through the real windows from the main window down:
// pick a team, dress a roster, set and save the lines, load them back, look at the team, and
// change the roster from there. Nothing is called on the logic directly; at the end the files
// on disk are read back byte by byte.
#include "file_bytes.h"
#include "qt_test_main.h"
#include "window_controls.h"

#include "coach/lines/line_table.h"
#include "coach/roster/waivers.h"
#include "core/league_io.h"
#include "core/text.h"
#include "demo_league.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <functional>

using namespace bb::test;
using Steps = std::initializer_list<const char*>;

// Runs act on the modal window named name as soon as it is in front; the action that opens it
// runs after this call and returns once the window has closed.
static void whenOpen(const QString& name, std::function<void(QWidget*)> act, int tries = 200)
{
    QTimer::singleShot(10, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == name && w->isVisible())
            return act(w);
        tries ? whenOpen(name, act, tries - 1) : qFatal("%s never opened", qPrintable(name));
    });
}

// Presses the buttons in turn; a list's name instead clicks the row of roster slot p in it.
static void work(QWidget* w, Steps steps, int p = -1)
{
    for (const QString step : steps)
        step.startsWith("list") ? clickRow(slotRow(child<QListWidget>(w, step), p)) : press(w, step);
}

// The bytes of b from offset at on.
static Bytes from(const Bytes& b, std::size_t at) { return Bytes(b.begin() + std::ptrdiff_t(at), b.end()); }

class WholeRoadTest : public QObject {
    Q_OBJECT

  private slots:
    void aManagersEvening()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TempDir home;
        bb::Session s;
        ScriptedPrompter p;
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {"demo", 12, 1, false}).ok());
        const std::string league = (home / "league" / "demo").string();
        std::ofstream(home / "benchset.def") << league << "\r\n";
        bb::ui::Main main(s, p);
        main.startUp(home.path());
        main.show();
        // Opens a window from the main window's menu, works it, then Exit answered Yes; returns what
        // the user was asked and told.
        const auto open = [&](const char* menu, const char* window, Steps steps) {
            whenOpen(window, [&](QWidget* w) { work(w, steps), p.yesNo = {true}, press(w, "cmdExit"); });
            child<QAction>(&main, menu)->trigger();
            return p.take();
        };

        // Team 0 heads its division's list in conference 0.
        clickRow(child<QListWidget>(&main, "lstTeams(0)")->item(0));
        QVERIFY(s.LeagueLoaded && s.CurTeam == 0);

        // Coach > Set Game Roster: Auto, Exit, Yes: twenty dressed.
        QCOMPARE(open("SetRoster", "Roster", {"cmdAuto"}), "? Keep Roster Changes? [Keep Changes] ");
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        QCOMPARE(int(std::ranges::count_if(s.Players[0], [](auto& pl) { return pl.Sts == 200; })), 20);

        // Coach > Set Lines: Auto, Save Lines twice (the team's password, then another), Exit, Yes.
        const std::filesystem::path good = home / "good.lns", wrong = home / "wrong.lns";
        p.texts = {"pass0", "nope"}, p.files = {good.string(), wrong.string()};
        QCOMPARE(open("SetLines", "Lines", {"cmdAuto", "cmdSaveLines", "cmdSaveLines"}),
                 "? Keep Line Changes? [Keep Changes] ");
        const bb::LineTable committed = s.Teams[0].LineSlots;
        QVERIFY(s.Teams[0].LinesSet && !bb::lines::LinesIncomplete(committed));

        // Reopen: the wrong password changes nothing; the right file gives the same table back.
        p.files = {wrong.string(), good.string()};
        QCOMPARE(open("SetLines", "Lines", {"cmdLoadLines", "cmdLoadLines"}),
                 "! Password Incorrect [Import Lines, stop] ? Keep Line Changes? [Keep Changes] ");
        QCOMPARE(s.Teams[0].LineSlots, committed);

        // Manager > View Team, then Team Roster: Auto, then a dressed veteran scratched and sent down
        // through waivers, Exit, Yes twice; the view refills with one pro player fewer (25 before) and
        // one more on the farm (17 before).
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        const auto vet = [&](auto& pl) { return pl.Sts == 200 && bb::roster::waiversNeeded(s.League, pl); };
        const int veteran = int(std::ranges::find_if(s.Players[0], vet) - s.Players[0].begin());
        QVERIFY(veteran < bb::RosterSize);
        const std::string name = s.Players[0][std::size_t(veteran)].Name.str();
        const Steps moves = {"cmdAuto", "list1(2)", "cmdMovePlayer(0)", "list1(1)", "cmdMovePlayer(2)"};
        QString after;
        p.yesNo = {true, true};
        whenOpen("DisplayTeam", [&](QWidget* w) {
            whenOpen("Roster", [&](QWidget* r) { work(r, moves, veteran), press(r, "cmdExit"); });
            press(w, "Command3"), after = texts(w, "lblPro lblFarm lblProjBal"), press(w, "Command1");
        });
        child<QAction>(&main, "ViewTeam")->trigger();
        QCOMPARE(p.take(),
                 "? Keep Roster Changes? [Keep Changes] ! Roster not complete [Edit Roster, stop] ? Put " +
                     bb::cp1252ToUtf8(bb::Condense(name)) + " on waivers? [Keep changes?] ");
        QVERIFY(after.startsWith("24|18|") && after.contains('$'));

        // The working files: team 0 holds the veteran on the farm, its committed lines and LinesSet;
        // no other team changed.
        const Bytes ros = readBytes(s.SwapRos), tms = readBytes(s.SwapTms), lns = readBytes(good);
        QCOMPARE(ros.at(std::size_t(veteran) * 86 + 30), std::uint8_t{0});
        QCOMPARE(from(ros, 50 * 86), from(readBytes(league + ".ros"), 50 * 86));
        QCOMPARE(from(tms, 254), from(readBytes(league + ".tms"), 254));
        QVERIFY(tms[252] == 0xFF && tms[253] == 0xFF);
        // The lines file: team 0, the password padded, the table, 226 bytes. Byte i of a table is cell
        // (i % 13, i / 13); the team file holds 255 in an unused one.
        QCOMPARE(lns.size(), std::size_t{226});
        QCOMPARE(Bytes(lns.begin(), lns.begin() + 11), bytesOf(std::string("\0pass0     ", 11)));
        for (int i = 0; i < 65; ++i) {
            const int cell = bb::lines::isUsedCell(i % 13, i / 13) ? committed[i % 13][i / 13] : 255;
            QVERIFY(tms[174 + i] == cell && (cell == 255 || lns[11 + i] == cell));
        }

        // The waiver record and the log line.
        const Bytes waivers = readBytes(home / "waivers.dat");
        QVERIFY(waivers.size() == 134 && waivers[22] == veteran);
        QCOMPARE(std::string(waivers.begin(), waivers.begin() + 22), name);
        QCOMPARE(readBytes(home / "transactions.log"),
                 bytesOf(bb::Condense(s.Teams[0].Name.str()) + " place " + bb::Condense(name) +
                         " on waivers<BR><BR>\r\n"));
    }
};

BB_QTEST_MAIN(WholeRoadTest)
#include "whole_road_test.moc"
