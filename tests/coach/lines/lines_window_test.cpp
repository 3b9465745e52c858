#include "coach/lines/lines_window.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/qt_prompter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using namespace bb;

class LinesWindowTest : public QObject {
    Q_OBJECT

    static constexpr std::uint8_t Goalie = 18;
    std::unique_ptr<Session> s;
    bb::test::ScriptedPrompter prompter;
    std::unique_ptr<Lines> w;

    void open()
    {
        prompter = {};
        w = std::make_unique<Lines>(*s, prompter);
        w->show();
    }
    template <class T = QWidget> T* get(const QString& name)
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control named %s", qPrintable(name));
        return c;
    }
    // The texts of labels or text boxes, each followed by "*" when bold and "|"; a name with "%1"
    // runs over 0..last.
    QString texts(const QString& names, int last = 0)
    {
        QString out;
        for (const QString& name : names.split(' '))
            for (int i = 0; i <= (name.contains('%') ? last : 0); ++i) {
                const QWidget* c = get(name.contains('%') ? name.arg(i) : name);
                out += c->property("text").toString() + (c->font().bold() ? "*|" : "|");
            }
        return out;
    }
    QLabel* slot(int i) { return get<QLabel>(QString("lblPlayer(%1)").arg(i)); }
    QListWidget* list() { return get<QListWidget>("List2"); }
    void click(const QString& name) { get<QAbstractButton>(name)->click(); }
    void clickSlot(int i) { QTest::mouseClick(slot(i), Qt::LeftButton); }
    void place(int p, int i) { select(p), clickSlot(i); }
    QString name(int p) const { return QString::fromLatin1(s->Players[0][p].Name.str()); }
    bool changed() const { return w->work().LinesChanged; }
    const LineTable& table() const { return w->work().LineSlots; }

    // Clicks the list row that shows roster slot p; returns where.
    QPoint select(int p)
    {
        for (int r = 0; r < list()->count(); ++r)
            if (list()->item(r)->data(Qt::UserRole).toInt() == p) {
                const QPoint at = list()->visualItemRect(list()->item(r)).center();
                QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
                return at;
            }
        qFatal("roster slot %d is not listed", p);
    }

    // Every question ("?") and message ("!") since the last look, with its title and icon.
    std::string said()
    {
        std::string out;
        for (const bb::test::Asked& a : prompter.asked)
            if (a.kind == a.YesNo || a.kind == a.Message)
                out += (a.kind == a.YesNo ? "? " : "! ") + a.text + " [" + a.title +
                       std::array{"] ", ", stop] ", ", info] "}[int(a.icon)];
        prompter.asked.clear();
        return out;
    }
    std::string press(const QString& button)
    {
        click(button);
        return said();
    }

    // ---- The keyboard's road ----

    void activate()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QString focused() const
    {
        const QWidget* f = QApplication::focusWidget();
        return f ? f->objectName() : QStringLiteral("nothing");
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    // Tab (or Shift+Tab) until the named control has the keyboard.
    void tabTo(const QString& name, bool back = false)
    {
        for (int i = 0; i < 80 && focused() != name; ++i)
            back ? key(Qt::Key_Backtab, Qt::ShiftModifier) : key(Qt::Key_Tab);
        QCOMPARE(focused(), name);
    }
    // Back to the list, then down its rows to roster slot p.
    void chooseByKeys(int p)
    {
        tabTo("List2", true);
        key(Qt::Key_Home);
        for (int i = 0; i < 50 && list()->currentItem()->data(Qt::UserRole).toInt() != p; ++i)
            key(Qt::Key_Down);
        QVERIFY(list()->selectedItems().size() == 1 &&
                list()->currentItem()->data(Qt::UserRole).toInt() == p);
    }
    // The goalie line is the first stop of the slots; arrows go from there.
    void placeByKeys(int p, int index)
    {
        chooseByKeys(p);
        tabTo("lblPlayer(20)");
        if (index >= 20) {
            for (int i = 20; i < index; ++i)
                key(Qt::Key_Down);
        } else {
            key(Qt::Key_Right);
            if (index / 5 % 2 == 1)
                key(Qt::Key_Right);
            for (int r = 0; r < index % 5 + (index >= 10 ? 5 : 0); ++r)
                key(Qt::Key_Down);
        }
        QCOMPARE(focused(), QString("lblPlayer(%1)").arg(index));
        key(Qt::Key_Space);
    }
    // Every named control's place in the window.
    QMap<QString, QRect> places()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QMap<QString, QRect> out;
        for (const QWidget* c : w->findChildren<QWidget*>())
            if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_"))
                out[c->objectName()] = QRect(c->mapTo(w.get(), QPoint(0, 0)), c->size());
        return out;
    }
    static QString moved(const QMap<QString, QRect>& a, const QMap<QString, QRect>& b)
    {
        QString out;
        for (auto it = a.begin(); it != a.end(); ++it)
            if (b.value(it.key()) != it.value())
                out += it.key() + " ";
        return out;
    }

  private slots:
    // Team 3, "Hawks", with an empty table. Roster slots 0-3 centres, 4-7 left wings, 8-11 right
    // wings, 12-17 defencemen, 18-19 goalies, all dressed and healthy, every skill 40 + slot;
    // 20 a scratched centre, 21 a left wing on the farm.
    void init()
    {
        s = std::make_unique<Session>();
        s->init("/nonexistent-benchboss-home");
        s->CurTeam = 3;
        s->Teams[3].Name.assign("Hawks");
        for (auto& line : s->Teams[3].LineSlots)
            line.fill(NoPlayer);
        for (int i = 0; i < 22; ++i) {
            PlayerRec& p = s->Players[0][i];
            p.Name.assign("Player " + std::to_string(i));
            p.Pos = i < 12 ? i / 4 : i < 18 ? PosD : i < 20 ? PosG : i - 20;
            p.Sts = i < 20 ? 200 : i == 20 ? 100 : 0;
            p.Skill.fill(i < 20 ? 40 + i : 50);
        }
    }
    void cleanup() { w.reset(); }

    void opensWithAndWithoutDressedPlayers()
    {
        s->Players[0][2].Sts = 203; // dressed though injured: listed
        s->Teams[3].LineSlots[0][0] = s->Teams[3].LineSlots[4][0] = s->Teams[3].LineSlots[12][1] = 4;
        open();
        QCOMPARE(w->windowTitle(), "Edit Lines");
        QCOMPARE(texts("Label6 lblPlyrStat(17) lblLineString txtOverall txtLnOverall Label1(%1)", 3),
                 "Lines for Hawks     *|Player 0 is assigned to:|the Pine*|45||Even Strength Line 1|"
                 "Even Strength Line 2|Even Strength Line 3|Even Strength Line 4|");
        QVERIFY(list()->count() == 20 && list()->currentRow() == 0 && list()->selectedItems().size() == 1);
        QVERIFY(s->CurPlayer == 0 && get<QAbstractButton>("optEven")->isChecked());
        QCOMPARE(texts("lblPlayer(0)"), name(4) + "*|"); // the full stored name, in bold

        select(4);
        QVERIFY(s->CurPlayer == 4 && texts("lblLineString") == "E1C P1C X1*|");
        int card = -1;
        w->openPlayerCard = [&] { card = s->CurPlayer; };
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, select(5));
        QVERIFY(card == 5 && !changed());

        for (auto& p : s->Players[0])
            p.Sts = p.Sts >= 200 ? 100 : p.Sts;
        open();
        QCOMPARE(list()->count(), 0);
        QCOMPARE(texts("lblLineString lblPlyrStat(17)"), "No Assignments*|Assigned to|");
        clickSlot(0);
        clickSlot(20);
        QVERIFY(!changed() && table() == s->Teams[3].LineSlots);
    }

    // One window through the modes and the goalie filter.
    void modesFocusAndFilter()
    {
        // E1 holds skaters rated 60, 70, 80, 90 and 50 in every skill: overall skill + 5. E4's fifth
        // cell, slot 19, holds player 15.
        s->Teams[3].LineSlots[0] = {0, 4, 8, 12, 13};
        for (std::size_t y = 0; y < 5; ++y)
            s->Players[0][s->Teams[3].LineSlots[0][y]].Skill.fill(y == 4 ? 50 : 60 + 10 * y);
        s->Teams[3].LineSlots[3][4] = 15;
        open();

        // PP mode: a header click focuses its line; the goalie in slot 20 focuses E1 and shows its averages.
        click("optPP");
        QTest::mouseClick(get("Label1(2)"), Qt::LeftButton);
        QCOMPARE(texts("Label1(%1)", 3),
                 "PP Line 1 (5 on 4)|PP Line 2 (5 on 4)|PP Line 1 (4 on 3)*|PP Line 2 (4 on 3)|");
        place(Goalie, 20);
        QCOMPARE(texts("Label1(%1)", 3),
                 "PP Line 1 (5 on 4)*|PP Line 2 (5 on 4)|PP Line 1 (4 on 3)|PP Line 2 (4 on 3)|");
        QCOMPARE(texts("lblLineString txtLnAvgRating(%1) txtLnOverall", 12),
                 "Starting Goaltender*|" + QString("70|").repeated(13) + "75|");

        // PK mode hides the spare slots, which take no click; Even shows what they hold.
        click("optPK");
        const QList<int> hidden = {4, 9, 13, 14, 18, 19};
        for (int i = 0; i < 23; ++i)
            QCOMPARE(slot(i)->isVisible(), !hidden.contains(i));
        QCOMPARE(texts("Label5 Label1(3) Label2(%1)", 9),
                 "Penalty Kill Lines*|PK Line 2 (3 on 5)|C|W|D|D||C|D|D|||");
        const LineTable placed = table();
        place(0, 4);
        QCOMPARE(table(), placed);
        click("optEven");
        for (int i = 0; i < 20; ++i)
            QVERIFY(slot(i)->isVisible());
        QVERIFY(slot(4)->text() == name(13) && slot(19)->text() == name(15));

        // With goalies filtered out nothing is selected and slot clicks do nothing.
        select(Goalie);
        click("Check1(4)");
        QVERIFY(list()->count() == 18 && list()->selectedItems().isEmpty());
        clickSlot(20);
        clickSlot(1);
        QCOMPARE(table(), placed);
    }

    void exitAndCloseBox()
    {
        const LineTable before = s->Teams[3].LineSlots;
        const std::string keep = "? Keep Line Changes? [Keep Changes] ";
        open();
        w->close(); // without changes nothing is said
        QCOMPARE(said(), "");

        // Yes with an empty cell: the window stays open, and the next Exit asks again; No closes it
        // without a warning and the team keeps its table.
        open();
        place(0, 0);
        prompter.yesNo = {true, true, false};
        const std::string incomplete = "! Lines are not complete [Edit Lines, stop] ";
        QCOMPARE(press("cmdExit"), keep + incomplete);
        QCOMPARE(press("cmdExit"), keep + incomplete);
        QVERIFY(w->isVisible());
        QCOMPARE(press("cmdExit"), keep);
        QVERIFY(!w->isVisible());
        QCOMPARE(s->Teams[3].LineSlots, before);

        // The close box after a placement warns and drops it.
        open();
        place(0, 0);
        w->close();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Rejected);
        QCOMPARE(said(), "! Changes were not saved [Edit Lines, stop] ");
        QCOMPARE(s->Teams[3].LineSlots, before);
    }

    void exitWithYesCommitsToWorkingFile()
    {
        // Team 0 of the generated league has a complete table.
        bb::test::TempDir dir;
        QVERIFY(demo::writeDemoLeague(dir.path(), {}).ok());
        s = std::make_unique<Session>();
        s->init(dir.path());
        QVERIFY(LoadLg(*s, (dir / "demo").string()).ok() && LoadTeam(*s, 0, 0).ok());
        const auto readTms = [&] {
            std::ifstream in(s->SwapTms, std::ios::binary);
            return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
        };
        const std::vector<std::uint8_t> before = readTms();
        int skater = 0;
        while (s->Players[0][skater].Sts < 200 || s->Players[0][skater].Pos == PosG)
            ++skater;
        open();
        place(skater, 22);
        prompter.yesNo = {true};
        QCOMPARE(press("cmdExit"), "? Keep Line Changes? [Keep Changes] ");
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted);

        // X2 is cell (12, 2), byte 174 + 12 + 13 * 2 of the record; LinesSet, -1, is at 252.
        const std::vector<std::uint8_t> after = readTms();
        QCOMPARE(after.size(), before.size());
        QCOMPARE(int(after[174 + 12 + 13 * 2]), skater);
        QVERIFY(after[252] == 0xFF && after[253] == 0xFF && s->Teams[0].LinesSet);
        QVERIFY(std::equal(after.begin() + TeamRec::Size, after.end(), before.begin() + TeamRec::Size));
    }

    // Esc has no cancel to run: nothing closes, nothing is dropped, nothing is said; wherever the
    // keyboard is.
    void escapeDoesNothing()
    {
        open();
        activate();
        place(0, 0);
        const LineTable placed = table();
        key(Qt::Key_Escape);
        tabTo("lblPlayer(20)");
        key(Qt::Key_Escape);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible() && changed() && table() == placed);
        QCOMPARE(said(), "");
        QCOMPARE(w->result(), 0);
    }

    // From the list Tab walks the filters, the slots line by line, the modes and the buttons, and
    // passes every box that only shows; Space on a header focuses its line, on the title refreshes.
    void tabWalksInReadingOrder()
    {
        open();
        activate();
        QCOMPARE(focused(), "List2");
        QStringList walk;
        for (int i = 0; i < 60; ++i) {
            key(Qt::Key_Tab);
            walk << focused();
            if (focused() == "List2")
                break;
        }
        QStringList want = {"Check1(0)", "Check1(1)",     "Check1(2)",     "Check1(3)",
                            "Check1(4)", "lblPlayer(20)", "lblPlayer(21)", "lblPlayer(22)"};
        for (int k = 0; k < 4; ++k) {
            want << QString("Label1(%1)").arg(k);
            for (int y = 0; y < 5; ++y)
                want << QString("lblPlayer(%1)").arg(5 * k + y);
        }
        want << "optEven"
             << "cmdAuto"
             << "cmdLoadLines"
             << "cmdSaveLines"
             << "cmdExit"
             << "Label6"
             << "List2";
        QCOMPARE(walk, want);

        tabTo("Label1(2)");
        key(Qt::Key_Space);
        QCOMPARE(texts("Label1(%1)", 3), "Even Strength Line 1|Even Strength Line 2|Even Strength Line 3*|"
                                         "Even Strength Line 4|");
        // Modes by arrows; hidden slots are passed by Tab and by the arrows.
        tabTo("optEven");
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        QVERIFY(get<QAbstractButton>("optPK")->isChecked());
        tabTo("lblPlayer(3)", true);
        key(Qt::Key_Down);
        QCOMPARE(focused(), "lblPlayer(10)");
        key(Qt::Key_Right);
        QCOMPARE(focused(), "lblPlayer(15)");
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        QCOMPARE(focused(), "lblPlayer(17)");
        tabTo("Label6");
        key(Qt::Key_Return);
        QVERIFY(w->isVisible() && !changed());
    }

    // The same placements by mouse in one league and by keys in another commit the same bytes.
    void keyboardPlacementCommitsWhatTheMouseDoes()
    {
        const auto run = [this](bool byKeys) {
            bb::test::TempDir dir;
            if (!demo::writeDemoLeague(dir.path(), {}).ok())
                qFatal("no demo league");
            s = std::make_unique<Session>();
            s->init(dir.path());
            if (!LoadLg(*s, (dir / "demo").string()).ok() || !LoadTeam(*s, 0, 0).ok())
                qFatal("demo league unreadable");
            // E2's five take E1's places, the other goalie starts, E1's centre is the second extra.
            const LineTable start = s->Teams[0].LineSlots;
            int goalie = 0;
            while (s->Players[0][goalie].Pos != PosG || s->Players[0][goalie].Sts != 200 ||
                   goalie == start[12][0])
                ++goalie;
            std::vector<std::pair<int, int>> moves;
            for (int y = 0; y < 5; ++y)
                moves.emplace_back(start[1][y], y);
            moves.emplace_back(goalie, 20);
            moves.emplace_back(start[0][0], 22);
            open();
            activate();
            for (const auto& [p, index] : moves)
                byKeys ? placeByKeys(p, index) : place(p, index);
            for (int y = 0; y < 5; ++y)
                if (table()[0][y] != start[1][y])
                    qFatal("a placement was refused");
            prompter.yesNo = {true};
            if (byKeys) {
                tabTo("cmdExit");
                key(Qt::Key_Space);
            } else {
                click("cmdExit");
            }
            if (said() != "? Keep Line Changes? [Keep Changes] " || w->isVisible())
                qFatal("the lines were not kept");
            std::ifstream tms(s->SwapTms, std::ios::binary), ros(s->SwapRos, std::ios::binary);
            return std::pair(std::vector<char>(std::istreambuf_iterator<char>(tms), {}),
                             std::vector<char>(std::istreambuf_iterator<char>(ros), {}));
        };
        const auto mouse = run(false);
        const auto keys = run(true);
        QVERIFY(!mouse.first.empty() && !mouse.second.empty());
        QVERIFY(keys == mouse);
    }

    // A second click at the same spot finds the same control in every mode, and a taller window
    // gives its room to the list and the margins, not to the slots.
    void layoutHoldsStill()
    {
        open();
        const QMap<QString, QRect> even = places();
        for (const char* mode : {"optPP", "optPK", "optEven"}) {
            click(mode);
            QVERIFY2(moved(even, places()).isEmpty(),
                     qPrintable(mode + QString(": ") + moved(even, places())));
        }
        const int slotHeight = slot(0)->height();
        const int listHeight = list()->height();
        w->resize(w->width() + 100, w->height() + 200);
        places();
        for (int i : {0, 19, 20, 22})
            QCOMPARE(slot(i)->height(), slotHeight);
        QVERIFY(list()->height() > listHeight);
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the editor shrinks to it and
    // scrolls, and Tab brings every control into view. At its preferred size it fits 1366 x 768
    // at 125 % (about 1090 x 550) without a scroll bar.
    void fitsSmallScreens()
    {
        open();
        activate();
        // Run a second time at 150 % by CTest.
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(w->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        QVERIFY2(least.width() <= 910 && least.height() <= 470,
                 qPrintable(QString("minimum %1x%2 at ratio %3")
                                .arg(least.width())
                                .arg(least.height())
                                .arg(w->devicePixelRatioF())));
        const QSize want = w->sizeHint();
        QVERIFY2(want.width() <= 1090 && want.height() <= 550,
                 qPrintable(QString("preferred %1x%2").arg(want.width()).arg(want.height())));
        auto* frame = w->findChild<QScrollArea*>();
        w->resize(want);
        places();
        QVERIFY(!frame->verticalScrollBar()->isVisible() && !frame->horizontalScrollBar()->isVisible());
        w->resize(910, 470);
        places();
        QCOMPARE(w->size(), QSize(910, 470));
        tabTo("cmdExit");
        QVERIFY(!get("cmdExit")->visibleRegion().isEmpty());
        tabTo("lblPlayer(20)", true);
        QVERIFY(!slot(20)->visibleRegion().isEmpty());
    }

    // A box raised by Exit opens over the editor, through the program's own prompter.
    void exitBoxOpensOverTheEditor()
    {
        bb::ui::QtPrompter real;
        w = std::make_unique<Lines>(*s, real);
        QString owner = "no box";
        QTimer::singleShot(0, this, [&] {
            place(0, 0);
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                owner = box->parentWidget() ? box->parentWidget()->objectName() : "none";
                owner += ": " + box->text();
                box->button(QMessageBox::No)->click();
            });
            click("cmdExit");
        });
        w->exec();
        QCOMPARE(owner, "Lines: Keep Line Changes?");
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }

    void autoNeedsTwentyHealthyDressed()
    {
        const std::string tail = " players on the roster.\rSet roster first [Auto Lines, info] ";
        s->Players[0][3].Sts = 201; // dressed but injured: listed, not counted
        open();
        QCOMPARE(press("cmdAuto"), "! There are only 19" + tail);
        QVERIFY(!changed() && table() == s->Teams[3].LineSlots);
        s->Players[0][3].Sts = 200;
        s->Players[0][22] = s->Players[0][17]; // a seventh defenceman
        open();
        QCOMPARE(press("cmdAuto"), "! There are only 21" + tail);
        s->Players[0][22].Sts = 100;
        open();
        QCOMPARE(press("cmdAuto"), "");
        QVERIFY(changed() && slot(20)->text() == name(19)); // the better healthy goalie
    }

    // Auto, Save Lines, a fresh editor, Load Lines: the same table, shown in the slots and texts.
    void saveAndLoadLines()
    {
        bb::test::TempDir dir;
        s->init(dir.path());
        s->Teams[3].Password.assign("hawks");
        const std::string file = (dir / "Hawks.lns").string();
        open();
        QCOMPARE(press("cmdAuto"), "");
        const LineTable autoTable = table();
        prompter.texts = {"hawks"};
        prompter.files = {file};
        QCOMPARE(press("cmdSaveLines"), "");
        QVERIFY(changed() && std::filesystem::file_size(file) == 226);
        prompter.yesNo = {false};
        QCOMPARE(press("cmdExit"), "? Keep Line Changes? [Keep Changes] ");

        // A wrong password changes nothing.
        open();
        select(4);
        const LineTable empty = table();
        const QString pine = texts("lblLineString lblPlayer(0)");
        s->Teams[3].Password.assign("eagles");
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "! Password Incorrect [Import Lines, stop] ");
        QVERIFY(table() == empty && !changed() && !s->Teams[3].LinesSet);
        QCOMPARE(texts("lblLineString lblPlayer(0)"), pine);

        s->Teams[3].Password.assign("hawks");
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "");
        QVERIFY(table() == autoTable && changed() && s->Teams[3].LinesSet);
        QCOMPARE(texts("lblLineString"), QString::fromStdString(lines::ReadLineAssgts(autoTable)[4]) + "*|");
        const int centre = autoTable[0][0];
        QCOMPARE(slot(0)->text(), name(centre));
        QCOMPARE(slot(0)->accessibleName(), "Even Strength Line 1, C: Player " + QString::number(centre));

        // With no row selected the load completes without showing a player.
        open();
        click("Check1(4)");
        QVERIFY(list()->selectedItems().isEmpty());
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "");
        QVERIFY(table() == autoTable && changed());
        QCOMPARE(texts("lblLineString"), "the Pine*|"); // player 0's, from before the load
        QVERIFY(lines::ReadLineAssgts(autoTable)[0] != "the Pine");
        QCOMPARE(slot(20)->text(), name(autoTable[12][0]));
    }
};

BB_QTEST_MAIN(LinesWindowTest)
#include "lines_window_test.moc"
