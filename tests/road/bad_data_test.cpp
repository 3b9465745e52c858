// League data beyond every limit the records allow, shown by every window: each case gives a safe
// display (under the sanitizers: nothing read out of bounds), shows names as plain text, and
// leaves the files as they were when nothing is committed.
#include "file_bytes.h"
#include "qt_test_main.h"
#include "window_controls.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/main/main_window.h"

#include <QLabel>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using bb::test::Bytes;
using bb::test::readBytes;
using Players = std::array<bb::PlayerRec, bb::RosterSize>;

namespace {

struct Case {
    const char* what;
    std::function<void(bb::TeamRec&, Players&)> spoil;
    const char* card = "";                  // label names of the first card, then their texts
    const char* view = "";                  // the same for the team view
    QString cardTexts = {}, viewTexts = {}; // as they must read
};

// Each listed player of team 0, by slot.
void each(Players& pl, const std::function<void(bb::PlayerRec&, std::size_t)>& f)
{
    for (std::size_t i = 0; i < pl.size(); ++i)
        if (!pl[i].isEmpty())
            f(pl[i], i);
}

// Every byte of a record 0xFF but its name.
template <class R> void allFF(R& r)
{
    std::array<std::uint8_t, R::Size> b;
    b.fill(0xFF);
    const auto name = r.Name;
    r = R::decode(b);
    r.Name = name;
}

// The generated league with team 0's records spoiled in the league's own files, named by the
// defaults file so that the main window loads it at start.
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
        auto team = bb::TeamRec::decode(
            std::span<const std::uint8_t, bb::TeamRec::Size>(tms.data(), bb::TeamRec::Size));
        Players players;
        for (std::size_t i = 0; i < players.size(); ++i)
            players[i] = bb::PlayerRec::decode(std::span<const std::uint8_t, bb::PlayerRec::Size>(
                ros.data() + i * bb::PlayerRec::Size, bb::PlayerRec::Size));
        c.spoil(team, players);
        std::ranges::copy(team.encoded(), tms.begin());
        for (std::size_t i = 0; i < players.size(); ++i)
            std::ranges::copy(players[i].encoded(),
                              ros.begin() + static_cast<std::ptrdiff_t>(i * bb::PlayerRec::Size));
        bb::test::writeBytes(path + ".tms", tms);
        bb::test::writeBytes(path + ".ros", ros);
        std::ofstream(home / "benchset.def") << path << "\r\n";
    }

    std::vector<Bytes> files() const
    {
        std::vector<Bytes> out;
        for (const char* f : {"swp.t", "swp.r", "swp.l", "benchset.def"})
            out.push_back(readBytes(home / f));
        out.push_back(Bytes{static_cast<std::uint8_t>(fs::exists(home / "waivers.dat") ||
                                                      fs::exists(home / "released.dat"))});
        return out;
    }
};

// Shows a window and paints it whole.
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
        const std::uint8_t sts[] = {7, 99, 107, 255};
        const Case cases[] = {
            {"position codes 5 and 255",
             [](auto&, auto& pl) {
                 each(pl, [](bb::PlayerRec& p, std::size_t i) { p.Pos = i % 2 ? 5 : 255; });
             },
             "lblPos", "", "?|"},
            {"statuses 7, 99, 107, 255",
             [&](auto&, auto& pl) {
                 each(pl, [&](bb::PlayerRec& p, std::size_t i) { p.Sts = sts[i % 4]; });
             }},
            {"conference 2, division 4", [](bb::TeamRec& t, auto&) { t.Conf = 2, t.Div = 4; }, "",
             "lblConf lblDiv", "", "||"},
            {"conference and division 255", [](bb::TeamRec& t, auto&) { t.Conf = 255, t.Div = 255; }, "",
             "lblConf lblDiv", "", "||"},
            {"division 4 of a known conference", [](bb::TeamRec& t, auto&) { t.Conf = 1, t.Div = 4; }, "",
             "lblConf lblDiv", "", "Highland    ||"},
            {"line cells 50 to 254",
             [](bb::TeamRec& t, auto&) {
                 int v = 0;
                 for (auto& line : t.LineSlots)
                     for (auto& cell : line)
                         cell = static_cast<std::uint8_t>(50 + v++ * 3);
             }},
            {"more than 255 games", [](bb::TeamRec& t, auto&) { t.Wins[0] = t.Losses[0] = t.Ties[0] = 250; },
             "", "lblGP", "", "750|"},
            {"every byte 0xFF but the names",
             [](bb::TeamRec& t, auto& pl) {
                 allFF(t);
                 each(pl, [](bb::PlayerRec& p, std::size_t) { allFF(p); });
             }},
            {"names of NULs after a letter, of 0xFF, and markup",
             [](bb::TeamRec& t, auto& pl) {
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
             "Label1", "lblCoach", "<b>Bold</b> <i>it</i> (N)|", "<b>Coach</b>" + QString(10, ' ') + "|"},
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
                    bb::test::press(&lines, b);
                if (auto* l = bb::test::child<QListWidget>(&lines, "List2"); l->count() > 0)
                    l->setCurrentRow(0);
                QTest::mouseClick(bb::test::child(&lines, "lblPlayer(0)"), Qt::LeftButton);
                (void)lines.grab();
            }
            {
                bb::Roster roster(lg.s, lg.p);
                show(roster);
                bb::test::press(&roster, "chkProtect");
                bb::test::press(&roster, "cmdAuto");
                (void)roster.grab();
            }
            QVERIFY(bb::LoadTeam(lg.s, 0, 0).ok());
            std::unique_ptr<bb::PlayerInfo> first;
            for (std::uint8_t i = 0; i < bb::RosterSize; ++i) {
                if (lg.s.Players[0][i].isEmpty())
                    continue;
                lg.s.CurPlayer = i;
                auto card = std::make_unique<bb::PlayerInfo>(lg.s);
                show(*card);
                if (!first)
                    first = std::move(card);
            }
            bb::DisplayTeam view(lg.s, lg.p);
            show(view);
            QVERIFY2(first, c.what);
            QCOMPARE(*c.card ? bb::test::texts(first.get(), c.card) : QString(), c.cardTexts);
            QCOMPARE(*c.view ? bb::test::texts(&view, c.view) : QString(), c.viewTexts);
            QCOMPARE(bb::test::child<QLabel>(first.get(), "Label1")->textFormat(), Qt::PlainText);
            QVERIFY2(lg.files() == before, c.what);
        }
    }
};

BB_QTEST_MAIN(BadDataTest)
#include "bad_data_test.moc"
