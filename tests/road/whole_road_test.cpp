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

namespace fs = std::filesystem;
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

    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter p;

    // What the prompter was asked since the last look, one line each.
    std::string said()
    {
        std::string out;
        for (const auto& a : p.asked)
            out += (a.kind == a.YesNo     ? "? "
                    : a.kind == a.Message ? "! "
                    : a.kind == a.Text    ? "> "
                                          : "file ") +
                   a.text + " [" + a.title + "]\n";
        p.asked.clear();
        return out;
    }
  private slots:
    void aManagersEvening()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        bb::demo::Options o;
        o.teams = 12;
        QVERIFY(bb::demo::writeDemoLeague(home / "league", o).ok());
        const std::string league = (home / "league" / "demo").string();
        std::ofstream(home / "benchset.def") << league << "\r\n";
        bb::ui::Main main(s, p);
        main.startUp(home.path());
        main.show();
        QVERIFY(s.LeagueLoaded);

        // Team 0 heads its division's list in conference 0.
        bb::test::clickRow(child<QListWidget>(&main, "lstTeams(0)")->item(0));
        QCOMPARE(int(s.CurTeam), 0);

        // Coach > Set Game Roster: Auto, Exit, Yes.
        whenOpen("Roster", [&](QWidget* roster) {
            press(roster, "cmdAuto");
            QCOMPARE(bb::test::texts(roster, "Label5"), "Roster Complete|");
            p.yesNo = {true};
            press(roster, "cmdExit");
        });
        child<QAction>(&main, "SetRoster")->trigger();
        QCOMPARE(said(), "? Keep Roster Changes? [Keep Changes]\n");
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        QCOMPARE(int(std::count_if(s.Players[0].begin(), s.Players[0].end(),
                                   [](auto& pl) { return pl.Sts == 200; })),
                 20);

        // Coach > Set Lines: Auto, Save Lines twice (the team's password, then another), Exit, Yes.
        const fs::path good = home / "good.lns", wrong = home / "wrong.lns";
        whenOpen("Lines", [&](QWidget* lines) {
            press(lines, "cmdAuto");
            p.texts = {"pass0", "nope"};
            p.files = {good.string(), wrong.string()};
            press(lines, "cmdSaveLines");
            press(lines, "cmdSaveLines");
            p.yesNo = {true};
            press(lines, "cmdExit");
        });
        child<QAction>(&main, "SetLines")->trigger();
        QCOMPARE(said(), "> Password? [Save Lines]\nfile Save Lines [Save Lines]\n> Password? [Save Lines]\n"
                         "file Save Lines [Save Lines]\n? Keep Line Changes? [Keep Changes]\n");
        const bb::LineTable committed = s.Teams[0].LineSlots;
        QVERIFY(s.Teams[0].LinesSet && !bb::lines::LinesIncomplete(committed));

        // Reopen: the wrong password changes nothing; the right file gives the same table back.
        whenOpen("Lines", [&](QWidget* lines) {
            p.files = {wrong.string(), good.string()};
            press(lines, "cmdLoadLines");
            press(lines, "cmdLoadLines");
            p.yesNo = {true};
            press(lines, "cmdExit");
        });
        child<QAction>(&main, "SetLines")->trigger();
        QCOMPARE(said(), "file Import Text Lines [Import Text Lines]\n! Password Incorrect [Import Lines]\n"
                         "file Import Text Lines [Import Text Lines]\n? Keep Line Changes? [Keep Changes]\n");
        QCOMPARE(s.Teams[0].LineSlots, committed);

        // Manager > View Team, then Team Roster: Auto, then a dressed veteran scratched and sent down
        // through waivers; the view refills with one pro player fewer and one more on the farm.
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        const auto isVeteran = [&](const bb::PlayerRec& pl) {
            return !pl.isEmpty() && !pl.Released && pl.Sts == 200 && pl.GP >= s.League.WaiverGP &&
                   pl.Age > s.League.WaiverAge;
        };
        const int veteran =
            int(std::find_if(s.Players[0].begin(), s.Players[0].end(), isVeteran) - s.Players[0].begin());
        QVERIFY(veteran < bb::RosterSize);
        const std::string veteranName = s.Players[0][veteran].Name.str();
        QString before, after;
        whenOpen("DisplayTeam", [&](QWidget* view) {
            before = bb::test::texts(view, "lblPro lblFarm lblProjBal");
            whenOpen("Roster", [&](QWidget* roster) {
                press(roster, "cmdAuto");
                bb::test::clickRow(bb::test::slotRow(child<QListWidget>(roster, "list1(2)"), veteran));
                press(roster, "cmdMovePlayer(0)");
                bb::test::clickRow(bb::test::slotRow(child<QListWidget>(roster, "list1(1)"), veteran));
                press(roster, "cmdMovePlayer(2)");
                p.yesNo = {true, true};
                press(roster, "cmdExit");
            });
            press(view, "Command3");
            after = bb::test::texts(view, "lblPro lblFarm lblProjBal");
            press(view, "Command1");
        });
        child<QAction>(&main, "ViewTeam")->trigger();
        QCOMPARE(said(),
                 "? Keep Roster Changes? [Keep Changes]\n! Roster not complete [Edit Roster]\n? Put " +
                     bb::cp1252ToUtf8(bb::Condense(veteranName)) + " on waivers? [Keep changes?]\n");
        QCOMPARE(after.section('|', 0, 0).toInt(), before.section('|', 0, 0).toInt() - 1);
        QCOMPARE(after.section('|', 1, 1).toInt(), before.section('|', 1, 1).toInt() + 1);
        QVERIFY(after.section('|', 2, 2).contains('$'));

        // The files. The roster working file holds team 0 as it stands in memory; the team file
        // its committed lines and LinesSet; no other team changed.
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        QCOMPARE(s.Players[0][veteran].Sts, std::uint8_t{0});
        const Bytes ros = readBytes(s.SwapRos), tms = readBytes(s.SwapTms);
        const Bytes leagueRos = readBytes(league + ".ros"), leagueTms = readBytes(league + ".tms");
        QVERIFY(ros.size() == leagueRos.size() &&
                std::equal(ros.begin() + 50 * 86, ros.end(), leagueRos.begin() + 50 * 86));
        QVERIFY(tms.size() == leagueTms.size() &&
                std::equal(tms.begin() + 254, tms.end(), leagueTms.begin() + 254));
        // The lines file: team 0, the password padded, the table, 226 bytes.
        const Bytes lns = readBytes(good);
        QCOMPARE(lns.size(), std::size_t{226});
        QCOMPARE(Bytes(lns.begin(), lns.begin() + 11), bb::test::bytesOf(std::string("\0pass0     ", 11)));
        for (int x = 0; x < 13; ++x)
            for (int y = 0; y < 5; ++y) {
                const bool used = bb::lines::isUsedCell(x, y);
                QCOMPARE(tms[174 + x + 13 * y], used ? committed[x][y] : std::uint8_t{255});
                QVERIFY(!used || lns[11 + x + 13 * y] == committed[x][y]);
            }
        QVERIFY(tms[252] == 0xFF && tms[253] == 0xFF);

        // The waiver record and the log line.
        const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(home.path());
        const Bytes waivers = readBytes(files.waivers);
        QVERIFY(waivers.size() == 134 && waivers[22] == veteran);
        QCOMPARE(std::string(waivers.begin(), waivers.begin() + 22), veteranName);
        QCOMPARE(readBytes(files.log),
                 bb::test::bytesOf(bb::Condense(s.Teams[0].Name.str()) + " place " +
                                   bb::Condense(veteranName) + " on waivers<BR><BR>\r\n"));
    }
};

BB_QTEST_MAIN(WholeRoadTest)
#include "whole_road_test.moc"
