// The line editor through its controls, by mouse and by keyboard: what it shows, the modes, Exit,
// the close box and Esc, Auto, the lines file, and a layout that holds still and fits small screens.
#include "coach/lines/lines_window.h"

#include "file_bytes.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>

using namespace bb;

class LinesWindowTest : public QObject {
    Q_OBJECT

    static constexpr std::uint8_t Goalie = 18;
    std::unique_ptr<Session> s;
    bb::test::ScriptedPrompter prompter;
    std::unique_ptr<Lines> w;

    // A fresh editor on the session, in front with the keyboard.
    void open()
    {
        prompter = {};
        w = std::make_unique<Lines>(*s, prompter);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
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
    std::string press(const QString& button) { return click(button), prompter.take(); }

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
    // Down the list to roster slot p, Tab to the slot, Space.
    void placeByKeys(int p, int index)
    {
        tabTo("List2", true);
        key(Qt::Key_Home);
        for (int i = 0; i < 50 && list()->currentItem()->data(Qt::UserRole).toInt() != p; ++i)
            key(Qt::Key_Down);
        QVERIFY(list()->selectedItems().size() == 1 &&
                list()->currentItem()->data(Qt::UserRole).toInt() == p);
        tabTo(QString("lblPlayer(%1)").arg(index));
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

  private slots:
    // Team 3, "Hawks", with an empty table. Roster slots 0-3 centres, 4-7 left wings, 8-11 right
    // wings, 12-17 defencemen, 18-19 goalies, all dressed and healthy, every skill 40 + slot;
    // 20 a scratched centre, 21 a left wing on the farm.
    void init()
    {
        w.reset();
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

    void showsPlacesAndFocuses()
    {
        // E1 holds skaters rated 60, 70, 80, 90 and 50 in every skill: overall skill + 5. Player 4
        // stands in E1, P1 and X1; E4's fifth cell, slot 19, holds player 15. Player 2 is dressed
        // though injured: listed.
        s->Teams[3].LineSlots[0] = {0, 4, 8, 12, 13};
        s->Teams[3].LineSlots[4][0] = s->Teams[3].LineSlots[12][1] = 4;
        for (std::size_t y = 0; y < 5; ++y)
            s->Players[0][s->Teams[3].LineSlots[0][y]].Skill.fill(y == 4 ? 50 : 60 + 10 * y);
        s->Teams[3].LineSlots[3][4] = 15;
        s->Players[0][2].Sts = 203;
        open();
        QCOMPARE(w->windowTitle() + texts("Label6 lblPlyrStat(17) lblLineString txtOverall lblPlayer(1)"),
                 "Edit LinesLines for Hawks     *|Player 0 is assigned to:|E1C*|65|" + name(4) + "*|");
        QVERIFY(list()->count() == 20 && list()->selectedItems().size() == 1 && s->CurPlayer == 0);
        select(4);
        QVERIFY(s->CurPlayer == 4 && texts("lblLineString") == "E1L P1C X1*|");
        int card = -1;
        w->openPlayerCard = [&] { card = s->CurPlayer; };
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, select(5));
        QVERIFY(card == 5 && !changed());

        // PP mode: a header click focuses its line; the goalie in slot 20 focuses E1 and shows its averages.
        click("optPP");
        QTest::mouseClick(get("Label1(2)"), Qt::LeftButton);
        QCOMPARE(texts("Label1(%1)", 3),
                 "PP Line 1 (5 on 4)|PP Line 2 (5 on 4)|PP Line 1 (4 on 3)*|PP Line 2 (4 on 3)|");
        place(Goalie, 20);
        QCOMPARE(texts("Label1(0) lblLineString txtLnAvgRating(%1) txtLnOverall", 12),
                 "PP Line 1 (5 on 4)*|Starting Goaltender*|" + QString("70|").repeated(13) + "75|");

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
        QVERIFY(slot(4)->text() == name(13) && slot(19)->text() == name(15));

        // With goalies filtered out nothing is selected and slot clicks do nothing.
        select(Goalie);
        click("Check1(4)");
        QVERIFY(list()->count() == 18 && list()->selectedItems().isEmpty());
        clickSlot(20);
        clickSlot(1);
        QCOMPARE(table(), placed);
    }

    // Esc has no cancel to run: wherever the keyboard is, nothing closes, nothing is dropped,
    // nothing is said. Exit asks, and keeps the window open while a cell is empty; the close box
    // warns and drops the work.
    void escapeExitAndCloseBox()
    {
        const LineTable before = s->Teams[3].LineSlots;
        open();
        w->close(); // without changes nothing is said
        QCOMPARE(prompter.take(), "");

        open();
        place(0, 0);
        key(Qt::Key_Escape);
        tabTo("lblPlayer(20)");
        key(Qt::Key_Escape);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible() && w->result() == 0 && changed() && table()[0][0] == 0);
        QCOMPARE(prompter.take(), "");

        const std::string keep = "? Keep Line Changes? [Keep Changes] ";
        prompter.yesNo = {true, false};
        QCOMPARE(press("cmdExit"), keep + "! Lines are not complete [Edit Lines, stop] ");
        QVERIFY(w->isVisible());
        QCOMPARE(press("cmdExit"), keep);
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted && s->Teams[3].LineSlots == before);

        open();
        place(0, 0);
        w->close();
        QVERIFY(!w->isVisible() && w->result() == QDialog::Rejected && s->Teams[3].LineSlots == before);
        QCOMPARE(prompter.take(), "! Changes were not saved [Edit Lines, stop] ");
    }

    // From the list Tab walks the filters, the slots line by line, the modes and the buttons, and
    // passes every box that only shows. Space on a header focuses its line; the arrows pass the
    // slots a mode hides.
    void keyboardReachesEverything()
    {
        open();
        QCOMPARE(focused(), "List2");
        QString walk, want = "Check1(0) Check1(1) Check1(2) Check1(3) Check1(4) lblPlayer(20) lblPlayer(21) "
                             "lblPlayer(22) ";
        for (int i = 0; i < 20; ++i)
            want +=
                (i % 5 ? QString() : QString("Label1(%1) ").arg(i / 5)) + QString("lblPlayer(%1) ").arg(i);
        do
            key(Qt::Key_Tab), walk += focused() + " ";
        while (focused() != "List2" && walk.size() < 1000);
        QCOMPARE(walk, want + "optEven cmdAuto cmdLoadLines cmdSaveLines cmdExit Label6 List2 ");

        tabTo("Label1(2)");
        key(Qt::Key_Space);
        QCOMPARE(texts("Label1(%1)", 3),
                 "Even Strength Line 1|Even Strength Line 2|Even Strength Line 3*|Even Strength Line 4|");
        click("optPK");
        tabTo("lblPlayer(3)", true);
        key(Qt::Key_Down);
        QCOMPARE(focused(), "lblPlayer(10)");
        key(Qt::Key_Right);
        QCOMPARE(focused(), "lblPlayer(15)");
    }

    // From the automatic lines, the same placements by mouse and by keys commit the same bytes:
    // E2's five take E1's places, the other goalie starts, E1's centre is the second extra.
    void keyboardPlacementCommitsWhatTheMouseDoes()
    {
        const auto run = [this](bool byKeys) {
            init();
            bb::test::TempDir dir;
            s->init(dir.path());
            bb::test::writeBytes(s->SwapTms, {});
            bb::test::writeBytes(s->SwapRos, {});
            open();
            click("cmdAuto");
            const LineTable start = table();
            std::vector<std::pair<int, int>> moves = {{start[12][0] == 18 ? 19 : 18, 20}, {start[0][0], 22}};
            for (int y = 0; y < 5; ++y)
                moves.emplace_back(start[1][y], y);
            for (const auto& [p, index] : moves)
                byKeys ? placeByKeys(p, index) : place(p, index);
            prompter.yesNo = {true};
            if (byKeys)
                tabTo("cmdExit"), key(Qt::Key_Space);
            else
                click("cmdExit");
            if (table()[0] != start[1] || table()[12][2] != start[0][0] ||
                prompter.take() != "? Keep Line Changes? [Keep Changes] " || w->isVisible())
                qFatal("the lines were not placed and kept");
            return std::pair(bb::test::readBytes(s->SwapTms), bb::test::readBytes(s->SwapRos));
        };
        const auto mouse = run(false);
        QVERIFY(!mouse.first.empty() && !mouse.second.empty());
        QVERIFY(run(true) == mouse);
    }

    // A second click at the same spot finds the same control in every mode, and a taller window
    // gives its room to the list, not to the slots. 1366 x 768 at 150 % (a second run) leaves about
    // 910 x 470 of client area: the editor shrinks to it and scrolls, and Tab brings every control
    // into view. At its preferred size it scrolls nothing.
    void layoutHoldsAndFitsSmallScreens()
    {
        open();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(w->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        const QMap<QString, QRect> even = places();
        for (const char* mode : {"optPP", "optPK", "optEven"}) {
            click(mode);
            const QMap<QString, QRect> now = places();
            for (auto it = even.begin(); it != even.end(); ++it)
                QVERIFY2(now.value(it.key()) == it.value(), qPrintable(mode + QString(" moves ") + it.key()));
        }
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint()), want = w->sizeHint();
        QCOMPARE(least.boundedTo({910, 470}), least);
        auto* frame = w->findChild<QScrollArea*>();
        w->resize(want);
        places();
        QVERIFY(!frame->verticalScrollBar()->isVisible() && !frame->horizontalScrollBar()->isVisible());
        const int slotHeight = slot(0)->height(), listHeight = list()->height();
        w->resize(want + QSize(100, 200));
        places();
        for (int i : {0, 19, 20, 22})
            QCOMPARE(slot(i)->height(), slotHeight);
        QVERIFY(list()->height() > listHeight);
        w->resize(910, 470);
        places();
        QCOMPARE(w->size(), QSize(910, 470));
        tabTo("cmdExit");
        QVERIFY(!get("cmdExit")->visibleRegion().isEmpty());
        tabTo("lblPlayer(20)", true);
        QVERIFY(!slot(20)->visibleRegion().isEmpty());
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

    // Auto, Save Lines, a fresh editor, Load Lines: a wrong password changes nothing; the right one
    // gives the same table, shown in the slots (their accessible names too) and the texts; with no
    // row selected the load completes without showing a player.
    void saveAndLoadLines()
    {
        bb::test::TempDir dir;
        s->init(dir.path());
        s->Teams[3].Password.assign("hawks");
        const std::string file = (dir / "Hawks.lns").string();
        open();
        click("cmdAuto");
        const LineTable autoTable = table();
        prompter.texts = {"hawks"};
        prompter.files = {file};
        QCOMPARE(press("cmdSaveLines"), "");
        QVERIFY(changed() && std::filesystem::file_size(file) == 226);

        open();
        select(4);
        const QString pine = texts("lblLineString lblPlayer(0)");
        s->Teams[3].Password.assign("eagles");
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "! Password Incorrect [Import Lines, stop] ");
        QVERIFY(table() == s->Teams[3].LineSlots && !changed() && !s->Teams[3].LinesSet);
        QCOMPARE(texts("lblLineString lblPlayer(0)"), pine);
        s->Teams[3].Password.assign("hawks");
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "");
        QVERIFY(table() == autoTable && changed() && s->Teams[3].LinesSet);
        QCOMPARE(texts("lblLineString"), QString::fromStdString(lines::ReadLineAssgts(autoTable)[4]) + "*|");
        QCOMPARE(slot(0)->accessibleName(),
                 "Even Strength Line 1, C: Player " + QString::number(autoTable[0][0]));

        open();
        click("Check1(4)");
        prompter.files = {file};
        QCOMPARE(press("cmdLoadLines"), "");
        QVERIFY(table() == autoTable && changed() && list()->selectedItems().isEmpty());
        QCOMPARE(texts("lblLineString"), "the Pine*|"); // player 0's, from before the load
        QCOMPARE(slot(20)->text(), name(autoTable[12][0]));
    }
};

BB_QTEST_MAIN(LinesWindowTest)
#include "lines_window_test.moc"
