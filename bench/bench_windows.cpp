// What the manager feels: each editor action and each window's opening on the demo league, from
// the event to the repainted window (the whole window grabbed, which paints every control).
// Offscreen, so the figures leave out the display server but include every widget's work.
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
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

struct League {
    bb::test::TempDir home;
    std::string path;
    League()
    {
        if (!bb::demo::writeDemoLeague(home / "league", {}).ok())
            std::abort();
        path = (home / "league" / "demo").string();
        std::ofstream(home / "benchset.def") << path << "\r\n";
    }
};

League* league = nullptr;

// A session on demo team 0, loaded as the Coach menu loads it.
std::unique_ptr<bb::Session> teamSession()
{
    auto s = std::make_unique<bb::Session>();
    s->init(league->home.path());
    if (!bb::LoadLg(*s, league->path).ok() || !bb::LoadTeam(*s, 0, 0).ok())
        std::abort();
    return s;
}

void paint(QWidget& w)
{
    benchmark::DoNotOptimize(w.grab());
}

template <class T> T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        std::abort();
    return c;
}

void clickRow(QListWidget* l, int row)
{
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

void linesSlotClick(benchmark::State& state)
{
    auto s = teamSession();
    bb::test::ScriptedPrompter p;
    bb::Lines w(*s, p);
    w.show();
    auto* list = child<QListWidget>(w, "List2");
    auto* slot = child<QLabel>(w, "lblPlayer(1)");
    int row = 0;
    for (auto _ : state) {
        // Two skaters in turn, so that every click is a placement the rules accept.
        clickRow(list, row = row == 1 ? 2 : 1);
        QTest::mouseClick(slot, Qt::LeftButton);
        paint(w);
    }
}
BENCHMARK(linesSlotClick)->Unit(benchmark::kMillisecond);

void linesModeSwitch(benchmark::State& state)
{
    auto s = teamSession();
    bb::test::ScriptedPrompter p;
    bb::Lines w(*s, p);
    w.show();
    auto* pp = child<QAbstractButton>(w, "optPP");
    auto* even = child<QAbstractButton>(w, "optEven");
    bool toPP = true;
    for (auto _ : state) {
        (toPP ? pp : even)->click();
        toPP = !toPP;
        paint(w);
    }
}
BENCHMARK(linesModeSwitch)->Unit(benchmark::kMillisecond);

// Auto in either editor: the same roster or lines again, so every press does the whole work.
template <class Editor> void autoButton(benchmark::State& state)
{
    auto s = teamSession();
    bb::test::ScriptedPrompter p;
    Editor w(*s, p);
    w.show();
    auto* button = child<QAbstractButton>(w, "cmdAuto");
    for (auto _ : state) {
        button->click();
        paint(w);
    }
}
BENCHMARK_TEMPLATE(autoButton, bb::Lines)->Name("linesAuto")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(autoButton, bb::Roster)->Name("rosterAuto")->Unit(benchmark::kMillisecond);

void rosterMove(benchmark::State& state)
{
    auto s = teamSession();
    bb::test::ScriptedPrompter p;
    bb::Roster w(*s, p);
    w.show();
    auto* dressed = child<QListWidget>(w, "list1(2)");
    auto* scratches = child<QListWidget>(w, "list1(1)");
    const QString name = dressed->item(0)->text();
    bool scratch = true;
    for (auto _ : state) {
        // The same player scratched, then dressed again.
        QListWidget* from = scratch ? dressed : scratches;
        const auto found = from->findItems(name, Qt::MatchExactly);
        if (found.isEmpty()) {
            state.SkipWithError("player not found");
            break;
        }
        clickRow(from, from->row(found.first()));
        child<QAbstractButton>(w, scratch ? "cmdMovePlayer(0)" : "cmdMovePlayer(1)")->click();
        scratch = !scratch;
        paint(w);
    }
}
BENCHMARK(rosterMove)->Unit(benchmark::kMillisecond);

// Opening a window: built, filled, shown and painted once.
template <class Make> void openWindow(benchmark::State& state, Make make)
{
    auto s = teamSession();
    bb::test::ScriptedPrompter p;
    for (auto _ : state) {
        const auto w = make(*s, p);
        w->show();
        paint(*w);
    }
}
BENCHMARK_CAPTURE(openWindow, Lines, [](bb::Session& s, bb::Prompter& p) { return std::make_unique<bb::Lines>(s, p); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openWindow, Roster, [](bb::Session& s, bb::Prompter& p) { return std::make_unique<bb::Roster>(s, p); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openWindow, PlayerInfo, [](bb::Session& s, bb::Prompter&) { return std::make_unique<bb::PlayerInfo>(s); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openWindow, DisplayTeam,
                  [](bb::Session& s, bb::Prompter& p) { return std::make_unique<bb::DisplayTeam>(s, p); })
    ->Unit(benchmark::kMillisecond);

// The main window, starting up on the league its defaults file names.
void openMain(benchmark::State& state)
{
    for (auto _ : state) {
        bb::Session s;
        bb::test::ScriptedPrompter p;
        bb::ui::Main w(s, p);
        w.startUp(league->home.path());
        w.show();
        paint(w);
    }
}
BENCHMARK(openMain)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    League l;
    league = &l;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
