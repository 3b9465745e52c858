// League data beyond every limit the records allow, shown by every window: each case gives a safe
// display (under the sanitizers: nothing read out of bounds), shows names as plain text, and
// leaves the files as they were when nothing is committed.
#include "file_bytes.h"
#include "qt_test_main.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

using bb::test::readBytes;


struct Case {
    const char* what;
    std::function<void(bb::TeamRec&, std::array<bb::PlayerRec, bb::RosterSize>&)> spoil;
    std::function<void(QWidget& card, QWidget& view)> check = [](QWidget&, QWidget&) {};
};

QString text(QWidget& w, const char* name)
{
    auto* l = w.findChild<QLabel*>(name);
    if (!l)
        qFatal("no %s", name);
    return l->text();
}

// Each record of team 0 in the league's own files, spoiled, and the league loaded from them.
struct SpoiltLeague {
    bb::test::TempDir home;
    bb::Session s;
    bb::test::ScriptedPrompter p;

    explicit SpoiltLeague(const Case& c)
    {
        bb::demo::Options o;
        o.teams = 4;
        if (!bb::demo::writeDemoLeague(home / "league", o).ok())
            qFatal("no league");
        const std::string path = (home / "league" / "demo").string();
        Bytes tms = readBytes(path + ".tms"), ros = readBytes(path + ".ros");
        auto team = bb::TeamRec::decode(std::span<const std::uint8_t, bb::TeamRec::Size>(tms.data(), bb::TeamRec::Size));
        std::array<bb::PlayerRec, bb::RosterSize> players;
        for (std::size_t i = 0; i < players.size(); ++i)
            players[i] = bb::PlayerRec::decode(
                std::span<const std::uint8_t, bb::PlayerRec::Size>(ros.data() + i * bb::PlayerRec::Size, bb::PlayerRec::Size));
        c.spoil(team, players);
        const auto t = team.encoded();
        std::copy(t.begin(), t.end(), tms.begin());
        for (std::size_t i = 0; i < players.size(); ++i) {
            const auto b = players[i].encoded();
            std::copy(b.begin(), b.end(), ros.begin() + static_cast<std::ptrdiff_t>(i * bb::PlayerRec::Size));
        }
        std::ofstream(path + ".tms", std::ios::binary).write(reinterpret_cast<const char*>(tms.data()), std::ssize(tms));
        std::ofstream(path + ".ros", std::ios::binary).write(reinterpret_cast<const char*>(ros.data()), std::ssize(ros));
        std::ofstream(home / "benchset.def") << path << "\r\n";
    }

    std::vector<Bytes> files() const
    {
        std::vector<Bytes> out;
        for (const char* f : {"swp.t", "swp.r", "swp.l", "benchset.def"})
            out.push_back(readBytes(home / f));
        out.push_back(Bytes{static_cast<std::uint8_t>(fs::exists(home / "waivers.dat") || fs::exists(home / "released.dat"))});
        return out;
    }
};

void click(QWidget& w, const char* name)
{
    auto* b = w.findChild<QAbstractButton*>(name);
    if (!b)
        qFatal("no %s", name);
    b->click();
}

// Shows a window, paints it whole and runs what is asked of it.
template <class W> void show(W& w)
{
    w.show();
    QCoreApplication::processEvents();
    (void)w.grab();
}

} // namespace

class BadDataTest : public QObject {
    Q_OBJECT

  private slots:
    void everyWindowShowsItSafely()
    {
        const auto each = [](auto& players, auto f) {
            for (std::size_t i = 0; i < players.size(); ++i)
                if (!players[i].isEmpty())
                    f(players[i], i);
        };
        const Case cases[] = {
            {"position codes 5 and 255",
             [&](auto&, auto& pl) { each(pl, [](bb::PlayerRec& p, std::size_t i) { p.Pos = i % 2 ? 5 : 255; }); },
             [](QWidget& card, QWidget&) { QCOMPARE(text(card, "lblPos"), "?"); }},
            {"statuses 7, 99, 107, 255",
             [&](auto&, auto& pl) {
                 const std::uint8_t sts[] = {7, 99, 107, 255};
                 each(pl, [&](bb::PlayerRec& p, std::size_t i) { p.Sts = sts[i % 4]; });
             }},
            {"conference 2, division 4", [](bb::TeamRec& t, auto&) { t.Conf = 2, t.Div = 4; },
             [](QWidget&, QWidget& view) { QCOMPARE(text(view, "lblConf") + text(view, "lblDiv"), ""); }},
            {"conference and division 255", [](bb::TeamRec& t, auto&) { t.Conf = 255, t.Div = 255; }},
            {"line cells 50 to 254",
             [](bb::TeamRec& t, auto&) {
                 int v = 0;
                 for (auto& line : t.LineSlots)
                     for (auto& cell : line)
                         cell = static_cast<std::uint8_t>(50 + v++ * 3);
             }},
            {"more than 255 games", [](bb::TeamRec& t, auto&) { t.Wins[0] = t.Losses[0] = t.Ties[0] = 250; },
             [](QWidget&, QWidget& view) { QCOMPARE(text(view, "lblGP"), "750"); }},
            {"every byte 0xFF but the names",
             [&](bb::TeamRec& t, auto& pl) {
                 std::array<std::uint8_t, bb::TeamRec::Size> tb;
                 tb.fill(0xFF);
                 const auto name = t.Name;
                 t = bb::TeamRec::decode(tb);
                 t.Name = name;
                 each(pl, [](bb::PlayerRec& p, std::size_t) {
                     std::array<std::uint8_t, bb::PlayerRec::Size> b;
                     b.fill(0xFF);
                     const auto n = p.Name;
                     p = bb::PlayerRec::decode(b);
                     p.Name = n;
                 });
             }},
            {"names of NULs after a letter, of 0xFF, and markup",
             [&](bb::TeamRec& t, auto& pl) {
                 t.Name.b.fill('\0');
                 t.Name.b[0] = 'N';
                 t.Coach.Name.assign("<b>Coach</b>");
                 t.Arena.b.fill('\xFF');
                 each(pl, [](bb::PlayerRec& p, std::size_t i) {
                     if (i % 3 == 0)
                         p.Name.assign("<b>Bold</b> <i>it</i>");
                     else if (i % 3 == 1)
                         p.Name.b.fill('\xFF');
                     else
                         p.Name.b.fill('\0'), p.Name.b[0] = 'Z';
                 });
             },
             [](QWidget& card, QWidget& view) {
                 QCOMPARE(text(view, "lblCoach"), "<b>Coach</b>" + QString(10, ' '));
                 QCOMPARE(text(card, "Label1"), "<b>Bold</b> <i>it</i> (N)");
                 QCOMPARE(card.findChild<QLabel*>("Label1")->textFormat(), Qt::PlainText);
             }},
        };
        for (const Case& c : cases) {
            SpoiltLeague lg(c);
            bb::ui::Main main(lg.s, lg.p);
            main.startUp(lg.home.path());
            show(main);
            QVERIFY2(lg.s.LeagueLoaded, c.what);
            const auto before = lg.files();
            lg.s.CurTeam = 0;
            QVERIFY(bb::LoadTeam(lg.s, 0, 0).ok());
            {
                bb::Lines lines(lg.s, lg.p);
                show(lines);
                for (const char* b : {"optPP", "optPK", "optEven", "cmdAuto"})
                    click(lines, b);
                if (auto* l = lines.findChild<QListWidget*>("List2"); l->count() > 0)
                    l->setCurrentRow(0);
                QTest::mouseClick(lines.findChild<QWidget*>("lblPlayer(0)"), Qt::LeftButton);
                (void)lines.grab();
            }
            {
                bb::Roster roster(lg.s, lg.p);
                show(roster);
                click(roster, "chkProtect");
                click(roster, "cmdAuto");
                (void)roster.grab();
            }
            QVERIFY(bb::LoadTeam(lg.s, 0, 0).ok());
            std::unique_ptr<bb::PlayerInfo> shown;
            for (std::uint8_t i = 0; i < bb::RosterSize; ++i) {
                if (lg.s.Players[0][i].isEmpty())
                    continue;
                lg.s.CurPlayer = i;
                auto card = std::make_unique<bb::PlayerInfo>(lg.s);
                show(*card);
                if (!shown)
                    shown = std::move(card);
            }
            bb::DisplayTeam view(lg.s, lg.p);
            show(view);
            QVERIFY2(shown, c.what);
            c.check(*shown, view);
            QVERIFY2(lg.files() == before, c.what);
        }
    }
};

BB_QTEST_MAIN(BadDataTest)
#include "bad_data_test.moc"
