#include "coach/roster/roster_window.h"

#include "core/league_io.h"
#include "core/ratings.h"
#include "core/text.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/league_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using namespace bb;
using Bytes = std::vector<std::uint8_t>;

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
    template <class T = QWidget> T* get(const QString& name)
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control named %s", qPrintable(name));
        return c;
    }
    QListWidget* list(int k) { return get<QListWidget>(QString("list1(%1)").arg(k)); }
    QString text(const QString& name) { return get(name)->property("text").toString(); }
    PlayerRec& player(int i) { return s->Players[0][static_cast<std::size_t>(i)]; }
    bool changed() const { return w->work().RosterChanged; }

    // Where the row of list1(k) that shows roster slot p is, scrolled into view.
    QPoint at(int k, int p)
    {
        for (int r = 0; r < list(k)->count(); ++r)
            if (list(k)->item(r)->data(Qt::UserRole).toInt() == p) {
                list(k)->scrollToItem(list(k)->item(r));
                return list(k)->visualItemRect(list(k)->item(r)).center();
            }
        qFatal("roster slot %d is not in list %d", p, k);
    }
    // Clicks the rows of list1(k) that show the given roster slots, Ctrl held after the first.
    void select(int k, std::initializer_list<int> which)
    {
        Qt::KeyboardModifiers mods;
        for (int p : which) {
            QTest::mouseClick(list(k)->viewport(), Qt::LeftButton, mods, at(k, p));
            mods = Qt::ControlModifier;
        }
    }
    bool listed(int k, int p)
    {
        for (int r = 0; r < list(k)->count(); ++r)
            if (list(k)->item(r)->data(Qt::UserRole).toInt() == p)
                return true;
        return false;
    }
    std::string press(const QString& button)
    {
        get<QPushButton>(button)->click();
        return prompter.take();
    }
    // The first listed player that fits.
    template <class F> int find(F fits)
    {
        for (int i = 0; i < RosterSize; ++i)
            if (!player(i).isEmpty() && player(i).Released == 0 && fits(player(i)))
                return i;
        qFatal("no such player in the demo team");
    }
    static Bytes read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
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
        QCOMPARE(w->windowTitle(), "Set Game Roster");
        QCOMPARE(text("Label1"), "Roster of the " + ui::leagueText(s->Teams[0].Name.str()));
        QVERIFY(get("Label1")->accessibleName().isEmpty() && get("Label5")->accessibleName().isEmpty());
        QCOMPARE(text("Label6") + "|" + text("Label3") + "|" + text("Label2") + "|" + text("Label5"),
                 "Farm Roster|Scratches|Game Roster|Roster Complete");
        const QString names[3] = {"Farm Roster", "Scratches", "Game Roster"};
        const int counts[3] = {17, 5, 20}; // the injured farm player is a scratch now
        for (int k = 0; k < 3; ++k) {
            QVERIFY(list(k)->accessibleName() == names[k] && list(k)->count() == counts[k]);
            QCOMPARE(list(k)->selectionMode(), QAbstractItemView::ExtendedSelection);
            for (int r = 1; r < list(k)->count(); ++r)
                QVERIFY(list(k)->item(r - 1)->text().compare(list(k)->item(r)->text(), Qt::CaseInsensitive) <=
                        0);
        }
        QCOMPARE(list(0)->item(0)->text(), "aaron" + QString(17, ' '));
        QString buttons;
        for (int i = 0; i < 4; ++i) {
            const auto* b = get<QPushButton>(QString("cmdMovePlayer(%1)").arg(i));
            buttons += b->text() + ":" + b->toolTip() + (b->autoDefault() ? "!" : "") + "|";
        }
        QCOMPARE(buttons, "Scratch:Game Roster to Scratches|Dress:Scratches to Game Roster|"
                          "Send Down:Scratches to Farm Roster|Call Up:Farm Roster to Scratches|");

        // A click sets CurPlayer and fills the panel; a goalie's DF and SC read "na" and are locked.
        const int goalie = find([](const PlayerRec& p) { return p.Sts == 200 && p.Pos == PosG; });
        select(2, {goalie});
        QCOMPARE(int(s->CurPlayer), goalie);
        QCOMPARE(text("txtName"), ui::leagueText(player(goalie).Name.str()));
        QCOMPARE(text("txtPos") + text("txtRating(9)") + text("txtRating(10)"), "Gnana");
        QVERIFY(get<QLineEdit>("txtRating(9)")->isReadOnly());
        QCOMPARE(text("txtRating(0)"), QString::number(player(goalie).Skill[0]));
        const int skater = find([](const PlayerRec& p) { return p.Sts == 200 && p.Pos == PosD; });
        select(2, {skater});
        QVERIFY(text("txtPos") == "D" && !get<QLineEdit>("txtRating(9)")->isReadOnly());

        // A double click, outside protect mode, opens the card of that player; so does Enter.
        int card = -1;
        w->openPlayerCard = [&] { card = s->CurPlayer; };
        select(2, {goalie});
        QTest::mouseDClick(list(2)->viewport(), Qt::LeftButton, {}, at(2, goalie));
        QCOMPARE(card, goalie);
        card = -1;
        QTest::keyClick(list(2), Qt::Key_Return); // the same from the keyboard
        QCOMPARE(card, goalie);

        // Filters hide rows, not counts.
        get<QCheckBox>("Check1(4)")->click();
        QVERIFY(list(2)->count() == 18 && text("Label5") == "Roster Complete" && !changed());
    }

    // Tab goes through the lists with the buttons between them, the filters, the boxes that can
    // be changed and the buttons; the boxes that only show are passed by.
    void tabWalksInReadingOrder()
    {
        open();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget(), list(2));
        QStringList walk;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walk << QApplication::focusWidget()->objectName();
            if (QApplication::focusWidget() == list(2))
                break;
        }
        QStringList want = {"Check1(0)", "Check1(1)",  "Check1(2)", "Check1(3)",
                            "Check1(4)", "chkProtect", "txtName"};
        for (int k = 0; k < 13; ++k)
            want << QString("txtRating(%1)").arg(k);
        want << "cmdAuto"
             << "cmdExit"
             << "list1(0)"
             << "cmdMovePlayer(3)"
             << "cmdMovePlayer(2)"
             << "list1(1)"
             << "cmdMovePlayer(1)"
             << "cmdMovePlayer(0)"
             << "list1(2)";
        QCOMPARE(walk, want);
        for (const char* shows : {"txtOverall", "txtAge", "txtHand", "txtPos"})
            QCOMPARE(get(shows)->focusPolicy(), Qt::ClickFocus);
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the editor shrinks to it and
    // scrolls. At its preferred size, a whole game roster in view, it fits 1366 x 768 at 125 %.
    void fitsSmallScreens()
    {
        open();
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        QVERIFY2(least.width() <= 910 && least.height() <= 470,
                 qPrintable(QString("minimum %1x%2 at ratio %3")
                                .arg(least.width())
                                .arg(least.height())
                                .arg(w->devicePixelRatioF())));
        const QSize want = w->sizeHint();
        QVERIFY2(want.width() <= 1090 && want.height() <= 550,
                 qPrintable(QString("preferred %1x%2").arg(want.width()).arg(want.height())));
        w->resize(want);
        QCoreApplication::sendPostedEvents();
        QVERIFY(list(2)->height() >= 21 * list(2)->sizeHintForRow(0));
        w->resize(910, 470);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(w->size(), QSize(910, 470));
    }

    void editsNameAndRating()
    {
        const int p = find([](const PlayerRec& q) { return q.Sts == 200 && q.Pos == PosC; });
        open();
        select(2, {p});
        // The name changes on Enter only; a character the league's code page lacks becomes '?'.
        const std::string before = player(p).Name.str();
        auto* name = get<QLineEdit>("txtName");
        name->setText(QString::fromUtf8("Zo\u00EB \u0141ast"));
        QCOMPARE(player(p).Name.str(), before);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(player(p).Name.str(), "Zo\xEB ?ast" + std::string(14, ' '));
        QCOMPARE(list(2)->itemAt(at(2, p))->text(), QString::fromUtf8("Zo\u00EB ?ast") + QString(14, ' '));
        QVERIFY(list(2)->selectedItems().isEmpty());

        // Focus arriving in a list chooses nobody; a rating is stored on Enter, and leaving the box
        // shows the stored one again.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(int(s->CurPlayer), p);
        auto* it = get<QLineEdit>("txtRating(0)");
        it->setFocus();
        it->setText("55.7");
        QTest::keyClick(it, Qt::Key_Return);
        QVERIFY(player(p).Skill[0] == 55 && text("txtOverall") == QString::number(*overallOf(player(p))));
        it->setText("14.9");
        QTest::keyClick(it, Qt::Key_Return);
        QVERIFY(player(p).Skill[0] == 55 && it->text() == "14.9");
        list(1)->setFocus();
        QCOMPARE(it->text(), "55");
        QVERIFY(!changed() && prompter.take().empty());
    }

    void escCloseBoxAndExit()
    {
        const int p = find([](const PlayerRec& q) { return q.Sts == 200; });
        open();
        w->close(); // nothing pending: nothing said
        QVERIFY(!w->isVisible() && prompter.take().empty());

        // Esc does nothing at all, wherever the keyboard is; the close box warns and drops the work.
        open();
        select(2, {p});
        press("cmdMovePlayer(0)");
        const auto moved = w->work().RosterStatus;
        QTest::keyClick(list(1), Qt::Key_Escape);
        QTest::keyClick(get("txtRating(3)"), Qt::Key_Escape);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible() && changed() && w->work().RosterStatus == moved && listed(1, p));
        QVERIFY(prompter.take().empty());
        w->close();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Rejected);
        QCOMPARE(prompter.take(), "! Changes were not saved [Edit Roster, stop] ");

        // Exit, Yes, and the roster cannot be stored: told so, and the window stays with the work.
        // The next Exit, No, closes it without storing anything.
        open();
        select(2, {p});
        press("cmdMovePlayer(0)");
        const auto away = dir->path() / "away";
        std::filesystem::rename(s->SwapRos, away);
        prompter.yesNo = {true};
        const std::string told = press("cmdExit");
        QVERIFY2(told.rfind("? Keep Roster Changes? [Keep Changes] ! Roster not complete [Edit Roster, stop] "
                            "! The roster could not be saved.\r",
                            0) == 0,
                 told.c_str());
        QVERIFY(w->isVisible() && changed() && player(p).Sts == 200 && listed(1, p));
        std::filesystem::rename(away, s->SwapRos);
        const Bytes ros = read(s->SwapRos);
        QCOMPARE(press("cmdExit"), "? Keep Roster Changes? [Keep Changes] ");
        QVERIFY(!w->isVisible() && read(s->SwapRos) == ros && player(p).Sts == 200);
    }

    // A whole edit: a veteran sent down through waivers, a scratch dressed (an injured one with
    // him is refused), a farm player called up; the changes kept.
    void wholeEditReachesTheFiles()
    {
        const Bytes rosBefore = read(s->SwapRos);
        const Bytes tmsBefore = read(s->SwapTms);
        const int veteran = find([&](const PlayerRec& p) {
            return p.Sts == 200 && p.Pos <= PosRW && p.GP >= s->League.WaiverGP &&
                   p.Age > s->League.WaiverAge;
        });
        const int scratch = find([](const PlayerRec& p) { return p.Sts == 100 && p.Susp == 0; });
        const int injured = find([](const PlayerRec& p) { return p.Sts > 100 && p.Sts < 200; });
        const int farm = find([](const PlayerRec& p) { return p.Sts == 0 && p.Susp == 0; });
        int released = 0;
        while (player(released).Released != 1)
            ++released;
        PlayerRec releasedRec = player(released);
        const std::string vetName = player(veteran).Name.str();
        const std::string injuredName = player(injured).Name.str();
        const auto onLines = [&] {
            int cells = 0;
            for (const auto& line : s->Teams[0].LineSlots)
                cells += static_cast<int>(std::count(line.begin(), line.end(), veteran));
            return cells;
        };
        QVERIFY(onLines() > 0);

        open();
        select(2, {veteran});
        press("cmdMovePlayer(0)");
        select(1, {veteran});
        press("cmdMovePlayer(2)");
        select(1, {injured, scratch});
        QCOMPARE(press("cmdMovePlayer(1)"),
                 "! " + cp1252ToUtf8(injuredName.substr(0, injuredName.find('\0'))) + " is unavailable [] ");
        select(0, {farm});
        QCOMPARE(press("cmdMovePlayer(3)"), "");
        QVERIFY(listed(0, veteran) && listed(2, scratch) && listed(1, farm) && listed(1, injured));
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
        QVERIFY(read(s->SwapRos) == want);
        QVERIFY(read(s->SwapTms) == tmsBefore);

        // The waiver record and the log line; the released player's record, Released written 0.
        const Bytes waivers = read(dir->path() / "waivers.dat");
        QCOMPARE(waivers.size(), std::size_t{134});
        const auto rec = roster::WaiverRec::decode(std::span<const std::uint8_t, 134>(waivers.data(), 134));
        QVERIFY(rec.Name.str() == vetName && rec.Ply == veteran && rec.Team == 0 && rec.Fld33 == 0);
        QVERIFY(rec.Placed >= from - 1e-6 && rec.Placed <= to + 1e-6 && rec.Fld32 == 255 && rec.Fld132 == -1);
        for (int k = 0; k < 49; ++k)
            QCOMPARE(rec.TeamFlags[static_cast<std::size_t>(k)],
                     std::int16_t(k < s->League.MaxTeam ? -1 : 0));
        const std::string line =
            Condense(s->Teams[0].Name.str()) + " place " + Condense(vetName) + " on waivers<BR><BR>\r\n";
        QVERIFY(read(dir->path() / "transactions.log") == Bytes(line.begin(), line.end()));
        releasedRec.Released = 0;
        const auto releasedBytes = releasedRec.encoded();
        Bytes release = {0, 0};
        release.insert(release.end(), releasedBytes.begin(), releasedBytes.end());
        QVERIFY(read(dir->path() / "released.dat") == release);

        // The veteran is off the lines in memory, and the lines are to be set again.
        QVERIFY(onLines() == 0 && !s->Teams[0].LinesSet);
    }

    void autoRosterAndExit()
    {
        // Three dressed forwards scratched first: Auto drops that move and dresses a complete roster.
        open();
        std::vector<int> moved;
        for (int i = 0; i < RosterSize && moved.size() < 3; ++i)
            if (player(i).Sts == 200 && player(i).Pos <= PosRW && player(i).Released == 0)
                moved.push_back(i);
        for (int p : moved) {
            select(2, {p});
            press("cmdMovePlayer(0)");
        }
        QCOMPARE(text("Label5"), "17 Total Players");
        QCOMPARE(press("cmdAuto"), "");
        QVERIFY(text("Label5") == "Roster Complete" && changed() && list(2)->count() == 20);
        prompter.yesNo = {true};
        QCOMPARE(press("cmdExit"), "? Keep Roster Changes? [Keep Changes] ");
        QVERIFY(LoadTeam(*s, 0, 0).ok());
        int dressed = 0;
        for (const PlayerRec& p : s->Players[0])
            dressed += p.Sts == 200;
        QCOMPARE(dressed, 20);

        // Too few players of any kind, or in all: told so, and nothing changes.
        for (auto& p : s->Players[0])
            if (p.Pos == PosG && p.Sts % 100 == 0 && p.Sts < 200)
                p = PlayerRec{};
        int goalies = 0;
        for (auto& p : s->Players[0])
            if (p.Pos == PosG && !p.isEmpty() && ++goalies > 1)
                p = PlayerRec{};
        open();
        QCOMPARE(press("cmdAuto"), "! Not enough players [Auto Roster, info] ");
        QVERIFY(!changed());
    }

    void protectMode()
    {
        // Ten forwards protected already (farm players count too), none of the defencemen yet.
        int forwards = 0;
        for (auto& p : s->Players[0]) {
            p.Protected.set(!p.isEmpty() && p.Pos <= PosRW && forwards++ < 10);
            p.Rookie.set(false);
        }
        std::vector<int> defence;
        for (int i = 0; i < RosterSize; ++i)
            if (!player(i).isEmpty() && player(i).Pos == PosD && player(i).Released == 0)
                defence.push_back(i);
        QVERIFY(defence.size() >= 6);
        const int rookie = defence[5];
        player(rookie).Rookie.set(true);
        open();
        get<QCheckBox>("chkProtect")->click();
        const auto rowOf = [&](int p) {
            for (int k = 0; k < 3; ++k)
                if (listed(k, p))
                    return std::pair{k, list(k)->row(list(k)->itemAt(at(k, p)))};
            qFatal("not listed");
        };
        const auto rowText = [&](int p) {
            const auto [k, r] = rowOf(p);
            return list(k)->item(r)->text();
        };
        const QString bare = ui::leagueText(player(rookie).Name.str());
        QCOMPARE(rowText(rookie), bare + "*");

        // Five defencemen are accepted; each row gains its mark in place and stays current.
        for (int i = 0; i < 5; ++i) {
            const auto [k, r] = rowOf(defence[i]);
            select(k, {defence[i]});
            QTest::mouseDClick(list(k)->viewport(), Qt::LeftButton, {}, at(k, defence[i]));
            QVERIFY(player(defence[i]).Protected.raw == -1 && changed());
            QVERIFY(list(k)->row(list(k)->currentItem()) == r &&
                    list(k)->currentItem()->text().endsWith("*"));
        }
        // A sixth is refused without a word: nothing changes, not even RosterChanged.
        open();
        get<QCheckBox>("chkProtect")->click();
        select(rowOf(rookie).first, {rookie});
        QTest::mouseDClick(list(rowOf(rookie).first)->viewport(), Qt::LeftButton, {},
                           at(rowOf(rookie).first, rookie));
        QVERIFY(!player(rookie).Protected && !changed() && rowText(rookie) == bare + "*");
        // Taken off the list: always allowed; the row loses its mark (a rookie's too, until the next
        // refresh) and no card opens in protect mode.
        int card = 0;
        w->openPlayerCard = [&] { ++card; };
        const auto [k, r] = rowOf(defence[0]);
        select(k, {defence[0]});
        QTest::mouseDClick(list(k)->viewport(), Qt::LeftButton, {}, at(k, defence[0]));
        QVERIFY(!player(defence[0]).Protected && changed() && card == 0);
        QCOMPARE(list(k)->item(r)->text(), ui::leagueText(player(defence[0]).Name.str()));
        select(rowOf(rookie).first, {rookie});
        QTest::mouseDClick(list(rowOf(rookie).first)->viewport(), Qt::LeftButton, {},
                           at(rowOf(rookie).first, rookie));
        QVERIFY(player(rookie).Protected);
        QTest::mouseDClick(list(rowOf(rookie).first)->viewport(), Qt::LeftButton, {},
                           at(rowOf(rookie).first, rookie));
        QVERIFY(!player(rookie).Protected && rowText(rookie) == bare);
        get<QCheckBox>("chkProtect")->click();
        get<QCheckBox>("chkProtect")->click();
        QCOMPARE(rowText(rookie), bare + "*");
    }
};

BB_QTEST_MAIN(RosterWindowTest)
#include "roster_window_test.moc"
