// Renders every window on the demo league, and every box the program raises, to PNG files, so that
// anyone can look at all of them in a minute: BUILD/gallery/scale-S/NAME.png, S from
// QT_SCALE_FACTOR, with each window's sizes listed in sizes.txt. It also checks what can be
// checked by machine: at its preferred size every window fits 1366 x 768 at 125 % and
// 1920 x 1080 at 150 %, and it shrinks to fit 1366 x 768 at 150 %.
#include "qt_test_main.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/qt_prompter.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>

#include <fstream>
#include <functional>
#include <memory>

namespace {

QString scaleName()
{
    const QByteArray s = qgetenv("QT_SCALE_FACTOR");
    return "scale-" + (s.isEmpty() ? QString("1") : QString::fromLatin1(s));
}

// Client areas in device-independent pixels: the screen at the scale, less a title bar and a
// panel (a little less of both where the scale is larger).
constexpr QSize Laptop125(1366 * 4 / 5, 768 * 4 / 5 - 64);   // 1092 x 550
constexpr QSize Desktop150(1920 * 2 / 3, 1080 * 2 / 3 - 64); // 1280 x 656
constexpr QSize Laptop150(1366 * 2 / 3, 768 * 2 / 3 - 42);   // 910 x 470

bool within(QSize s, QSize room)
{
    return s.width() <= room.width() && s.height() <= room.height();
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

    bb::test::TempDir home;
    std::unique_ptr<bb::Session> s;
    bb::test::ScriptedPrompter prompter;
    QDir out;
    QFile sizes;

    // At its preferred size, as a screen with the room shows it.
    void save(QWidget& w, const QString& name)
    {
        w.resize(w.sizeHint().expandedTo(w.minimumSize()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        QVERIFY2(w.grab().save(out.filePath(name + ".png")), qPrintable(name));
    }
    void fits(QWidget& w, const QString& name)
    {
        const QSize want = w.sizeHint().expandedTo(w.minimumSize());
        const QSize least = w.minimumSize().expandedTo(w.minimumSizeHint());
        sizes.write(QString("%1: preferred %2x%3, minimum %4x%5\n")
                        .arg(name)
                        .arg(want.width())
                        .arg(want.height())
                        .arg(least.width())
                        .arg(least.height())
                        .toUtf8());
        QVERIFY2(within(want, Laptop125) && within(want, Desktop150),
                 qPrintable(QString("%1 wants %2x%3").arg(name).arg(want.width()).arg(want.height())));
        QVERIFY2(within(least, Laptop150),
                 qPrintable(QString("%1 needs %2x%3").arg(name).arg(least.width()).arg(least.height())));
    }
    // Raises a box through the program's prompter and saves it.
    void saveBox(const QString& name, const std::function<void(bb::Prompter&)>& raise)
    {
        bb::ui::QtPrompter real;
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            seen = true;
            QCoreApplication::processEvents();
            box->grab().save(out.filePath("box-" + name + ".png"));
            box->close();
        });
        raise(real);
        QVERIFY2(seen, qPrintable(name));
    }
    void message(const QString& name, const std::string& text, bb::MsgIcon icon, const std::string& title)
    {
        saveBox(name, [&](bb::Prompter& p) { p.message(text, icon, title); });
    }
    void question(const QString& name, const std::string& text, const std::string& title)
    {
        saveBox(name, [&](bb::Prompter& p) { p.askYesNo(text, bb::MsgIcon::None, title); });
    }

    void loadTeam(int team)
    {
        s->init(home.path());
        QVERIFY(bb::LoadLg(*s, (home / "league" / "demo").string()).ok());
        s->CurTeam = static_cast<std::uint8_t>(team);
        QVERIFY(bb::LoadTeam(*s, team, 0).ok());
    }

  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        out = QDir(QCoreApplication::applicationDirPath() + "/../../gallery/" + scaleName());
        QVERIFY(out.mkpath("."));
        for (const QString& old : out.entryList({"*.png"}, QDir::Files))
            QVERIFY(out.remove(old));
        sizes.setFileName(out.filePath("sizes.txt"));
        QVERIFY(sizes.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {}).ok());
        std::ofstream(home / "benchset.def") << (home / "league" / "demo").string() << "\r\n";
    }
    void init()
    {
        s = std::make_unique<bb::Session>();
        prompter = {};
    }

    void mainAndAbout()
    {
        bb::ui::Main w(*s, prompter);
        w.startUp(home.path());
        QVERIFY(s->LeagueLoaded);
        fits(w, "main");
        save(w, "main");
        bb::ui::frmAbout about(prompter);
        fits(about, "about");
        save(about, "about");
    }

    void lineEditor()
    {
        loadTeam(0);
        bb::Lines w(*s, prompter);
        fits(w, "lines");
        save(w, "lines-even");
        // Where the keyboard is: a slot reached by Tab.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QWidget*>("lblPlayer(3)")->setFocus(Qt::TabFocusReason);
        save(w, "lines-keyboard");
        w.findChild<QAbstractButton*>("optPP")->click();
        save(w, "lines-pp");
        w.findChild<QAbstractButton*>("optPK")->click();
        save(w, "lines-pk");
        // As small as 1366 x 768 at 150 % leaves it: the contents scroll.
        w.findChild<QAbstractButton*>("optEven")->click();
        w.resize(Laptop150);
        QCoreApplication::processEvents();
        QVERIFY(w.grab().save(out.filePath("lines-small.png")));
    }

    void rosterEditor()
    {
        loadTeam(0);
        // A few protected players, so that protect mode has marks to show.
        int marked = 0;
        for (auto& p : s->Players[0])
            if (!p.isEmpty() && p.Pos != bb::PosG && marked++ % 3 == 0)
                p.Protected.set(true);
        bb::Roster w(*s, prompter);
        fits(w, "roster");
        auto* game = w.findChild<QListWidget*>("list1(2)");
        game->setCurrentRow(2);
        save(w, "roster");
        w.findChild<QCheckBox*>("chkProtect")->click();
        save(w, "roster-protect");
    }

    void playerCards()
    {
        loadTeam(1);
        for (const bool goalie : {false, true}) {
            s->CurPlayer = 0;
            while (s->Players[0][s->CurPlayer].isEmpty() ||
                   (s->Players[0][s->CurPlayer].Pos == bb::PosG) != goalie)
                ++s->CurPlayer;
            bb::PlayerInfo card(*s);
            fits(card, "card");
            save(card, goalie ? "card-goalie" : "card-skater");
        }
    }

    void teamView()
    {
        loadTeam(2);
        bb::DisplayTeam view(*s, prompter);
        fits(view, "team view");
        save(view, "team-view");
    }

    // Every box the program raises, with its own words; names and errors as the demo gives them.
    void messageBoxes()
    {
        using bb::MsgIcon;
        const std::string file = (home / "Colddale.lns").string();
        const std::string nospace = "Cannot write " + file + ": No space left on device";
        // The line editor and its lines file.
        message("auto-lines", "There are only 19 players on the roster.\rSet roster first",
                MsgIcon::Information, "Auto Lines");
        question("keep-lines", "Keep Line Changes?", "Keep Changes");
        message("lines-not-complete", "Lines are not complete", MsgIcon::Stop, "Edit Lines");
        message("lines-not-kept", "The lines could not be saved.\r" + nospace, MsgIcon::Stop, "Edit Lines");
        message("lines-not-saved", "Changes were not saved", MsgIcon::Stop, "Edit Lines");
        saveBox("password", [](bb::Prompter& p) { p.askText("Password?", "Save Lines", ""); });
        message("lines-file-not-saved", "The lines could not be saved to " + file + ".\r" + nospace,
                MsgIcon::Stop, "Save Lines");
        message("lines-file-errors", "Errors in File", MsgIcon::None, "Invalid File");
        message("lines-password", "Password Incorrect", MsgIcon::Stop, "Import Lines");
        message("lines-not-valid", "Colddale lines are not valid", MsgIcon::None, "Invalid Lines");
        // The roster editor, its commit and the waivers.
        message("unavailable", "Ivo Anderquist         is unavailable", MsgIcon::None, "");
        message("not-to-farm", "Ivo Anderquist         cannot be sent to farm", MsgIcon::None, "");
        message("roster-full", "Roster is full", MsgIcon::Stop, "Set Roster");
        message("not-enough", "Not enough players", MsgIcon::Information, "Auto Roster");
        question("keep-roster", "Keep Roster Changes?", "Keep Changes");
        message("roster-not-complete", "Roster not complete", MsgIcon::Stop, "Edit Roster");
        message("roster-not-kept", "The roster could not be saved.\r" + nospace, MsgIcon::Stop,
                "Edit Roster");
        message("roster-not-saved", "Changes were not saved", MsgIcon::Stop, "Edit Roster");
        question("waivers", "Put Ivo Anderquist on waivers?", "Keep changes?");
        message("clear-waivers", "Player must clear waivers first", MsgIcon::Information, "Colddale  ");
        // The main window, the About box and the team view.
        message("running", "Benchboss is already running in this folder.", MsgIcon::Stop, "");
        message("team-unreadable", "Cannot read " + (home / "swp.r").string() + ": No such file or directory",
                MsgIcon::Stop, "");
        message("sysinfo", "System Information Is Unavailable At This Time", MsgIcon::None, "");
        message("team-view-unreadable",
                "The team's players could not be read, so its figures are not shown.\nCannot read " +
                    (home / "swp.r").string() + ": No such file or directory",
                MsgIcon::Stop, "Team Info");
    }
};

BB_QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
