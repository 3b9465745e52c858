// Every window of the program on the demo league, for tests that look at all of them alike.
#pragma once

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>

namespace bb::test {

// Writes the demo league to home/league and a defaults file naming it, then shows each window at
// its preferred size and hands it to see with a name: the main window, the About box, the line
// editor in its three modes and with a slot reached by Tab, the roster editor in both modes (some
// players protected), the player card of a skater and of a goalie, and the team view with its
// balance below zero and above.
inline void showEveryWindow(const std::filesystem::path& home,
                            const std::function<void(QWidget&, const QString&)>& see)
{
    if (!demo::writeDemoLeague(home / "league", {}).ok())
        qFatal("no demo league");
    std::ofstream(home / "benchset.def") << (home / "league" / "demo").string() << "\r\n";
    ScriptedPrompter prompter;
    auto s = std::make_unique<Session>();
    const auto look = [&](QWidget& w, const QString& name) {
        w.resize(w.sizeHint().expandedTo(w.minimumSize()));
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("%s not shown", qPrintable(name));
        QCoreApplication::processEvents();
        see(w, name);
    };
    const auto click = [](QWidget& w, const char* name) { w.findChild<QAbstractButton*>(name)->click(); };
    const auto loadTeam = [&](int team) {
        s = std::make_unique<Session>();
        s->init(home);
        s->CurTeam = static_cast<std::uint8_t>(team);
        if (!LoadLg(*s, (home / "league" / "demo").string()).ok() || !LoadTeam(*s, team, 0).ok())
            qFatal("the demo league does not load");
    };

    {
        ui::Main w(*s, prompter);
        w.startUp(home);
        look(w, "main");
        ui::frmAbout about(prompter);
        look(about, "about");
    }
    loadTeam(0);
    {
        Lines w(*s, prompter);
        look(w, "lines-even");
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            qFatal("the line editor never came to the front");
        w.findChild<QWidget*>("lblPlayer(3)")->setFocus(Qt::TabFocusReason);
        look(w, "lines-keyboard");
        click(w, "optPP");
        look(w, "lines-pp");
        click(w, "optPK");
        look(w, "lines-pk");
    }
    int marked = 0;
    for (auto& p : s->Players[0])
        if (!p.isEmpty() && p.Pos != PosG && marked++ % 3 == 0)
            p.Protected.set(true);
    {
        Roster w(*s, prompter);
        w.findChild<QListWidget*>("list1(2)")->setCurrentRow(2);
        look(w, "roster");
        w.findChild<QCheckBox*>("chkProtect")->click();
        look(w, "roster-protect");
    }
    loadTeam(1);
    for (const bool goalie : {false, true}) {
        s->CurPlayer = 0;
        while (s->Players[0][s->CurPlayer].isEmpty() || (s->Players[0][s->CurPlayer].Pos == PosG) != goalie)
            ++s->CurPlayer;
        PlayerInfo card(*s);
        look(card, goalie ? "card-goalie" : "card-skater");
    }
    for (const std::int32_t cash : {0, 400000000}) {
        loadTeam(2);
        s->Teams[2].Cash = cash;
        DisplayTeam view(*s, prompter);
        look(view, cash == 0 ? "team-view-below-zero" : "team-view");
    }
}

} // namespace bb::test
