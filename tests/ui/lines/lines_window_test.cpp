#include "coach/lines/lines_window.h"

#include "core/league_io.h"
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
using bb::test::ScriptedPrompter;

namespace {

// The fixture's roster: slots 0-3 centres, 4-7 left wings, 8-11 right wings, 12-17 defencemen,
// 18-19 goalies, all dressed and healthy; 20 a scratch, 21 on the farm; the rest empty.
constexpr std::uint8_t GoalieSlot = 18;

PlayerRec player(const std::string& name, std::uint8_t pos, std::uint8_t sts, std::uint8_t skill)
{
    PlayerRec p;
    p.Name.assign(name);
    p.Pos = pos;
    p.Sts = sts;
    p.Age = 25;
    p.Shoots = 1;
    p.Skill.fill(skill);
    return p;
}

void fillRoster(Session& s)
{
    const auto posOf = [](int i) -> std::uint8_t {
        if (i < 4)
            return PosC;
        if (i < 8)
            return PosLW;
        if (i < 12)
            return PosRW;
        return i < 18 ? PosD : PosG;
    };
    for (int i = 0; i < 20; ++i)
        s.Players[0][static_cast<std::size_t>(i)] =
            player("Player " + std::to_string(i), posOf(i), 200, static_cast<std::uint8_t>(40 + i));
    s.Players[0][20] = player("Scratched Centre", PosC, 100, 50);
    s.Players[0][21] = player("Farm Wing", PosLW, 0, 50);
}

std::unique_ptr<Session> makeSession()
{
    auto s = std::make_unique<Session>();
    s->init("/nonexistent-benchboss-home");
    s->CurTeam = 3;
    TeamRec& team = s->Teams[3];
    team.Name.assign("Hawks");
    for (auto& line : team.LineSlots)
        line.fill(NoPlayer);
    return s;
}

template <class T> T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control named %s", qPrintable(name));
    return c;
}

QLabel* slot(QWidget& w, int i)
{
    return child<QLabel>(w, QStringLiteral("lblPlayer(%1)").arg(i));
}
QLabel* header(QWidget& w, int k)
{
    return child<QLabel>(w, QStringLiteral("Label1(%1)").arg(k));
}
QLineEdit* avgBox(QWidget& w, int k)
{
    return child<QLineEdit>(w, QStringLiteral("txtLnAvgRating(%1)").arg(k));
}
QListWidget* list(QWidget& w)
{
    return child<QListWidget>(w, QStringLiteral("List2"));
}

void clickSlot(QWidget& w, int i)
{
    QTest::mouseClick(slot(w, i), Qt::LeftButton);
}

// Selects the list row that shows roster slot p, as a click on it would.
void selectSlot(QWidget& w, int p)
{
    QListWidget* l = list(w);
    for (int r = 0; r < l->count(); ++r) {
        if (l->item(r)->data(Qt::UserRole).toInt() == p) {
            const QRect rect = l->visualItemRect(l->item(r));
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
            if (l->currentRow() != r)
                l->setCurrentRow(r);
            return;
        }
    }
    qFatal("roster slot %d is not listed", p);
}

QString full(const Session& s, int p)
{
    return QString::fromLatin1(s.Players[0][static_cast<std::size_t>(p)].Name.str());
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& name, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <std::size_t N> void append(std::vector<std::uint8_t>& out, const std::array<std::uint8_t, N>& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// A two-team league on disk whose team 1 has the given players and record.
std::string writeLeague(const std::filesystem::path& dir, const std::array<PlayerRec, RosterSize>& players,
                        const TeamRec& team1)
{
    LeagueRec league;
    league.Name.assign("Test League");
    league.MaxTeam = 1;
    std::vector<std::uint8_t> lge;
    append(lge, league.encoded());
    TeamRec team0;
    team0.Name.assign("Owls");
    for (auto& line : team0.LineSlots)
        line.fill(NoPlayer);
    std::vector<std::uint8_t> tms;
    append(tms, team0.encoded());
    append(tms, team1.encoded());
    std::vector<std::uint8_t> ros(RosterSize * PlayerRec::Size, 0);
    for (const PlayerRec& p : players)
        append(ros, p.encoded());
    const std::filesystem::path base = dir / "hand";
    writeFile(base.string() + ".lge", lge);
    writeFile(base.string() + ".tms", tms);
    writeFile(base.string() + ".ros", ros);
    return base.string();
}

} // namespace

class LinesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        s = makeSession();
        prompter = ScriptedPrompter{};
    }

    void opensWithoutDressedPlayers()
    {
        s->Players[0][0] = player("Farm Hand", PosC, 0, 50);
        s->Players[0][1] = player("Scratch", PosD, 100, 50);
        Lines w(*s, prompter);
        w.show();
        QCOMPARE(w.objectName(), QStringLiteral("Lines"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Lines"));
        QCOMPARE(child<QLabel>(w, "Label6")->text(), QStringLiteral("Lines for Hawks     "));
        QCOMPARE(list(w)->count(), 0);
        QCOMPARE(list(w)->accessibleName(), QStringLiteral("Select Player"));
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("No Assignments"));
        QCOMPARE(child<QLabel>(w, "lblPlyrStat(17)")->text(), QStringLiteral("Assigned to"));
        QCOMPARE(child<QLineEdit>(w, "txtPos")->text(), QString());

        clickSlot(w, 0);
        clickSlot(w, 20);
        QVERIFY(!w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);

        child<QPushButton>(w, "cmdAuto")->click();
        QCOMPARE(prompter.messages(),
                 std::vector<std::string>{"There are only 0 players on the roster.\rSet roster first"});
    }

    void opensOnFirstDressedPlayer()
    {
        fillRoster(*s);
        s->Players[0][2].Sts = 203; // injured but dressed: listed
        s->Teams[3].LineSlots[0][0] = 4;
        s->Teams[3].LineSlots[4][0] = 4;
        s->Teams[3].LineSlots[12][1] = 4;
        s->CurPlayer = 40;
        Lines w(*s, prompter);
        w.show();

        QListWidget* l = list(w);
        QCOMPARE(l->count(), 20);
        for (int r = 0; r < l->count(); ++r) {
            QCOMPARE(l->item(r)->data(Qt::UserRole).toInt(), r);
            QCOMPARE(l->item(r)->text(), full(*s, r));
        }
        QCOMPARE(l->selectedItems().size(), 1);
        QCOMPARE(l->currentRow(), 0);
        QCOMPARE(s->CurPlayer, 0);
        QCOMPARE(child<QLabel>(w, "lblPlyrStat(17)")->text(), QStringLiteral("Player 0 is assigned to:"));
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("the Pine"));
        QCOMPARE(child<QLineEdit>(w, "txtPos")->text(), QStringLiteral("C"));
        QCOMPARE(child<QLineEdit>(w, "txtHand")->text(), QStringLiteral("R"));
        QCOMPARE(child<QLineEdit>(w, "txtRating(9)")->text(), QStringLiteral("40"));
        QCOMPARE(child<QLineEdit>(w, "txtOverall")->text(), QStringLiteral("45"));

        QVERIFY(child<QRadioButton>(w, "optEven")->isChecked());
        QCOMPARE(child<QLabel>(w, "Label5")->text(), QStringLiteral("Even Strength Lines"));
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(header(w, k)->text(), QStringLiteral("Even Strength Line %1").arg(k + 1));
            QVERIFY(!header(w, k)->font().bold());
        }
        for (int k = 0; k < 13; ++k)
            QCOMPARE(avgBox(w, k)->text(), QString());
        QCOMPARE(child<QLineEdit>(w, "txtLnOverall")->text(), QString());
        for (int i = 0; i < 23; ++i)
            QVERIFY(slot(w, i)->isVisible());

        // The slots show the team's table, names in bold at full width, and say who stands there.
        QCOMPARE(slot(w, 0)->text(), full(*s, 4));
        QVERIFY(slot(w, 0)->font().bold());
        QCOMPARE(slot(w, 0)->accessibleName(), QStringLiteral("Even Strength Line 1, C: Player 4"));
        QCOMPARE(slot(w, 1)->accessibleName(), QStringLiteral("Even Strength Line 1, LW"));
        QCOMPARE(slot(w, 21)->text(), full(*s, 4));
        QCOMPARE(slot(w, 20)->accessibleName(), QStringLiteral("Goalie, Starting Goaltender"));
        QCOMPARE(slot(w, 21)->accessibleName(), QStringLiteral("Extra Skaters, X1: Player 4"));

        // A list click shows the player; a goalie's defence and scoring boxes are locked.
        selectSlot(w, 4);
        QCOMPARE(s->CurPlayer, 4);
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("E1C P1C X1"));
        selectSlot(w, GoalieSlot);
        QCOMPARE(child<QLineEdit>(w, "txtPos")->text(), QStringLiteral("G"));
        QCOMPARE(child<QLineEdit>(w, "txtRating(9)")->text(), QStringLiteral("na"));
        QVERIFY(child<QLineEdit>(w, "txtRating(10)")->isReadOnly());
        selectSlot(w, 12);
        QVERIFY(!child<QLineEdit>(w, "txtRating(10)")->isReadOnly());
        QVERIFY(!w.work().LinesChanged);
    }

    void doubleClickOpensPlayerCard()
    {
        fillRoster(*s);
        Lines w(*s, prompter);
        int opened = -1;
        w.openPlayerCard = [&] { opened = s->CurPlayer; };
        w.show();
        QListWidget* l = list(w);
        const QRect rect = l->visualItemRect(l->item(5));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(opened, 5);
        QCOMPARE(child<QLineEdit>(w, "txtPos")->text(), QStringLiteral("LW"));
    }

    void goalieFilterLeavesNoSelection()
    {
        fillRoster(*s);
        Lines w(*s, prompter);
        w.show();
        selectSlot(w, GoalieSlot);
        child<QCheckBox>(w, "Check1(4)")->click();

        QListWidget* l = list(w);
        QCOMPARE(l->count(), 18);
        for (int r = 0; r < l->count(); ++r)
            QVERIFY(s->Players[0][static_cast<std::size_t>(l->item(r)->data(Qt::UserRole).toInt())].Pos !=
                    PosG);
        QVERIFY(l->selectedItems().isEmpty());
        QCOMPARE(s->CurPlayer, GoalieSlot);
        QCOMPARE(child<QLineEdit>(w, "txtPos")->text(), QStringLiteral("G"));

        clickSlot(w, 20);
        clickSlot(w, 0);
        clickSlot(w, 21);
        QVERIFY(!w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);
        QCOMPARE(slot(w, 20)->text(), QString());

        // A row clicked again makes the slots work.
        selectSlot(w, 0);
        clickSlot(w, 0);
        QCOMPARE(w.work().LineSlots[0][0], 0);
        QVERIFY(w.work().LinesChanged);
    }

    void penaltyKillHidesSpareSlots()
    {
        fillRoster(*s);
        for (std::uint8_t y = 0; y < 5; ++y)
            s->Teams[3].LineSlots[0][y] = y;
        s->Teams[3].LineSlots[3][4] = 15;
        Lines w(*s, prompter);
        w.show();
        child<QRadioButton>(w, "optPK")->click();

        const std::set<int> hidden = {4, 9, 13, 14, 18, 19};
        for (int i = 0; i < 23; ++i)
            QCOMPARE(slot(w, i)->isVisible(), !hidden.count(i));
        QCOMPARE(child<QLabel>(w, "Label5")->text(), QStringLiteral("Penalty Kill Lines"));
        QCOMPARE(header(w, 0)->text(), QStringLiteral("PK Line 1 (4 on 5)"));
        QCOMPARE(header(w, 3)->text(), QStringLiteral("PK Line 2 (3 on 5)"));
        const QStringList pk = {"C", "W", "D", "D", "", "C", "D", "D", "", ""};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("Label2(%1)").arg(i))->text(), pk[i]);
        QVERIFY(header(w, 0)->font().bold());
        QCOMPARE(avgBox(w, 0)->text(), QStringLiteral("0"));

        // A hidden slot takes no click.
        selectSlot(w, 0);
        clickSlot(w, 4);
        QVERIFY(!w.work().LinesChanged);

        child<QRadioButton>(w, "optPP")->click();
        for (int i = 0; i < 20; ++i)
            QCOMPARE(slot(w, i)->isVisible(), i != 14 && i != 19);
        QCOMPARE(child<QLabel>(w, "Label2(6)")->text(), QStringLiteral("W"));

        child<QRadioButton>(w, "optEven")->click();
        for (int i = 0; i < 20; ++i)
            QVERIFY(slot(w, i)->isVisible());
        QCOMPARE(slot(w, 4)->text(), full(*s, 4));
        QCOMPARE(slot(w, 19)->text(), full(*s, 15));
        QCOMPARE(header(w, 1)->text(), QStringLiteral("Even Strength Line 2"));
    }

    void goalieSlotFocusesFirstEvenLine()
    {
        fillRoster(*s);
        // E1: five skaters rated 60, 70, 80, 90 and 50 in every skill; overall is skill + 5.
        const std::array<std::uint8_t, 5> e1 = {0, 4, 8, 12, 13};
        const std::array<std::uint8_t, 5> rating = {60, 70, 80, 90, 50};
        for (std::size_t y = 0; y < 5; ++y) {
            s->Teams[3].LineSlots[0][y] = e1[y];
            s->Players[0][e1[y]].Skill.fill(rating[y]);
        }
        Lines w(*s, prompter);
        w.show();
        child<QRadioButton>(w, "optPP")->click();
        QTest::mouseClick(header(w, 2), Qt::LeftButton);
        QVERIFY(header(w, 2)->font().bold());
        QVERIFY(!header(w, 0)->font().bold());

        selectSlot(w, GoalieSlot);
        clickSlot(w, 0);  // a goalie takes no skater slot
        clickSlot(w, 21); // nor an extra skater's
        QVERIFY(!w.work().LinesChanged);
        clickSlot(w, 20);

        QVERIFY(w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots[12][0], GoalieSlot);
        QCOMPARE(slot(w, 20)->text(), full(*s, GoalieSlot));
        QCOMPARE(slot(w, 20)->accessibleName(), QStringLiteral("Goalie, Starting Goaltender: Player 18"));
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("Starting Goaltender"));
        QCOMPARE(header(w, 0)->text(), QStringLiteral("PP Line 1 (5 on 4)"));
        for (int k = 0; k < 4; ++k)
            QCOMPARE(header(w, k)->font().bold(), k == 0);
        for (int k = 0; k < 13; ++k)
            QCOMPARE(avgBox(w, k)->text(), QStringLiteral("70"));
        QCOMPARE(child<QLineEdit>(w, "txtLnOverall")->text(), QStringLiteral("75"));
    }

    void placementsReplaceAndRefuse()
    {
        fillRoster(*s);
        Lines w(*s, prompter);
        w.show();
        selectSlot(w, 0);
        clickSlot(w, 0); // E1 C
        clickSlot(w, 4); // same line: refused
        clickSlot(w, 5); // E2 C
        QCOMPARE(w.work().LineSlots[0][4], NoPlayer);
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("E1C E2C"));
        QVERIFY(header(w, 1)->font().bold());

        selectSlot(w, 1);
        clickSlot(w, 5); // replaces player 0 at E2 C
        QCOMPARE(slot(w, 5)->text(), full(*s, 1));
        QCOMPARE(slot(w, 5)->accessibleName(), QStringLiteral("Even Strength Line 2, C: Player 1"));
        selectSlot(w, 0);
        QCOMPARE(child<QLabel>(w, "lblLineString")->text(), QStringLiteral("E1C"));
    }

    void exitWithIncompleteLinesStaysOpen()
    {
        fillRoster(*s);
        const LineTable before = s->Teams[3].LineSlots;
        Lines w(*s, prompter);
        w.show();
        selectSlot(w, 0);
        clickSlot(w, 0);
        prompter.yesNo = {true, true, false};

        child<QPushButton>(w, "cmdExit")->click();
        QCOMPARE(prompter.asked.size(), std::size_t{2});
        QCOMPARE(prompter.asked[0].kind, Asked::YesNo);
        QCOMPARE(prompter.asked[0].text, std::string("Keep Line Changes?"));
        QCOMPARE(prompter.asked[0].title, std::string("Keep Changes"));
        QVERIFY(prompter.asked[0].icon == MsgIcon::None);
        QCOMPARE(prompter.asked[1].kind, Asked::Message);
        QCOMPARE(prompter.asked[1].text, std::string("Lines are not complete"));
        QCOMPARE(prompter.asked[1].title, std::string("Edit Lines"));
        QVERIFY(prompter.asked[1].icon == MsgIcon::Stop);
        QVERIFY(w.isVisible());
        QVERIFY(w.work().LinesChanged);
        QCOMPARE(w.work().LineSlots[0][0], 0);

        child<QPushButton>(w, "cmdExit")->click();
        QCOMPARE(prompter.asked.size(), std::size_t{4});
        QCOMPARE(prompter.asked[2].text, std::string("Keep Line Changes?"));
        QVERIFY(w.isVisible());

        // No: the window closes without a warning and the team keeps its table.
        child<QPushButton>(w, "cmdExit")->click();
        QCOMPARE(prompter.asked.size(), std::size_t{5});
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(s->Teams[3].LineSlots, before);
    }

    void exitWithYesCommitsToWorkingFile()
    {
        bb::test::TempDir dir;
        Session src;
        fillRoster(src);
        TeamRec team;
        team.Name.assign("Hawks");
        // Every used cell filled but X2; the spare cells hold a stray roster slot.
        const std::array<std::uint8_t, 5> skaters = {0, 4, 8, 12, 13};
        for (int x = 0; x < LineCount; ++x)
            for (int y = 0; y < LineWidth; ++y)
                team.LineSlots[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] =
                    lines::isUsedCell(x, y) ? skaters[static_cast<std::size_t>(y)] : 7;
        team.LineSlots[12][0] = GoalieSlot;
        team.LineSlots[12][2] = NoPlayer;
        const std::string path = writeLeague(dir.path(), src.Players[0], team);

        s = std::make_unique<Session>();
        s->init(dir.path());
        QVERIFY(LoadLg(*s, path).ok());
        s->CurTeam = 1;
        QVERIFY(LoadTeam(*s, 1, 0).ok());
        const std::vector<std::uint8_t> before = readFile(s->SwapTms);
        QCOMPARE(before.size(), std::size_t{2 * TeamRec::Size});

        Lines w(*s, prompter);
        w.show();
        selectSlot(w, 1);
        clickSlot(w, 22);
        prompter.yesNo = {true};
        child<QPushButton>(w, "cmdExit")->click();

        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.asked.size(), std::size_t{1});
        const std::vector<std::uint8_t> after = readFile(s->SwapTms);
        QCOMPARE(after.size(), before.size());
        QVERIFY(std::equal(after.begin(), after.begin() + TeamRec::Size, before.begin()));
        const std::uint8_t* rec = after.data() + TeamRec::Size;
        QCOMPARE(rec[252], 0xFF); // LinesSet written as -1
        QCOMPARE(rec[253], 0xFF);
        QCOMPARE(rec[174 + 12 + 13 * 2], 1); // X2
        QCOMPARE(rec[174 + 12 + 13 * 0], GoalieSlot);
        for (int x = 6; x < LineCount; ++x)
            QCOMPARE(rec[174 + x + 13 * 4], NoPlayer);
        for (int x = 10; x < LineCount; ++x)
            QCOMPARE(rec[174 + x + 13 * 3], NoPlayer);
        QCOMPARE(rec[174 + 0 + 13 * 4], 13);
        QVERIFY(bool(s->Teams[1].LinesSet));
        // The working copy keeps its spare cells; only the team record is cleaned.
        QCOMPARE(w.work().LineSlots[6][4], 7);
    }

    void closeBoxWarnsAndDrops()
    {
        fillRoster(*s);
        const LineTable before = s->Teams[3].LineSlots;
        {
            Lines w(*s, prompter);
            w.show();
            selectSlot(w, 0);
            clickSlot(w, 0);
            w.close();
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QCOMPARE(prompter.asked.size(), std::size_t{1});
            QCOMPARE(prompter.asked[0].kind, Asked::Message);
            QCOMPARE(prompter.asked[0].text, std::string("Changes were not saved"));
            QCOMPARE(prompter.asked[0].title, std::string("Edit Lines"));
            QVERIFY(prompter.asked[0].icon == MsgIcon::Stop);
            QCOMPARE(s->Teams[3].LineSlots, before);
        }
        {
            Lines w(*s, prompter);
            w.show();
            selectSlot(w, 0);
            clickSlot(w, 0);
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
            QCOMPARE(prompter.messages().size(), std::size_t{2});
            QCOMPARE(s->Teams[3].LineSlots, before);
        }
        {
            // Without changes neither Exit nor the close box says anything.
            Lines w(*s, prompter);
            w.show();
            child<QPushButton>(w, "cmdExit")->click();
            QVERIFY(!w.isVisible());
            Lines v(*s, prompter);
            v.show();
            v.close();
            QCOMPARE(prompter.asked.size(), std::size_t{2});
        }
    }

    void autoNeedsTwentyHealthyDressed()
    {
        fillRoster(*s);
        s->Players[0][3].Sts = 201; // dressed but injured: listed, not counted
        {
            Lines w(*s, prompter);
            w.show();
            QCOMPARE(list(w)->count(), 20);
            child<QPushButton>(w, "cmdAuto")->click();
            QCOMPARE(prompter.asked.size(), std::size_t{1});
            QCOMPARE(prompter.asked[0].text,
                     std::string("There are only 19 players on the roster.\rSet roster first"));
            QCOMPARE(prompter.asked[0].title, std::string("Auto Lines"));
            QVERIFY(prompter.asked[0].icon == MsgIcon::Information);
            QVERIFY(!w.work().LinesChanged);
            QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);
        }
        s->Players[0][3].Sts = 200;
        s->Players[0][22] = player("Extra Defence", PosD, 200, 50);
        {
            Lines w(*s, prompter);
            w.show();
            child<QPushButton>(w, "cmdAuto")->click();
            QCOMPARE(prompter.messages().back(),
                     std::string("There are only 21 players on the roster.\rSet roster first"));
            QVERIFY(!w.work().LinesChanged);
            QCOMPARE(w.work().LineSlots, s->Teams[3].LineSlots);
        }
        s->Players[0][22].Sts = 100;
        {
            // Twenty: the lines are filled and shown, and nothing is asked.
            prompter = ScriptedPrompter{};
            Lines w(*s, prompter);
            w.show();
            child<QPushButton>(w, "cmdAuto")->click();
            QVERIFY(prompter.asked.empty());
            QVERIFY(w.work().LinesChanged);
            for (int i = 0; i < 23; ++i) {
                const lines::Cell c = lines::cellOfSlot(i, lines::Mode::Even);
                const std::uint8_t p =
                    w.work().LineSlots[static_cast<std::size_t>(c.x)][static_cast<std::size_t>(c.y)];
                QCOMPARE(slot(w, i)->text(), lines::occupied(p) ? full(*s, p) : QString());
            }
        }
    }

private:
    std::unique_ptr<Session> s;
    ScriptedPrompter prompter;
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LinesWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "lines_window_test.moc"
