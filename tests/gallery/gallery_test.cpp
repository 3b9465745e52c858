// Renders every window on the demo league, and every box the program raises, to PNG files, so that
// anyone can look at all of them in a minute: BUILD/gallery/scale-S/NAME.png, S from
// QT_SCALE_FACTOR, with each window's sizes listed in sizes.txt. It also checks what a machine can:
// at its preferred size every window fits 1366 x 768 at 125 % and 1920 x 1080 at 150 %, it shrinks
// to fit 1366 x 768 at 150 %, and every text stands out from what is painted under its letters by
// the WCAG contrast ratio of 4.5:1 or more.
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
#include "ui/common/theme.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <fstream>

namespace {

// Client areas in device-independent pixels: the screen at the scale, less a title bar and a
// panel (a little less of both where the scale is larger). 1920 x 1080 at 150 % leaves 1280 x 656,
// more than the first in both directions.
constexpr QSize Laptop125(1366 * 4 / 5, 768 * 4 / 5 - 64); // 1092 x 550
constexpr QSize Laptop150(1366 * 2 / 3, 768 * 2 / 3 - 42); // 910 x 470

double contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto lin = [](int v) {
            return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Each text of the window that stands out from what is painted under its letters by less than
// 4.5:1. Every text is made transparent and the window grabbed again: the pixels that change are
// the letters', and the second grab holds what lies under them.
QStringList lowContrast(QWidget& window, const QString& name)
{
    std::vector<std::tuple<QWidget*, QPalette, QColor>> inks; // each text, its palette, its colour
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->property("text").toString().isEmpty()) // labels, text boxes, buttons
            continue;
        const auto role = qobject_cast<QLineEdit*>(w)     ? QPalette::Text
                          : qobject_cast<QPushButton*>(w) ? QPalette::ButtonText
                                                          : QPalette::WindowText;
        QPalette hidden = w->palette();
        inks.emplace_back(w, hidden, hidden.color(QPalette::Active, role));
        hidden.setColor(role, Qt::transparent);
        w->setPalette(hidden);
    }
    const QImage under = window.grab().toImage();
    for (const auto& [w, was, ink] : inks)
        w->setPalette(was);
    const QImage shown = window.grab().toImage();
    QStringList out;
    for (const auto& [w, was, ink] : inks) {
        const qreal dpr = shown.devicePixelRatio();
        const QRect px = QRect(w->mapTo(&window, QPoint(0, 0)) * dpr, w->size() * dpr) & shown.rect();
        double least = 21;
        for (int y = px.top(); y <= px.bottom(); ++y)
            for (int x = px.left(); x <= px.right(); ++x)
                if (shown.pixel(x, y) != under.pixel(x, y))
                    least = std::min(least, contrast(ink, QColor(under.pixel(x, y))));
        if (least < 4.5)
            out << QString("%1 %2 (%3): %4").arg(name, w->objectName(), ink.name()).arg(least, 0, 'f', 2);
    }
    return out;
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

    bb::test::TempDir home;
    QDir out;

  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        out = QDir(QCoreApplication::applicationDirPath() + "/../../gallery/scale-" +
                   qEnvironmentVariable("QT_SCALE_FACTOR", "1"));
        out.removeRecursively(); // no picture of a window that is gone
        QVERIFY(out.mkpath("."));
    }

    // Every window at its preferred size: the main window, the About box, the line editor in its
    // three modes and with a slot reached by Tab, the roster editor in both modes (some players
    // protected), the player card of a skater and of a goalie, and the team view with its balance
    // below zero (in red) and above.
    void everyWindow()
    {
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {}).ok());
        std::ofstream(home / "benchset.def") << (home / "league" / "demo").string() << "\r\n";
        QFile sizes(out.filePath("sizes.txt"));
        QVERIFY(sizes.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QStringList faults;
        const auto look = [&](QWidget& w, const QString& name) {
            const QSize want = w.sizeHint().expandedTo(w.minimumSize());
            const QSize least = w.minimumSize().expandedTo(w.minimumSizeHint());
            const auto text = [](QSize s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
            const QString line = name + ": preferred " + text(want) + ", minimum " + text(least);
            sizes.write((line + "\n").toUtf8());
            if (want != want.boundedTo(Laptop125) || least != least.boundedTo(Laptop150))
                faults << line;
            w.resize(want);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCoreApplication::processEvents();
            if (!w.grab().save(out.filePath(name + ".png")))
                faults << name + " not saved";
            faults << lowContrast(w, name);
        };
        bb::test::ScriptedPrompter prompter;
        auto s = std::make_unique<bb::Session>();
        const auto loadTeam = [&](std::uint8_t t) { QVERIFY(bb::LoadTeam(*s, s->CurTeam = t, 0).ok()); };
        bb::ui::Main main(*s, prompter);
        main.startUp(home.path());
        look(main, "main");
        bb::ui::frmAbout about(prompter);
        look(about, "about");
        loadTeam(0);
        {
            bb::Lines w(*s, prompter);
            look(w, "lines-even");
            w.resize(Laptop150); // as small as 1366 x 768 at 150 % leaves it: the contents scroll
            QCoreApplication::processEvents();
            w.grab().save(out.filePath("lines-small.png"));
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.findChild<QWidget*>("lblPlayer(3)")->setFocus(Qt::TabFocusReason);
            look(w, "lines-keyboard");
            w.findChild<QAbstractButton*>("optPP")->click();
            look(w, "lines-pp");
            w.findChild<QAbstractButton*>("optPK")->click();
            look(w, "lines-pk");
        }
        for (const int p : {0, 3, 7, 12, 16})
            s->Players[0][p].Protected.set(true);
        {
            bb::Roster w(*s, prompter);
            w.findChild<QListWidget*>("list1(2)")->setCurrentRow(2);
            look(w, "roster");
            w.findChild<QAbstractButton*>("chkProtect")->click();
            look(w, "roster-protect");
        }
        loadTeam(1);
        for (const bool goalie : {false, true}) {
            s->CurPlayer = 0;
            while (s->Players[0][s->CurPlayer].isEmpty() ||
                   (s->Players[0][s->CurPlayer].Pos == bb::PosG) != goalie)
                ++s->CurPlayer;
            bb::PlayerInfo card(*s);
            look(card, goalie ? "card-goalie" : "card-skater");
        }
        for (const std::int32_t cash : {0, 400000000}) {
            loadTeam(2);
            s->Teams[2].Cash = cash;
            bb::DisplayTeam view(*s, prompter);
            look(view, cash == 0 ? "team-view-below-zero" : "team-view");
        }
        // List rows, selected or not, in a window in front or behind, by the palette they are drawn with.
        using P = QPalette;
        const P pal = bb::ui::themePalette();
        const std::tuple<P::ColorRole, P::ColorRole, double> pairs[] = {
            {P::Text, P::Base, 4.5}, {P::HighlightedText, P::Highlight, 4.5}, {P::Highlight, P::Base, 3.0}};
        for (const auto g : {P::Active, P::Inactive})
            for (const auto& [ink, ground, least] : pairs)
                if (contrast(pal.color(g, ink), pal.color(g, ground)) < least)
                    faults << "list rows " + pal.color(g, ink).name() + " on " + pal.color(g, ground).name();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // Every box the program raises, with its own words; names and errors as the demo gives them.
    void messageBoxes()
    {
        using enum bb::MsgIcon;
        const std::string file = (home / "Colddale.lns").string();
        const std::string nospace = "Cannot write " + file + ": No space left on device";
        const std::string unreadable =
            "Cannot read " + (home / "swp.r").string() + ": No such file or directory";
        const std::string ivo = "Ivo Anderquist         ";
        // Each box: its file name, '!' a message, '?' a question or '>' a text to type, its words.
        const std::tuple<const char*, char, std::string, bb::MsgIcon, std::string> boxes[] = {
            {"auto-lines", '!', "There are only 19 players on the roster.\rSet roster first", Information,
             "Auto Lines"},
            {"keep-lines", '?', "Keep Line Changes?", None, "Keep Changes"},
            {"lines-not-complete", '!', "Lines are not complete", Stop, "Edit Lines"},
            {"lines-not-kept", '!', "The lines could not be saved.\r" + nospace, Stop, "Edit Lines"},
            {"lines-not-saved", '!', "Changes were not saved", Stop, "Edit Lines"},
            {"password", '>', "Password?", None, "Save Lines"},
            {"lines-file-not-saved", '!', "The lines could not be saved to " + file + ".\r" + nospace, Stop,
             "Save Lines"},
            {"lines-file-errors", '!', "Errors in File", None, "Invalid File"},
            {"lines-password", '!', "Password Incorrect", Stop, "Import Lines"},
            {"lines-not-valid", '!', "Colddale lines are not valid", None, "Invalid Lines"},
            {"unavailable", '!', ivo + "is unavailable", None, ""},
            {"not-to-farm", '!', ivo + "cannot be sent to farm", None, ""},
            {"roster-full", '!', "Roster is full", Stop, "Set Roster"},
            {"not-enough", '!', "Not enough players", Information, "Auto Roster"},
            {"keep-roster", '?', "Keep Roster Changes?", None, "Keep Changes"},
            {"roster-not-complete", '!', "Roster not complete", Stop, "Edit Roster"},
            {"roster-not-kept", '!', "The roster could not be saved.\r" + nospace, Stop, "Edit Roster"},
            {"roster-not-saved", '!', "Changes were not saved", Stop, "Edit Roster"},
            {"waivers", '?', "Put Ivo Anderquist on waivers?", None, "Keep changes?"},
            {"clear-waivers", '!', "Player must clear waivers first", Information, "Colddale  "},
            {"running", '!', "Benchboss is already running in this folder.", Stop, ""},
            {"team-unreadable", '!', unreadable, Stop, ""},
            {"sysinfo", '!', "System Information Is Unavailable At This Time", None, ""},
            {"team-view-unreadable", '!',
             "The team's players could not be read, so its figures are not shown.\n" + unreadable, Stop,
             "Team Info"},
        };
        bb::ui::QtPrompter real;
        for (const auto& [name, kind, text, icon, title] : boxes) {
            const QString png = out.filePath(QString("box-") + name + ".png");
            bool seen = false;
            QTimer::singleShot(0, this, [&seen, png] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    QCoreApplication::processEvents();
                    seen = box->grab().save(png);
                    box->close();
                }
            });
            kind == '>'   ? void(real.askText(text, title, ""))
            : kind == '?' ? void(real.askYesNo(text, icon, title))
                          : real.message(text, icon, title);
            QVERIFY2(seen, name);
        }
    }
};

BB_QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
