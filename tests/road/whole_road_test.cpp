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

using bb::test::Bytes;
using bb::test::child;
using bb::test::press;
using bb::test::readBytes;

namespace {

// Runs act on the modal window named name as soon as it is in front; the action that opens it
// runs after this call and returns once the window has closed.
void whenOpen(const QString& name, std::function<void(QWidget*)> act, int tries = 200)
{
    QTimer::singleShot(10, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == name && w->isVisible())
            act(w);
        else if (tries > 0)
            whenOpen(name, act, tries - 1);
        else
            qFatal("%s never opened", qPrintable(name));
    });
}

} // namespace

class WholeRoadTest : public QObject {
    Q_OBJECT

  private slots:
    void aManagersEvening()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        bb::test::TempDir home;
        bb::Session s;
        bb::test::ScriptedPrompter p;
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {"demo", 12, 1, false}).ok());
        const std::string league = (home / "league" / "demo").string();
        std::ofstream(home / "benchset.def") << league << "\r\n";
        bb::ui::Main main(s, p);
        main.startUp(home.path());
        main.show();
        // Opens a window from the main window's menu, presses the buttons, then Exit answered Yes;
        // returns what the user was asked and told.
        const auto open = [&](const char* action, const QString& window,
                              std::initializer_list<const char*> buttons) {
            whenOpen(window, [&](QWidget* w) {
                for (const char* b : buttons)
                    press(w, b);
                p.yesNo.push_back(true), press(w, "cmdExit");
            });
            child<QAction>(&main, action)->trigger();
            return p.take();
        };

        // Team 0 heads its division's list in conference 0.
        bb::test::clickRow(child<QListWidget>(&main, "lstTeams(0)")->item(0));
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
        // through waivers; the view refills with one pro player fewer and one more on the farm.
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        const int veteran =
            int(std::ranges::find_if(
                    s.Players[0],
                    [&](auto& pl) { return pl.Sts == 200 && bb::roster::waiversNeeded(s.League, pl); }) -
                s.Players[0].begin());
        QVERIFY(veteran < bb::RosterSize);
        const std::string name = s.Players[0][std::size_t(veteran)].Name.str();
        QString before, after;
        whenOpen("DisplayTeam", [&](QWidget* view) {
            before = bb::test::texts(view, "lblPro lblFarm lblProjBal");
            whenOpen("Roster", [&](QWidget* roster) {
                press(roster, "cmdAuto");
                for (const auto& [from, button] :
                     {std::pair{"list1(2)", "cmdMovePlayer(0)"}, {"list1(1)", "cmdMovePlayer(2)"}}) {
                    bb::test::clickRow(bb::test::slotRow(child<QListWidget>(roster, from), veteran));
                    press(roster, button);
                }
                p.yesNo = {true, true};
                press(roster, "cmdExit");
            });
            press(view, "Command3");
            after = bb::test::texts(view, "lblPro lblFarm lblProjBal");
            press(view, "Command1");
        });
        child<QAction>(&main, "ViewTeam")->trigger();
        QCOMPARE(p.take(),
                 "? Keep Roster Changes? [Keep Changes] ! Roster not complete [Edit Roster, stop] ? Put " +
                     bb::cp1252ToUtf8(bb::Condense(name)) + " on waivers? [Keep changes?] ");
        QCOMPARE(after.section('|', 0, 0).toInt(), before.section('|', 0, 0).toInt() - 1);
        QCOMPARE(after.section('|', 1, 1).toInt(), before.section('|', 1, 1).toInt() + 1);
        QVERIFY(after.section('|', 2, 2).contains('$'));

        // The working files: team 0 holds the veteran on the farm, its committed lines and LinesSet;
        // no other team changed.
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        QCOMPARE(s.Players[0][std::size_t(veteran)].Sts, std::uint8_t{0});
        const Bytes ros = readBytes(s.SwapRos), tms = readBytes(s.SwapTms), lns = readBytes(good);
        const Bytes leagueRos = readBytes(league + ".ros"), leagueTms = readBytes(league + ".tms");
        QVERIFY(std::equal(ros.begin() + 50 * 86, ros.end(), leagueRos.begin() + 50 * 86, leagueRos.end()));
        QVERIFY(std::equal(tms.begin() + 254, tms.end(), leagueTms.begin() + 254, leagueTms.end()));
        QVERIFY(tms[252] == 0xFF && tms[253] == 0xFF);
        // The lines file: team 0, the password padded, the table, 226 bytes.
        QCOMPARE(lns.size(), std::size_t{226});
        QCOMPARE(Bytes(lns.begin(), lns.begin() + 11), bb::test::bytesOf(std::string("\0pass0     ", 11)));
        for (int i = 0; i < 65; ++i) { // cell (i % 13, i / 13); the team file holds 255 in an unused one
            const int x = i % 13, y = i / 13, cell = bb::lines::isUsedCell(x, y) ? committed[x][y] : 255;
            QVERIFY(tms[174 + i] == cell && (cell == 255 || lns[11 + i] == cell));
        }

        // The waiver record and the log line.
        const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(home.path());
        const Bytes waivers = readBytes(files.waivers);
        QVERIFY(waivers.size() == 134 && waivers[22] == veteran);
        QCOMPARE(std::string(waivers.begin(), waivers.begin() + 22), name);
        QCOMPARE(readBytes(files.log), bb::test::bytesOf(bb::Condense(s.Teams[0].Name.str()) + " place " +
                                                         bb::Condense(name) + " on waivers<BR><BR>\r\n"));
    }
};

BB_QTEST_MAIN(WholeRoadTest)
#include "whole_road_test.moc"
