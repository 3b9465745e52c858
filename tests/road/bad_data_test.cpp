// League data beyond every limit the records allow, shown by every window: each case gives a safe
// display (under the sanitizers: nothing read out of bounds), shows names as plain text, and
// leaves the files as they were when nothing is committed.
#include "file_bytes.h"
#include "qt_test_main.h"
#include "temp_dir.h"
#include "window_controls.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "ui/main/main_window.h"

#include <QListWidget>

#include <fstream>
#include <functional>
#include <map>
#include <memory>

namespace fs = std::filesystem;
using namespace bb::test;
// Spoils team 0 in the league's own files: its record opens the team file, its 50 players the
// roster file.
using Spoil = std::function<void(Bytes& tms, Bytes& ros)>;

// What the case is, its spoiling, and names of labels on the team view with their texts as they must read.
struct Case { const char* what; Spoil spoil; const char* labels = ""; QString shown = {}; };

// Changes each listed player's record: f gets its bytes and its slot.
static Spoil eachPlayer(const std::function<void(std::uint8_t*, std::size_t)>& f)
{
    return [f](Bytes&, Bytes& ros) {
        for (std::size_t i = 0; i < bb::RosterSize; ++i)
            if (ros[i * 86] != 0)
                f(&ros[i * 86], i);
    };
}

// Shows a window and paints it whole, then again after each button's press.
static void show(QWidget& w, std::initializer_list<const char*> buttons = {})
{
    w.show(), QCoreApplication::processEvents(), (void)w.grab();
    for (const char* b : buttons)
        press(&w, b), (void)w.grab();
}

class BadDataTest : public QObject {
    Q_OBJECT

  private slots:
    void everyWindowShowsItSafely()
    {
        const std::uint8_t sts[] = {7, 99, 107, 255};
        const Case cases[] = {
            {"position codes 5 and 255", eachPlayer([](auto* p, std::size_t i) { p[22] = i % 2 ? 5 : 255; })},
            {"statuses 7, 99, 107, 255", eachPlayer([&](auto* p, std::size_t i) { p[30] = sts[i % 4]; })},
            {"conference 2, division 4", [](auto& t, auto&) { t[97] = 2, t[98] = 4; }, "lblConf lblDiv",
             "||"},
            {"division 4 of a known conference", [](auto& t, auto&) { t[97] = 1, t[98] = 4; },
             "lblConf lblDiv", "Highland    ||"},
            {"line cells 50 to 254",
             [](auto& t, auto&) { for (int i = 0; i < 65; ++i) t[174 + i] = std::uint8_t(50 + i * 3); }},
            {"every byte 0xFF but the names: conference and division 255, 765 games",
             [](auto& t, auto& ros) {
                 std::fill(&t[10], &t[254], 0xFF);
                 eachPlayer([](auto* p, std::size_t) { std::fill(p + 22, p + 86, 0xFF); })(t, ros);
             },
             "lblConf lblDiv lblGP", "||765|"},
            {"names of NULs after a letter, of 0xFF, and markup",
             [](auto& t, auto& ros) {
                 t[0] = 'N', std::fill(&t[1], &t[10], 0), std::fill(&t[64], &t[94], 0xFF);
                 std::ranges::copy(std::string_view("<b>Coach</b>          "), &t[103]);
                 const std::string names[] = {"<b>Bold</b> <i>it</i> ", std::string(22, '\xFF'),
                                              "Z" + std::string(21, '\0')};
                 eachPlayer([&](auto* p, std::size_t i) { std::ranges::copy(names[i % 3], p); })(t, ros);
             },
             "lblCoach", "<b>Coach</b>" + QString(10, ' ') + "|"},
        };
        TempDir home;
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {"demo", 4, 1, false}).ok());
        const std::string lg = (home / "league" / "demo").string();
        const Bytes goodTms = readBytes(lg + ".tms"), goodRos = readBytes(lg + ".ros");
        std::ofstream(home / "benchset.def") << lg << "\r\n";
        const auto files = [&] {
            std::map<fs::path, Bytes> out;
            for (const auto& e : fs::directory_iterator(home.path()))
                out[e.path()] = readBytes(e.path());
            return out;
        };
        for (const Case& c : cases) {
            Bytes tms = goodTms, ros = goodRos;
            c.spoil(tms, ros), writeBytes(lg + ".tms", tms), writeBytes(lg + ".ros", ros);
            bb::Session s;
            ScriptedPrompter p;
            bb::ui::Main main(s, p);
            main.startUp(home.path());
            show(main);
            s.CurTeam = 0;
            QVERIFY2(s.LeagueLoaded && bb::LoadTeam(s, 0, 0).ok(), c.what);
            const auto before = files();
            bb::Lines lines(s, p);
            show(lines, {"optPP", "optPK", "optEven", "cmdAuto"});
            child<QListWidget>(&lines, "List2")->setCurrentRow(0);
            QTest::mouseClick(child(&lines, "lblPlayer(0)"), Qt::LeftButton);
            (void)lines.grab();
            bb::Roster roster(s, p);
            show(roster, {"chkProtect", "cmdAuto"});
            for (s.CurPlayer = 0; s.CurPlayer < bb::RosterSize; ++s.CurPlayer)
                if (!s.Players[0][s.CurPlayer].isEmpty())
                    show(*std::make_unique<bb::PlayerInfo>(s));
            bb::DisplayTeam view(s, p);
            show(view);
            QCOMPARE(*c.labels ? texts(&view, c.labels) : "", c.shown);
            QVERIFY2(files() == before, c.what);
        }
    }
};

BB_QTEST_MAIN(BadDataTest)
#include "bad_data_test.moc"
