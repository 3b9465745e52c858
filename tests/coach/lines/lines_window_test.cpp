#include "coach/lines/lines_window.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "qt_test_main.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using namespace bb;
using namespace Qt::StringLiterals;
using bb::test::Asked;

class LinesWindowTest : public QObject {
    Q_OBJECT

    static constexpr std::uint8_t Goalie = 18;
    std::unique_ptr<Session> s;
    bb::test::ScriptedPrompter prompter;
    std::unique_ptr<Lines> w;

    void open()
    {
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
    // The text of a label or a text box.
    QString text(const QString& name) { return get(name)->property("text").toString(); }
    QLabel* slot(int i) { return get<QLabel>(u"lblPlayer(%1)"_s.arg(i)); }
    QListWidget* list() { return get<QListWidget>(u"List2"_s); }
    void click(const QString& name) { get<QAbstractButton>(name)->click(); }
    void clickSlot(int i) { QTest::mouseClick(slot(i), Qt::LeftButton); }
    QString name(int p) const { return QString::fromLatin1(s->Players[0][p].Name.str()); }
    bool changed() const { return w->work().LinesChanged; }

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

    // The one bold line header, -1 for none, -2 for several.
    int boldHeader()
    {
        int bold = -1;
        for (int k = 0; k < 4; ++k)
            if (get<QLabel>(u"Label1(%1)"_s.arg(k))->font().bold())
                bold = bold == -1 ? k : -2;
        return bold;
    }

    static void checkAsked(const Asked& a, Asked::Kind kind, const std::string& text, MsgIcon icon,
                           const std::string& title)
    {
        QCOMPARE(a.kind, kind);
        QCOMPARE(a.text, text);
        QVERIFY(a.icon == icon);
        QCOMPARE(a.title, title);
    }

  private slots:
    // Team 3, "Hawks", with an empty table. Roster slots 0-3 centres, 4-7 left wings, 8-11 right
    // wings, 12-17 defencemen, 18-19 goalies, all dressed and healthy, every skill 40 + slot;
    // 20 a scratched centre, 21 a left wing on the farm.
    void init()
    {
        prompter = {};
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
        QCOMPARE(w->windowTitle(), u"Edit Lines"_s);
        QCOMPARE(text("Label6"), u"Lines for Hawks     "_s);
        QCOMPARE(list()->count(), 20);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(list()->selectedItems().size(), 1);
        QCOMPARE(int(s->CurPlayer), 0);
        QCOMPARE(text("lblPlyrStat(17)"), u"Player 0 is assigned to:"_s);
        QCOMPARE(text("lblLineString"), u"the Pine"_s);
        QCOMPARE(text("txtOverall"), u"45"_s);
        QVERIFY(get<QRadioButton>("optEven")->isChecked());
        QCOMPARE(text("Label1(3)"), u"Even Strength Line 4"_s);
        QCOMPARE(boldHeader(), -1);
        QCOMPARE(text("txtLnOverall"), QString());
        QCOMPARE(slot(0)->text(), name(4)); // the full stored name, in bold
        QVERIFY(slot(0)->font().bold());

        select(4);
        QCOMPARE(int(s->CurPlayer), 4);
        QCOMPARE(text("lblLineString"), u"E1C P1C X1"_s);
        int card = -1;
        w->openPlayerCard = [&] { card = s->CurPlayer; };
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, select(5));
        QCOMPARE(card, 5);
        QVERIFY(!changed());

        for (auto& p : s->Players[0])
            p.Sts = p.Sts >= 200 ? 100 : p.Sts;
        open();
        QCOMPARE(list()->count(), 0);
        QCOMPARE(text("lblLineString"), u"No Assignments"_s);
        QCOMPARE(text("lblPlyrStat(17)"), u"Assigned to"_s);
        clickSlot(0);
        clickSlot(20);
        QVERIFY(!changed());
        QCOMPARE(w->work().LineSlots, s->Teams[3].LineSlots);
    }

    void goalieFilterLeavesNoSelection()
    {
        open();
        select(Goalie);
        click("Check1(4)");
        QCOMPARE(list()->count(), 18);
        QVERIFY(list()->selectedItems().isEmpty());
        clickSlot(20);
        clickSlot(0);
        QVERIFY(!changed());
        QCOMPARE(w->work().LineSlots, s->Teams[3].LineSlots);
        select(0);
        clickSlot(0);
        QCOMPARE(int(w->work().LineSlots[0][0]), 0);
    }

    void penaltyKillHidesSpareSlots()
    {
        s->Teams[3].LineSlots[0][4] = 12;
        s->Teams[3].LineSlots[3][4] = 15;
        open();
        click("optPK");
        const QList<int> hidden = {4, 9, 13, 14, 18, 19};
        for (int i = 0; i < 23; ++i)
            QCOMPARE(slot(i)->isVisible(), !hidden.contains(i));
        QCOMPARE(text("Label5"), u"Penalty Kill Lines"_s);
        QCOMPARE(text("Label1(3)"), u"PK Line 2 (3 on 5)"_s);
        const QStringList captions = {"C", "W", "D", "D", "", "C", "D", "D", "", ""};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(text(u"Label2(%1)"_s.arg(i)), captions[i]);
        QCOMPARE(boldHeader(), 0);
        select(0);
        clickSlot(4); // hidden: no click
        QVERIFY(!changed());

        click("optEven");
        for (int i = 0; i < 20; ++i)
            QVERIFY(slot(i)->isVisible());
        QCOMPARE(slot(4)->text(), name(12));
        QCOMPARE(slot(19)->text(), name(15));
    }

    void goalieSlotFocusesFirstEvenLine()
    {
        // E1 holds skaters rated 60, 70, 80, 90 and 50 in every skill: overall skill + 5.
        const std::array<std::uint8_t, 5> e1 = {0, 4, 8, 12, 13};
        for (std::size_t y = 0; y < 5; ++y) {
            s->Teams[3].LineSlots[0][y] = e1[y];
            s->Players[0][e1[y]].Skill.fill(y == 4 ? 50 : 60 + 10 * y);
        }
        open();
        click("optPP");
        QTest::mouseClick(get("Label1(2)"), Qt::LeftButton);
        QCOMPARE(boldHeader(), 2);
        select(Goalie);
        clickSlot(20);
        QCOMPARE(w->work().LineSlots[12][0], Goalie);
        QCOMPARE(text("lblLineString"), u"Starting Goaltender"_s);
        QCOMPARE(text("Label1(0)"), u"PP Line 1 (5 on 4)"_s);
        QCOMPARE(boldHeader(), 0);
        for (int k = 0; k < 13; ++k)
            QCOMPARE(text(u"txtLnAvgRating(%1)"_s.arg(k)), u"70"_s);
        QCOMPARE(text("txtLnOverall"), u"75"_s);
    }

    void exitWithIncompleteLinesStaysOpen()
    {
        const LineTable before = s->Teams[3].LineSlots;
        open();
        select(0);
        clickSlot(0);
        prompter.yesNo = {true, true, false};
        click("cmdExit");
        QCOMPARE(prompter.asked.size(), std::size_t{2});
        checkAsked(prompter.asked[0], Asked::YesNo, "Keep Line Changes?", MsgIcon::None, "Keep Changes");
        checkAsked(prompter.asked[1], Asked::Message, "Lines are not complete", MsgIcon::Stop, "Edit Lines");
        QVERIFY(w->isVisible());
        QVERIFY(changed());

        click("cmdExit"); // asked again
        QCOMPARE(prompter.asked.size(), std::size_t{4});
        QCOMPARE(prompter.asked[2].text, "Keep Line Changes?");
        QVERIFY(w->isVisible());

        click("cmdExit"); // No: closed without a warning, the team keeps its table
        QCOMPARE(prompter.asked.size(), std::size_t{5});
        QVERIFY(!w->isVisible());
        QCOMPARE(s->Teams[3].LineSlots, before);
    }

    void exitWithYesCommitsToWorkingFile()
    {
        // Team 0 of the generated league has a complete table.
        bb::test::TempDir dir;
        QVERIFY(demo::writeDemoLeague(dir.path(), {}).ok());
        s = std::make_unique<Session>();
        s->init(dir.path());
        QVERIFY(LoadLg(*s, (dir / "demo").string()).ok());
        QVERIFY(LoadTeam(*s, 0, 0).ok());
        const auto readTms = [&] {
            std::ifstream in(s->SwapTms, std::ios::binary);
            return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
        };
        const std::vector<std::uint8_t> before = readTms();
        int skater = 0;
        while (s->Players[0][skater].Sts < 200 || s->Players[0][skater].Pos == PosG)
            ++skater;
        open();
        select(skater);
        clickSlot(22);
        prompter.yesNo = {true};
        click("cmdExit");
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(prompter.asked.size(), std::size_t{1});

        // X2 is cell (12, 2), byte 174 + 12 + 13 * 2 of the record; LinesSet, -1, is at 252.
        const std::vector<std::uint8_t> after = readTms();
        QCOMPARE(after.size(), before.size());
        QCOMPARE(int(after[174 + 12 + 13 * 2]), skater);
        QCOMPARE(int(after[252]), 0xFF);
        QCOMPARE(int(after[253]), 0xFF);
        QVERIFY(std::equal(after.begin() + TeamRec::Size, after.end(), before.begin() + TeamRec::Size));
        QVERIFY(bool(s->Teams[0].LinesSet));
    }

    void closeBoxWarnsAndDrops()
    {
        const LineTable before = s->Teams[3].LineSlots;
        open();
        w->close(); // without changes nothing is said
        QVERIFY(prompter.asked.empty());
        open();
        select(0);
        clickSlot(0);
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QCOMPARE(prompter.asked.size(), std::size_t{1});
        checkAsked(prompter.asked[0], Asked::Message, "Changes were not saved", MsgIcon::Stop, "Edit Lines");
        QCOMPARE(s->Teams[3].LineSlots, before);
    }

    void autoNeedsTwentyHealthyDressed()
    {
        s->Players[0][3].Sts = 201; // dressed but injured: listed, not counted
        const auto pressAuto = [&](const std::string& expected) {
            prompter = {};
            open();
            click("cmdAuto");
            if (expected.empty()) {
                QVERIFY(prompter.asked.empty());
                QVERIFY(changed());
                QCOMPARE(slot(20)->text(), name(19)); // the better healthy goalie
                return;
            }
            QCOMPARE(prompter.asked.size(), std::size_t{1});
            checkAsked(prompter.asked[0], Asked::Message, expected, MsgIcon::Information, "Auto Lines");
            QVERIFY(!changed());
            QCOMPARE(w->work().LineSlots, s->Teams[3].LineSlots);
        };
        pressAuto("There are only 19 players on the roster.\rSet roster first");
        s->Players[0][3].Sts = 200;
        s->Players[0][22] = s->Players[0][17]; // a seventh defenceman
        pressAuto("There are only 21 players on the roster.\rSet roster first");
        s->Players[0][22].Sts = 100;
        pressAuto("");
    }
};

BB_QTEST_MAIN(LinesWindowTest)
#include "lines_window_test.moc"
