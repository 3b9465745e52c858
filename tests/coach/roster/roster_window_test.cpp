#include "coach/roster/roster_window.h"

#include "core/league_io.h"
#include "core/text.h"
#include "demo_league.h"
#include "file_bytes.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/league_text.h"
#include "window_controls.h"

#include <QLineEdit>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

using namespace bb;
using test::Bytes;
using test::readBytes;

class RosterWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<Session> s;
    test::ScriptedPrompter prompter;
    std::unique_ptr<Roster> w;

    void open()
    {
        prompter = {};
        w = std::make_unique<Roster>(*s, prompter);
        w->show();
    }
    QListWidget* list(int k) { return test::child<QListWidget>(w.get(), QString("list1(%1)").arg(k)); }
    QString text(const QString& name) { return test::child(w.get(), name)->property("text").toString(); }
    PlayerRec& player(int i) { return s->Players[0][static_cast<std::size_t>(i)]; }
    bool changed() const { return w->work().RosterChanged; }
    // The list that shows roster slot p (-1: none), and the row.
    int where(int p)
    {
        for (int k = 0; k < 3; ++k)
            if (test::slotRow(list(k), p))
                return k;
        return -1;
    }
    QListWidgetItem* row(int p) { return where(p) < 0 ? nullptr : test::slotRow(list(where(p)), p); }
    std::string press(const QString& button)
    {
        test::press(w.get(), button);
        return prompter.take();
    }
    std::string move(int p, int button)
    {
        test::clickRow(row(p));
        return press(QString("cmdMovePlayer(%1)").arg(button));
    }
    // The first listed player that fits.
    template <class F> int find(F fits)
    {
        for (int i = 0; i < RosterSize; ++i)
            if (!player(i).isEmpty() && player(i).Released == 0 && fits(player(i)))
                return i;
        qFatal("no such player in the demo team");
    }

  private slots:
    // Team 0 of the generated league, loaded as Coach > Set Game Roster loads it: 20 dressed in a
    // complete mix, four scratches (two injured), an injured and a released farm player.
    void init()
    {
        dir = std::make_unique<test::TempDir>();
        QVERIFY(demo::writeDemoLeague(dir->path(), {}).ok());
        s = std::make_unique<Session>();
        s->init(dir->path());
        QVERIFY(LoadLg(*s, (dir->path() / "demo").string()).ok());
        QVERIFY(LoadTeam(*s, 0, 0).ok());
    }
    void cleanup()
    {
        w.reset();
        s.reset();
        dir.reset();
    }

    void opensWithListsAndPanel()
    {
        // Sorted ignoring case: a farm player renamed for the purpose.
        player(find([](const PlayerRec& p) { return p.Sts == 0; })).Name.assign("aaron");
        open();
        QCOMPARE(text("Label1"), "Roster of the " + ui::leagueText(s->Teams[0].Name.str()));
        const int counts[3] = {17, 5, 20}; // the injured farm player is a scratch now
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(list(k)->count(), counts[k]);
            for (int r = 1; r < list(k)->count(); ++r)
                QVERIFY(list(k)->item(r - 1)->text().compare(list(k)->item(r)->text(), Qt::CaseInsensitive) <=
                        0);
        }
        QCOMPARE(list(0)->item(0)->text(), "aaron" + QString(17, ' '));

        // A click sets CurPlayer and fills the panel; a goalie's DF and SC read "na" and are locked.
        const int goalie = find([](const PlayerRec& p) { return p.Sts == 200 && p.Pos == PosG; });
        test::clickRow(row(goalie));
        QCOMPARE(int(s->CurPlayer), goalie);
        QCOMPARE(test::texts(w.get(), "txtPos txtRating(9) txtRating(10)"), "G|na|na|");
        QVERIFY(test::child<QLineEdit>(w.get(), "txtRating(9)")->isReadOnly());

        // A double click, outside protect mode, opens the card of that player; so does Enter.
        int card = -1;
        w->openPlayerCard = [&] { card = s->CurPlayer; };
        test::clickRow(row(goalie), true);
        QCOMPARE(card, goalie);
        card = -1;
        QTest::keyClick(list(2), Qt::Key_Return);
        QCOMPARE(card, goalie);

        // Filters hide rows, not counts.
        test::press(w.get(), "Check1(4)");
        QVERIFY(list(2)->count() == 18 && text("Label5") == "Roster Complete" && !changed());
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the editor shrinks to it and
    // scrolls. At its preferred size, a whole game roster in view, it fits 1366 x 768 at 125 %.
    void fitsSmallScreens()
    {
        open();
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint()), want = w->sizeHint();
        QCOMPARE_LE(least.width(), 910);
        QCOMPARE_LE(least.height(), 470);
        QCOMPARE_LE(want.width(), 1090);
        QCOMPARE_LE(want.height(), 550);
        w->resize(want);
        QCoreApplication::sendPostedEvents();
        QVERIFY(list(2)->height() >= 21 * list(2)->sizeHintForRow(0));
    }

    void editsNameAndRating()
    {
        const int p = find([](const PlayerRec& q) { return q.Sts == 200 && q.Pos == PosC; });
        open();
        test::clickRow(row(p));
        // The name changes on Enter, into the league's code page; a rating is stored on Enter, and
        // leaving its box shows the stored one again.
        auto* name = test::child<QLineEdit>(w.get(), "txtName");
        auto* it = test::child<QLineEdit>(w.get(), "txtRating(0)");
        name->setText(QString::fromUtf8("Zo\u00EB \u0141ast"));
        QVERIFY(player(p).Name[0] != 'Z');
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(row(p)->text(), QString::fromUtf8("Zo\u00EB ?ast") + QString(14, ' '));
        it->setText("55.7");
        QTest::keyClick(it, Qt::Key_Return);
        it->setText("14.9");
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        it->setFocus();
        list(1)->setFocus();
        QVERIFY(player(p).Skill[0] == 55 && it->text() == "55" && !changed());
    }

    void escCloseBoxAndExit()
    {
        // Esc does nothing at all; the close box warns and drops the work.
        const int p = find([](const PlayerRec& q) { return q.Sts == 200; });
        open();
        move(p, 0);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible() && changed() && where(p) == 1 && prompter.take().empty());
        w->close();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Rejected);
        QCOMPARE(prompter.take(), "! Changes were not saved [Edit Roster, stop] ");

        // Exit, Yes, and the roster cannot be stored: told so, and the window stays with the work.
        // The next Exit, No, closes it without storing anything.
        open();
        move(p, 0);
        const auto away = dir->path() / "away";
        std::filesystem::rename(s->SwapRos, away);
        prompter.yesNo = {true};
        const std::string told = press("cmdExit");
        QVERIFY2(told.starts_with(
                     "? Keep Roster Changes? [Keep Changes] ! Roster not complete [Edit Roster, stop] "
                     "! The roster could not be saved.\r"),
                 told.c_str());
        QVERIFY(w->isVisible() && changed() && player(p).Sts == 200 && where(p) == 1);
        std::filesystem::rename(away, s->SwapRos);
        const Bytes ros = readBytes(s->SwapRos);
        QCOMPARE(press("cmdExit"), "? Keep Roster Changes? [Keep Changes] ");
        QVERIFY(!w->isVisible() && readBytes(s->SwapRos) == ros && player(p).Sts == 200);
    }

    // A whole edit: a veteran sent down through waivers, a scratch dressed (an injured one with
    // him is refused), a farm player called up; the changes kept.
    void wholeEditReachesTheFiles()
    {
        const Bytes rosBefore = readBytes(s->SwapRos), tmsBefore = readBytes(s->SwapTms);
        const int veteran = find([&](const PlayerRec& p) {
            return p.Sts == 200 && p.Pos <= PosRW && p.GP >= s->League.WaiverGP &&
                   p.Age > s->League.WaiverAge;
        });
        const int scratch = find([](const PlayerRec& p) { return p.Sts == 100 && p.Susp == 0; });
        const int injured = find([](const PlayerRec& p) { return p.Sts > 100 && p.Sts < 200; });
        const int farm = find([](const PlayerRec& p) { return p.Sts == 0 && p.Susp == 0; });
        const std::string vetName = player(veteran).Name.str(), injuredName = player(injured).Name.str();

        open();
        move(veteran, 0);
        move(veteran, 2);
        test::clickRow(row(injured));
        test::clickRow(row(scratch), false, Qt::ControlModifier);
        QCOMPARE(press("cmdMovePlayer(1)"),
                 "! " + cp1252ToUtf8(injuredName.substr(0, injuredName.find('\0'))) + " is unavailable [] ");
        QCOMPARE(move(farm, 3), "");
        QVERIFY(where(veteran) == 0 && where(scratch) == 2 && where(farm) == 1 && where(injured) == 1);
        const bool complete = text("Label5") == "Roster Complete";
        prompter.yesNo = {true, true};
        const double from = roster::oleDateNow();
        QCOMPARE(press("cmdExit"),
                 "? Keep Roster Changes? [Keep Changes] " +
                     std::string(complete ? "" : "! Roster not complete [Edit Roster, stop] ") + "? Put " +
                     cp1252ToUtf8(Condense(vetName)) + " on waivers? [Keep changes?] ");
        const double to = roster::oleDateNow();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted);

        // The roster working file: team 0's records only, with the new statuses, injured players
        // among the scratches, empty and released slots as zeros. The team record as it was.
        Bytes want = rosBefore;
        for (int i = 0; i < RosterSize; ++i) {
            std::uint8_t* rec = want.data() + i * PlayerRec::Size;
            std::uint8_t& sts = rec[30];
            if (rec[0] == 0 || rec[75] == 1)
                std::fill_n(rec, PlayerRec::Size, 0);
            else if (i == veteran || i == scratch || i == farm)
                sts = i == veteran ? 0 : i == scratch ? 200 : 100;
            else if (sts % 100)
                sts = static_cast<std::uint8_t>(100 + sts % 100);
        }
        QVERIFY(readBytes(s->SwapRos) == want);
        QVERIFY(readBytes(s->SwapTms) == tmsBefore);

        // The waiver record as placed now, and the log line.
        const Bytes waivers = readBytes(dir->path() / "waivers.dat");
        QCOMPARE(waivers.size(), std::size_t{134});
        roster::WaiverRec placed =
            roster::WaiverRec::decode(std::span<const std::uint8_t, 134>(waivers.data(), 134));
        QVERIFY(placed.Placed >= from - 1e-6 && placed.Placed <= to + 1e-6);
        std::tie(placed.Name, placed.Ply, placed.Team) = std::tuple(player(veteran).Name, veteran, 0);
        std::tie(placed.Fld32, placed.Fld33, placed.Fld132) = std::tuple(255, 0, -1);
        placed.TeamFlags = {};
        std::fill_n(placed.TeamFlags.begin(), s->League.MaxTeam, -1);
        QVERIFY(test::bytesOf(placed.encoded()) == waivers);
        QVERIFY(readBytes(dir->path() / "transactions.log") ==
                test::bytesOf(Condense(s->Teams[0].Name.str()) + " place " + Condense(vetName) +
                              " on waivers<BR><BR>\r\n"));
        // The veteran is off the lines in memory, and the lines are to be set again.
        for (const auto& line : s->Teams[0].LineSlots)
            QVERIFY(std::count(line.begin(), line.end(), veteran) == 0);
        QVERIFY(!s->Teams[0].LinesSet);
    }

    void protectMode()
    {
        // Ten forwards protected already (farm players count too), none of the defencemen yet;
        // the sixth defenceman a rookie.
        int forwards = 0;
        std::vector<int> defence;
        for (int i = 0; i < RosterSize; ++i) {
            PlayerRec& p = player(i);
            p.Protected.set(!p.isEmpty() && p.Pos <= PosRW && forwards++ < 10);
            p.Rookie.set(false);
            if (!p.isEmpty() && p.Pos == PosD && p.Released == 0)
                defence.push_back(i);
        }
        const int rookie = defence.at(5);
        player(rookie).Rookie.set(true);
        const QString bare = ui::leagueText(player(rookie).Name.str());
        int card = 0;
        open();
        w->openPlayerCard = [&] { ++card; };
        test::press(w.get(), "chkProtect");
        QCOMPARE(row(rookie)->text(), bare + "*");

        // Five defencemen are accepted; each row gains its mark in place and stays current.
        for (int i = 0; i < 5; ++i) {
            QListWidget* l = row(defence[i])->listWidget();
            const int at = l->row(row(defence[i]));
            test::clickRow(row(defence[i]), true);
            QVERIFY(player(defence[i]).Protected.raw == -1 && changed());
            QVERIFY(l->currentRow() == at && l->currentItem()->text().endsWith("*"));
        }
        // A sixth is refused without a word: nothing changes, not even RosterChanged.
        open();
        test::press(w.get(), "chkProtect");
        test::clickRow(row(rookie), true);
        QVERIFY(!player(rookie).Protected && !changed() && row(rookie)->text() == bare + "*");
        // Taken off the list: always allowed, and no card opens. A rookie's row loses its mark
        // until the next refresh.
        test::clickRow(row(defence[0]), true);
        test::clickRow(row(rookie), true);
        QVERIFY(player(rookie).Protected && changed() && card == 0);
        test::clickRow(row(rookie), true);
        QVERIFY(!player(rookie).Protected && row(rookie)->text() == bare);
        test::press(w.get(), "chkProtect");
        test::press(w.get(), "chkProtect");
        QCOMPARE(row(rookie)->text(), bare + "*");
    }
};

BB_QTEST_MAIN(RosterWindowTest)
#include "roster_window_test.moc"
