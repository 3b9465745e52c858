// The whole road of a manager's evening, through the real windows from the main window down:
// pick a team, dress a roster, set and save the lines, load them back, look at the team, and
// change the roster from there. Nothing is called on the logic directly; at the end the files
// on disk are read back byte by byte.
#include "file_bytes.h"
#include "qt_test_main.h"

#include "coach/lines/lines_file.h"
#include "coach/roster/waivers.h"
#include "core/league_io.h"
#include "core/text.h"
#include "demo_league.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

using bb::test::readBytes;


template <class T = QWidget> T* child(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(w->objectName()));
    return c;
}

void press(QWidget* w, const QString& button) { child<QAbstractButton>(w, button)->click(); }

void clickRow(QListWidget* l, int row)
{
    l->scrollToItem(l->item(row));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

// Clicks the row of list that shows roster slot p, holding Ctrl when more are to be chosen.
void clickSlotRow(QListWidget* l, int p, Qt::KeyboardModifiers mods = {})
{
    for (int r = 0; r < l->count(); ++r)
        if (l->item(r)->data(Qt::UserRole).toInt() == p) {
            l->scrollToItem(l->item(r));
            QTest::mouseClick(l->viewport(), Qt::LeftButton, mods, l->visualItemRect(l->item(r)).center());
            return;
        }
    qFatal("roster slot %d is not in %s", p, qPrintable(l->objectName()));
}

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
            out += (a.kind == a.YesNo ? "? " : a.kind == a.Message ? "! " : a.kind == a.Text ? "> " : "file ") +
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
        const bb::LeagueRec& lg = s.League;

        // Team 0 heads its division's list in conference 0.
        clickRow(child<QListWidget>(&main, "lstTeams(0)"), 0);
        QCOMPARE(int(s.CurTeam), 0);
        const std::string teamName = bb::Condense(s.Teams[0].Name.str());

        // Coach > Set Game Roster: Auto, Exit, Yes.
        whenOpen("Roster", [&](QWidget* roster) {
            press(roster, "cmdAuto");
            QCOMPARE(child<QLabel>(roster, "Label5")->text(), "Roster Complete");
            p.yesNo = {true};
            press(roster, "cmdExit");
        });
        child<QAction>(&main, "SetRoster")->trigger();
        QCOMPARE(said(), "? Keep Roster Changes? [Keep Changes]\n");
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        int dressed = 0;
        for (const auto& pl : s.Players[0])
            dressed += pl.Sts == 200;
        QCOMPARE(dressed, 20);

        // Coach > Set Lines: Auto, Save Lines twice (the team's password, then another), Exit, Yes.
        const fs::path good = home / "good.lns", wrong = home / "wrong.lns";
        bb::LineTable autoTable{};
        whenOpen("Lines", [&](QWidget* lines) {
            press(lines, "cmdAuto");
            p.texts = {"pass0", "nope"};
            p.files = {good.string(), wrong.string()};
            press(lines, "cmdSaveLines");
            press(lines, "cmdSaveLines");
            autoTable = s.Teams[0].LineSlots; // not yet: the table reaches the team on Exit
            p.yesNo = {true};
            press(lines, "cmdExit");
        });
        child<QAction>(&main, "SetLines")->trigger();
        QCOMPARE(said(), "> Password? [Save Lines]\nfile Save Lines [Save Lines]\n> Password? [Save Lines]\n"
                         "file Save Lines [Save Lines]\n? Keep Line Changes? [Keep Changes]\n");
        QVERIFY(s.Teams[0].LinesSet);
        const bb::LineTable committed = s.Teams[0].LineSlots;
        QVERIFY(committed != autoTable);
        QVERIFY(!bb::lines::LinesIncomplete(committed));

        // Reopen: the wrong password changes nothing; the right file gives the same table back.
        whenOpen("Lines", [&](QWidget* lines) {
            p.files = {wrong.string(), good.string()};
            press(lines, "cmdLoadLines");
            QCOMPARE(child<QLabel>(lines, "lblPlayer(0)")->text().isEmpty(), false);
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
        int veteran = -1;
        for (int i = 0; i < bb::RosterSize; ++i) {
            const bb::PlayerRec& pl = s.Players[0][i];
            if (pl.isEmpty() || pl.Released)
                continue;
            if (veteran < 0 && pl.Sts == 200 && pl.GP >= lg.WaiverGP && pl.Age > lg.WaiverAge)
                veteran = i;
        }
        QVERIFY(veteran >= 0);
        const std::string veteranName = s.Players[0][veteran].Name.str();
        QString before, after, balance;
        whenOpen("DisplayTeam", [&](QWidget* view) {
            before = child<QLabel>(view, "lblPro")->text() + "/" + child<QLabel>(view, "lblFarm")->text();
            whenOpen("Roster", [&](QWidget* roster) {
                press(roster, "cmdAuto");
                clickSlotRow(child<QListWidget>(roster, "list1(2)"), veteran);
                press(roster, "cmdMovePlayer(0)");
                clickSlotRow(child<QListWidget>(roster, "list1(1)"), veteran);
                press(roster, "cmdMovePlayer(2)");
                p.yesNo = {true, true};
                press(roster, "cmdExit");
            });
            press(view, "Command3");
            after = child<QLabel>(view, "lblPro")->text() + "/" + child<QLabel>(view, "lblFarm")->text();
            balance = child<QLabel>(view, "lblProjBal")->text();
            press(view, "Command1");
        });
        child<QAction>(&main, "ViewTeam")->trigger();
        QCOMPARE(said(), "? Keep Roster Changes? [Keep Changes]\n! Roster not complete [Edit Roster]\n? Put " +
                             bb::cp1252ToUtf8(bb::Condense(veteranName)) + " on waivers? [Keep changes?]\n");
        const QStringList b = before.split('/'), a = after.split('/');
        QCOMPARE(a[0].toInt(), b[0].toInt() - 1);
        QCOMPARE(a[1].toInt(), b[1].toInt() + 1);
        QVERIFY(balance.contains('$'));

        // The files. The roster working file holds team 0 as it stands in memory; the team file
        // its committed lines and LinesSet; no other team changed.
        QVERIFY(bb::LoadTeam(s, 0, 0).ok());
        const Bytes ros = readBytes(s.SwapRos), tms = readBytes(s.SwapTms);
        const Bytes leagueRos = readBytes(league + ".ros"), leagueTms = readBytes(league + ".tms");
        QCOMPARE(ros.size(), leagueRos.size());
        QVERIFY(std::equal(ros.begin() + 50 * 86, ros.end(), leagueRos.begin() + 50 * 86));
        QVERIFY(std::equal(tms.begin() + 254, tms.end(), leagueTms.begin() + 254));
        QCOMPARE(s.Players[0][veteran].Sts, std::uint8_t{0});
        for (int x = 0; x < 13; ++x)
            for (int y = 0; y < 5; ++y)
                QCOMPARE(tms[174 + x + 13 * y], bb::lines::isUsedCell(x, y) ? committed[x][y] : std::uint8_t{255});
        QVERIFY(tms[252] == 0xFF && tms[253] == 0xFF);

        // The lines file: team 0, the password padded, the table as Auto left it, 226 bytes.
        const Bytes lns = readBytes(good);
        QCOMPARE(lns.size(), std::size_t{226});
        QCOMPARE(int(lns[0]), 0);
        QCOMPARE(std::string(lns.begin() + 1, lns.begin() + 11), std::string("pass0     "));
        for (int x = 0; x < 13; ++x)
            for (int y = 0; y < 5; ++y)
                if (bb::lines::isUsedCell(x, y))
                    QCOMPARE(lns[11 + x + 13 * y], committed[x][y]);

        // The waiver record and the log line.
        const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(home.path());
        const Bytes waivers = readBytes(files.waivers);
        QCOMPARE(waivers.size(), std::size_t{134});
        QCOMPARE(std::string(waivers.begin(), waivers.begin() + 22), veteranName);
        QCOMPARE(int(waivers[22]), veteran);
        const std::string line = teamName + " place " + bb::Condense(veteranName) + " on waivers<BR><BR>\r\n";
        QCOMPARE(readBytes(files.log), Bytes(line.begin(), line.end()));
        QVERIFY(!fs::exists(files.releases) || readBytes(files.releases).size() % 88 == 0);
    }
};

BB_QTEST_MAIN(WholeRoadTest)
#include "whole_road_test.moc"
