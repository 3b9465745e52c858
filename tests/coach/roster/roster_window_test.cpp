// The roster editor's window: what it draws, how its controls reach the rules, its messages and the
// ways out. The rules themselves are pinned by the logic tests, a whole commit by the road tests.
#include "coach/roster/roster_window.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/league_text.h"
#include "window_controls.h"

#include <QLineEdit>

#include <memory>
#include <vector>

using namespace bb;
using test::clickRow;

class RosterWindowTest : public QObject {
    Q_OBJECT

    test::TempDir dir;
    Session s;
    test::ScriptedPrompter prompter;
    std::unique_ptr<Roster> w;

    void open() { prompter = {}, w = std::make_unique<Roster>(s, prompter), w->show(), w->activateWindow(); }
    QListWidget* list(int k) { return test::child<QListWidget>(w.get(), QString("list1(%1)").arg(k)); }
    PlayerRec& player(int i) { return s.Players[0][static_cast<std::size_t>(i)]; }
    bool changed() const { return w->work().RosterChanged; }
    // The list that shows roster slot p, and the row.
    int where(int p) { return test::slotRow(list(0), p) ? 0 : test::slotRow(list(1), p) ? 1 : 2; }
    QListWidgetItem* row(int p) { return test::slotRow(list(where(p)), p); }
    std::string press(const QString& button) { return test::press(w.get(), button), prompter.take(); }
    std::string move(int p, int b) { return clickRow(row(p)), press(QString("cmdMovePlayer(%1)").arg(b)); }
    // The first listed player that fits.
    template <class F> int find(F fits)
    {
        for (int i = 0; i < RosterSize; ++i)
            if (!player(i).isEmpty() && player(i).Released == 0 && fits(player(i)))
                return i;
        qFatal("no such player in the demo team");
    }

  private slots:
    void initTestCase()
    {
        s.init(dir.path());
        QVERIFY(demo::writeDemoLeague(dir.path(), {}).ok());
    }
    // Team 0 of the generated league, loaded as Coach > Set Game Roster loads it: 20 dressed in a
    // complete mix, four scratches (two injured), an injured and a released farm player.
    void init() { QVERIFY(LoadLg(s, (dir / "demo").string()).ok() && LoadTeam(s, 0, 0).ok()); }

    void listsPanelAndCard()
    {
        // Sorted ignoring case: a farm player renamed for the purpose. At its preferred size, a
        // whole game roster is in view.
        player(find([](const PlayerRec& p) { return p.Sts == 0; })).Name.assign("aaron");
        open();
        w->resize(w->sizeHint());
        QCoreApplication::sendPostedEvents();
        QVERIFY(list(2)->height() >= 21 * list(2)->sizeHintForRow(0));
        for (int k = 0; k < 3; ++k)
            for (int r = 1; r < list(k)->count(); ++r)
                QVERIFY(list(k)->item(r - 1)->text().compare(list(k)->item(r)->text(), Qt::CaseInsensitive) <=
                        0);

        // A click sets CurPlayer and fills the panel; a goalie's DF and SC read "na" and are locked.
        const int goalie = find([](const PlayerRec& p) { return p.Sts == 200 && p.Pos == PosG; });
        clickRow(row(goalie));
        QCOMPARE(test::texts(w.get(), "txtPos txtRating(9) txtRating(10)"), "G|na|na|");
        QVERIFY(s.CurPlayer == goalie && test::child<QLineEdit>(w.get(), "txtRating(9)")->isReadOnly());

        // A double click, outside protect mode, opens the card of that player; so does Enter.
        QString cards;
        w->openPlayerCard = [&] { cards += QString::number(s.CurPlayer) + " "; };
        clickRow(row(goalie), true);
        QTest::keyClick(list(2), Qt::Key_Return);
        QCOMPARE(cards, QString("%1 %1 ").arg(goalie));

        // Filters hide rows, not counts.
        press("Check1(4)");
        QVERIFY(list(2)->count() == 18 && test::texts(w.get(), "Label5") == "Roster Complete|" && !changed());
    }

    void movesEditsAndTheWaysOut()
    {
        // The selected rows, and only they, go through the button's rule: an injured scratch is
        // refused, a healthy one dressed.
        const int scratch = find([](const PlayerRec& p) { return p.Sts == 100 && p.Susp == 0; });
        const int injured = find([](const PlayerRec& p) { return p.Sts > 100 && p.Sts < 200; });
        open();
        clickRow(row(injured));
        clickRow(row(scratch), false, Qt::ControlModifier);
        QCOMPARE(QString::fromStdString(press("cmdMovePlayer(1)")),
                 "! " + ui::leagueText(player(injured).Name.str()) + " is unavailable [] ");
        QVERIFY(where(scratch) == 2 && where(injured) == 1 && list(1)->count() == 4);

        // The name changes on Enter, into the league's code page; a rating is stored on Enter, and
        // leaving its box shows the stored one again.
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        clickRow(row(scratch));
        auto* name = test::child<QLineEdit>(w.get(), "txtName");
        auto* it = test::child<QLineEdit>(w.get(), "txtRating(0)");
        name->setText(QString::fromUtf8("Zo\u00EB \u0141ast"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(row(scratch)->text(), QString::fromUtf8("Zo\u00EB ?ast") + QString(14, ' '));
        it->setText("55.7");
        QTest::keyClick(it, Qt::Key_Return);
        it->setText("14.9");
        it->setFocus();
        list(1)->setFocus();
        QVERIFY(player(scratch).Skill[0] == 55 && it->text() == "55");

        // Esc does nothing at all; the close box warns and drops the work.
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible() && changed() && prompter.take().empty());
        w->close();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Rejected);
        QCOMPARE(prompter.take(), "! Changes were not saved [Edit Roster, stop] ");

        // Exit, Yes, and the roster cannot be stored: told so, and the window stays with the work.
        // The next Exit, No, closes it without storing anything.
        const int p = s.Teams[0].LineSlots[0][0];
        open();
        move(p, 0);
        std::filesystem::rename(s.SwapRos, dir / "away");
        prompter.yesNo = {true};
        QVERIFY(press("cmdExit").starts_with("? Keep Roster Changes? [Keep Changes] ! Roster not complete "
                                             "[Edit Roster, stop] ! The roster could not be saved.\r"));
        QVERIFY(w->isVisible() && changed() && player(p).Sts == 200 && where(p) == 1);
        std::filesystem::rename(dir / "away", s.SwapRos);
        QCOMPARE(press("cmdExit"), "? Keep Roster Changes? [Keep Changes] ");
        QVERIFY(!w->isVisible() && player(p).Sts == 200);

        // Exit, Yes, stored: the scratched player comes off the lines, which are to be set again.
        open();
        move(p, 0);
        prompter.yesNo = {true};
        press("cmdExit");
        QVERIFY(w->result() == QDialog::Accepted && s.Teams[0].LineSlots[0][0] == NoPlayer &&
                !s.Teams[0].LinesSet);
    }

    void protectMode()
    {
        // Every forward protected (farm players count too) and five defencemen, the first a
        // rookie; the sixth defenceman can only come on once another goes off.
        std::vector<int> d;
        for (int i = 0; i < RosterSize; ++i) {
            PlayerRec& p = player(i);
            p.Protected.set(!p.isEmpty() && p.Pos <= PosRW), p.Rookie.set(false);
            if (!p.isEmpty() && p.Pos == PosD && p.Released == 0 && d.size() < 6)
                d.push_back(i), p.Protected.set(d.size() < 6), p.Rookie.set(d.size() == 1);
        }
        const int rookie = d[0], sixth = d[5];
        const QString bare = ui::leagueText(player(rookie).Name.str());
        open();
        w->openPlayerCard = [] { QFAIL("no card in protect mode"); };
        press("chkProtect");
        QCOMPARE(row(rookie)->text(), bare + "*");

        // Refused without a word: nothing changes, not even RosterChanged.
        clickRow(row(sixth), true);
        QVERIFY(!player(sixth).Protected && !changed() && !row(sixth)->text().endsWith("*"));
        // Taken off, always allowed: the rookie's row loses its mark until the next refresh. Then
        // the sixth comes on. Each row changes in place and stays current.
        for (const int p : {rookie, sixth}) {
            QListWidget* l = row(p)->listWidget();
            const int at = l->row(row(p));
            clickRow(row(p), true);
            QVERIFY(l->currentRow() == at && l->currentItem()->text().endsWith("*") == (p == sixth));
        }
        QVERIFY(!player(rookie).Protected && player(sixth).Protected.raw == -1 && changed());
        press("chkProtect"), press("chkProtect");
        QCOMPARE(row(rookie)->text(), bare + "*");
    }
};

BB_QTEST_MAIN(RosterWindowTest)
#include "roster_window_test.moc"
