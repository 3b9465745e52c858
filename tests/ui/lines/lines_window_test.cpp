#include "coach/lines/lines_window.h"

#include "core/league_io.h"
#include "demo_league.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

using namespace bb;
using bb::test::Asked;

namespace {

// Roster slots 0-3 centres, 4-7 left wings, 8-11 right wings, 12-17 defencemen, 18-19 goalies,
// all dressed and healthy, every skill 40 + slot; 20 a scratch, 21 on the farm.
constexpr std::uint8_t Goalie = 18;

PlayerRec player(const std::string& name, std::uint8_t pos, std::uint8_t sts, std::uint8_t skill)
{
    PlayerRec p;
    p.Name.assign(name);
    p.Pos = pos;
    p.Sts = sts;
    p.Shoots = 1;
    p.Skill.fill(skill);
    return p;
}

std::unique_ptr<Session> makeSession()
{
    auto s = std::make_unique<Session>();
    s->init("/nonexistent-benchboss-home");
    s->CurTeam = 3;
    s->Teams[3].Name.assign("Hawks");
    for (auto& line : s->Teams[3].LineSlots)
        line.fill(NoPlayer);
    for (int i = 0; i < 20; ++i) {
        const int pos = i < 12 ? i / 4 : i < 18 ? int{PosD} : int{PosG};
        s->Players[0][static_cast<std::size_t>(i)] =
            player("Player " + std::to_string(i), static_cast<std::uint8_t>(pos), 200,
                   static_cast<std::uint8_t>(40 + i));
    }
    s->Players[0][20] = player("Scratched Centre", PosC, 100, 50);
    s->Players[0][21] = player("Farm Wing", PosLW, 0, 50);
    return s;
}

template <class T> T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control named %s", qPrintable(name));
    return c;
}
QLabel* label(QWidget& w, const QString& name)
{
    return child<QLabel>(w, name);
}
QLabel* slot(QWidget& w, int i)
{
    return label(w, QStringLiteral("lblPlayer(%1)").arg(i));
}
QLabel* header(QWidget& w, int k)
{
    return label(w, QStringLiteral("Label1(%1)").arg(k));
}
QString box(QWidget& w, const QString& name)
{
    return child<QLineEdit>(w, name)->text();
}
QListWidget* list(QWidget& w)
{
    return child<QListWidget>(w, QStringLiteral("List2"));
}
void click(QWidget& w, const QString& button)
{
    child<QAbstractButton>(w, button)->click();
}
void clickSlot(QWidget& w, int i)
{
    QTest::mouseClick(slot(w, i), Qt::LeftButton);
}

// Clicks the list row that shows roster slot p.
void selectSlot(QWidget& w, int p)
{
    QListWidget* l = list(w);
    for (int r = 0; r < l->count(); ++r)
        if (l->item(r)->data(Qt::UserRole).toInt() == p) {
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(r)).center());
            return;
        }
    qFatal("roster slot %d is not listed", p);
}

QString fullName(const Session& s, int p)
{
    return QString::fromLatin1(s.Players[0][static_cast<std::size_t>(p)].Name.str());
}

bool boldHeaders(QWidget& w, int bold)
{
    for (int k = 0; k < 4; ++k)
        if (header(w, k)->font().bold() != (k == bold))
            return false;
    return true;
}

void checkAsked(const Asked& a, Asked::Kind kind, const std::string& text, MsgIcon icon,
                const std::string& title)
{
    QCOMPARE(a.kind, kind);
    QCOMPARE(a.text, text);
    QVERIFY(a.icon == icon);
    QCOMPARE(a.title, title);
}

} // namespace

class LinesWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;
    bb::test::ScriptedPrompter prompter;

private slots:
    void init()
    {
        s = makeSession();
        prompter = {};
    }

    void opensWithoutDressedPlayers()
    {
        for (auto& p : s->Players[0])
            p.Sts = p.Sts >= 200 ? 100 : p.Sts;
        Lines w(*s, prompter);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Lines"));
        QCOMPARE(label(w, "Label6")->text(), QStringLiteral("Lines for Hawks     "));
        QCOMPARE(list(w)->count(), 0);
        QCOMPARE(label(w, "lblLineString")->text(), QStringLiteral("No Assignments"));
        QCOMPARE(label(w, "lblPlyrStat(17)")->text(), QStringLiteral("Assigned to"));
        clickSlot(w, 0);
        clickSlot(w, 20);
        QVERIFY(!w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);
    }

    void opensOnFirstDressedPlayer()
    {
        s->Players[0][2].Sts = 203; // dressed though injured: listed
        s->Teams[3].LineSlots[0][0] = 4;
        s->Teams[3].LineSlots[4][0] = 4;
        s->Teams[3].LineSlots[12][1] = 4;
        Lines w(*s, prompter);
        w.show();

        QListWidget* l = list(w);
        QCOMPARE(l->count(), 20);
        QCOMPARE(l->item(19)->text(), fullName(*s, 19));
        QCOMPARE(l->item(19)->data(Qt::UserRole).toInt(), 19);
        QCOMPARE(l->selectedItems().size(), 1);
        QCOMPARE(l->currentRow(), 0);
        QCOMPARE(int(s->CurPlayer), 0);
        QCOMPARE(label(w, "lblPlyrStat(17)")->text(), QStringLiteral("Player 0 is assigned to:"));
        QCOMPARE(label(w, "lblLineString")->text(), QStringLiteral("the Pine"));
        QCOMPARE(box(w, "txtPos"), QStringLiteral("C"));
        QCOMPARE(box(w, "txtRating(9)"), QStringLiteral("40"));
        QCOMPARE(box(w, "txtOverall"), QStringLiteral("45"));

        QVERIFY(child<QRadioButton>(w, "optEven")->isChecked());
        QCOMPARE(header(w, 3)->text(), QStringLiteral("Even Strength Line 4"));
        QVERIFY(boldHeaders(w, -1));
        QCOMPARE(box(w, "txtLnAvgRating(0)"), QString());
        QCOMPARE(box(w, "txtLnOverall"), QString());
        for (int i = 0; i < 23; ++i)
            QVERIFY(slot(w, i)->isVisible());

        // Slots show full stored names in bold and tell a screen reader who stands where.
        QCOMPARE(slot(w, 0)->text(), fullName(*s, 4));
        QVERIFY(slot(w, 0)->font().bold());
        QCOMPARE(slot(w, 0)->accessibleName(), QStringLiteral("Even Strength Line 1, C: Player 4"));
        QCOMPARE(slot(w, 1)->accessibleName(), QStringLiteral("Even Strength Line 1, LW"));
        QCOMPARE(slot(w, 21)->accessibleName(), QStringLiteral("Extra Skaters, X1: Player 4"));

        selectSlot(w, 4);
        QCOMPARE(int(s->CurPlayer), 4);
        QCOMPARE(label(w, "lblLineString")->text(), QStringLiteral("E1C P1C X1"));
        selectSlot(w, Goalie);
        QCOMPARE(box(w, "txtRating(9)"), QStringLiteral("na"));
        QVERIFY(child<QLineEdit>(w, "txtRating(10)")->isReadOnly());
        selectSlot(w, 12);
        QVERIFY(!child<QLineEdit>(w, "txtRating(10)")->isReadOnly());

        int card = -1;
        w.openPlayerCard = [&] { card = s->CurPlayer; };
        const QPoint row5 = l->visualItemRect(l->item(5)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, row5);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, row5);
        QCOMPARE(card, 5);
        QVERIFY(!w.work().LinesChanged);
    }

    void goalieFilterLeavesNoSelection()
    {
        Lines w(*s, prompter);
        w.show();
        selectSlot(w, Goalie);
        click(w, "Check1(4)");
        QCOMPARE(list(w)->count(), 18);
        QVERIFY(list(w)->findItems(fullName(*s, Goalie), Qt::MatchExactly).isEmpty());
        QVERIFY(list(w)->selectedItems().isEmpty());
        QCOMPARE(int(s->CurPlayer), int(Goalie));
        QCOMPARE(box(w, "txtPos"), QStringLiteral("G"));

        clickSlot(w, 20);
        clickSlot(w, 0);
        QVERIFY(!w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);

        selectSlot(w, 0);
        clickSlot(w, 0);
        QCOMPARE(int(w.work().LineSlots[0][0]), 0);
    }

    void penaltyKillHidesSpareSlots()
    {
        s->Teams[3].LineSlots[0][4] = 12;
        s->Teams[3].LineSlots[3][4] = 15;
        Lines w(*s, prompter);
        w.show();
        click(w, "optPK");
        const std::set<int> hidden = {4, 9, 13, 14, 18, 19};
        for (int i = 0; i < 23; ++i)
            QCOMPARE(slot(w, i)->isVisible(), !hidden.count(i));
        QCOMPARE(label(w, "Label5")->text(), QStringLiteral("Penalty Kill Lines"));
        QCOMPARE(header(w, 3)->text(), QStringLiteral("PK Line 2 (3 on 5)"));
        const QStringList captions = {"C", "W", "D", "D", "", "C", "D", "D", "", ""};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(label(w, QStringLiteral("Label2(%1)").arg(i))->text(), captions[i]);
        QVERIFY(boldHeaders(w, 0));

        selectSlot(w, 0);
        clickSlot(w, 4); // hidden: no click
        QVERIFY(!w.work().LinesChanged);

        click(w, "optEven");
        for (int i = 0; i < 20; ++i)
            QVERIFY(slot(w, i)->isVisible());
        QCOMPARE(slot(w, 4)->text(), fullName(*s, 12));
        QCOMPARE(slot(w, 19)->text(), fullName(*s, 15));
    }

    void goalieSlotFocusesFirstEvenLine()
    {
        // E1 holds skaters rated 60, 70, 80, 90 and 50 in every skill: a skater's overall is skill + 5.
        const std::array<std::uint8_t, 5> e1 = {0, 4, 8, 12, 13};
        for (std::size_t y = 0; y < 5; ++y) {
            s->Teams[3].LineSlots[0][y] = e1[y];
            s->Players[0][e1[y]].Skill.fill(static_cast<std::uint8_t>(y == 4 ? 50 : 60 + 10 * y));
        }
        Lines w(*s, prompter);
        w.show();
        click(w, "optPP");
        QTest::mouseClick(header(w, 2), Qt::LeftButton);
        QVERIFY(boldHeaders(w, 2));

        selectSlot(w, Goalie);
        clickSlot(w, 21); // a goalie is no extra skater
        QVERIFY(!w.work().LinesChanged);
        clickSlot(w, 20);
        QCOMPARE(w.work().LineSlots[12][0], Goalie);
        QCOMPARE(slot(w, 20)->accessibleName(), QStringLiteral("Goalie, Starting Goaltender: Player 18"));
        QCOMPARE(label(w, "lblLineString")->text(), QStringLiteral("Starting Goaltender"));
        QCOMPARE(header(w, 0)->text(), QStringLiteral("PP Line 1 (5 on 4)"));
        QVERIFY(boldHeaders(w, 0));
        for (int k = 0; k < 13; ++k)
            QCOMPARE(box(w, QStringLiteral("txtLnAvgRating(%1)").arg(k)), QStringLiteral("70"));
        QCOMPARE(box(w, "txtLnOverall"), QStringLiteral("75"));
    }

    void exitWithIncompleteLinesStaysOpen()
    {
        const LineTable before = s->Teams[3].LineSlots;
        Lines w(*s, prompter);
        w.show();
        selectSlot(w, 0);
        clickSlot(w, 0);
        prompter.yesNo = {true, true, false};

        click(w, "cmdExit");
        QCOMPARE(prompter.asked.size(), std::size_t{2});
        checkAsked(prompter.asked[0], Asked::YesNo, "Keep Line Changes?", MsgIcon::None, "Keep Changes");
        checkAsked(prompter.asked[1], Asked::Message, "Lines are not complete", MsgIcon::Stop, "Edit Lines");
        QVERIFY(w.isVisible());
        QVERIFY(w.work().LinesChanged);

        click(w, "cmdExit");
        QCOMPARE(prompter.asked.size(), std::size_t{4});
        QCOMPARE(prompter.asked[2].text, std::string("Keep Line Changes?"));
        QVERIFY(w.isVisible());

        // No: closed without a warning, the team keeps its table.
        click(w, "cmdExit");
        QCOMPARE(prompter.asked.size(), std::size_t{5});
        QVERIFY(!w.isVisible());
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

        Lines w(*s, prompter);
        w.show();
        QListWidget* l = list(w);
        int skater = -1;
        for (int r = 0; r < l->count() && skater < 0; ++r)
            if (s->Players[0][static_cast<std::size_t>(l->item(r)->data(Qt::UserRole).toInt())].Pos != PosG)
                skater = l->item(r)->data(Qt::UserRole).toInt();
        selectSlot(w, skater);
        clickSlot(w, 22);
        prompter.yesNo = {true};
        click(w, "cmdExit");

        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.asked.size(), std::size_t{1});
        const std::vector<std::uint8_t> after = readTms();
        QCOMPARE(after.size(), before.size());
        const std::uint8_t* rec = after.data();
        QCOMPARE(int(rec[174 + 12 + 13 * 2]), skater); // X2
        QCOMPARE(int(rec[252]), 0xFF);                 // LinesSet, written as -1
        QCOMPARE(int(rec[253]), 0xFF);
        QVERIFY(std::equal(after.begin() + TeamRec::Size, after.end(), before.begin() + TeamRec::Size));
        QVERIFY(bool(s->Teams[0].LinesSet));
    }

    void closeBoxWarnsAndDrops()
    {
        const LineTable before = s->Teams[3].LineSlots;
        for (const bool escape : {false, true}) {
            prompter = {};
            Lines w(*s, prompter);
            w.show();
            selectSlot(w, 0);
            clickSlot(w, 0);
            if (escape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close();
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QCOMPARE(prompter.asked.size(), std::size_t{1});
            checkAsked(prompter.asked[0], Asked::Message, "Changes were not saved", MsgIcon::Stop,
                       "Edit Lines");
            QCOMPARE(s->Teams[3].LineSlots, before);
        }
        // Without changes nothing is said.
        Lines w(*s, prompter);
        w.show();
        w.close();
        QCOMPARE(prompter.asked.size(), std::size_t{1});
    }

    void autoNeedsTwentyHealthyDressed()
    {
        s->Players[0][3].Sts = 201; // dressed but injured: listed, not counted
        const auto pressAuto = [&](const std::string& expected) {
            prompter = {};
            Lines w(*s, prompter);
            w.show();
            click(w, "cmdAuto");
            if (expected.empty()) {
                QVERIFY(prompter.asked.empty());
                QVERIFY(w.work().LinesChanged);
                const std::uint8_t g = w.work().LineSlots[12][0];
                QCOMPARE(slot(w, 20)->text(), lines::occupied(g) ? fullName(*s, g) : QString());
                return;
            }
            QCOMPARE(prompter.asked.size(), std::size_t{1});
            checkAsked(prompter.asked[0], Asked::Message, expected, MsgIcon::Information, "Auto Lines");
            QVERIFY(!w.work().LinesChanged);
            QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);
        };
        pressAuto("There are only 19 players on the roster.\rSet roster first");
        s->Players[0][3].Sts = 200;
        s->Players[0][22] = player("Extra Defence", PosD, 200, 50);
        pressAuto("There are only 21 players on the roster.\rSet roster first");
        s->Players[0][22].Sts = 100;
        pressAuto("");
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "60000");
    QApplication app(argc, argv);
    LinesWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "lines_window_test.moc"
