// Renders every window on the demo league, and every box the program raises, to PNG files, so that
// anyone can look at all of them in a minute: BUILD/gallery/scale-S/NAME.png, S from
// QT_SCALE_FACTOR, with each one's sizes listed in sizes.txt. It also checks what a machine can:
// at its preferred size every window and box fits 1366 x 768 at 125 % and 1920 x 1080 at 150 %, it
// shrinks to fit 1366 x 768 at 150 %, and every text stands out from what is painted under its
// letters by the WCAG contrast ratio of 4.5:1 or more.
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
#include "window_controls.h"

#include <QDir>
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
        const auto lin = [](double v) { return v <= 0.04 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

    bb::test::TempDir home;
    QDir out{QCoreApplication::applicationDirPath() + "/../../gallery/scale-" +
             qEnvironmentVariable("QT_SCALE_FACTOR", "1")};
    QFile sizes{out.filePath("sizes.txt")};
    QStringList faults; // what does not fit or does not stand out

    // Shows the window at its preferred size (or the size given), lists its sizes and saves its
    // picture. For the contrast every text is made transparent and the window grabbed: the pixels
    // that change when the texts come back are the letters', and that grab holds what lies under them.
    void look(QWidget& window, const QString& name, QSize size = {})
    {
        const QSize want = window.sizeHint().expandedTo(window.minimumSize());
        const QSize least = window.minimumSize().expandedTo(window.minimumSizeHint());
        const auto text = [](QSize s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
        const QString line = name + ": preferred " + text(want) + ", minimum " + text(least);
        sizes.write((line + "\n").toUtf8());
        if (want != want.boundedTo(Laptop125) || least != least.boundedTo(Laptop150))
            faults << line;
        window.resize(size.isValid() ? size : want);
        window.show();
        window.activateWindow(); // in front, as a window just opened is
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();
        std::vector<std::tuple<QWidget*, QPalette, QColor>> inks; // each text, its palette, its colour
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisible() || w->property("text").toString().isEmpty()) // labels, text boxes, buttons
                continue;
            const auto role = w->inherits("QLineEdit")     ? QPalette::Text
                              : w->inherits("QPushButton") ? QPalette::ButtonText
                                                           : QPalette::WindowText;
            QPalette hidden = w->palette();
            inks.emplace_back(w, hidden, hidden.color(QPalette::Active, role));
            hidden.setColor(role, Qt::transparent);
            w->setPalette(hidden);
        }
        const QImage under = window.grab().toImage();
        for (const auto& [w, was, ink] : inks)
            w->setPalette(was);
        const QPixmap picture = window.grab();
        QVERIFY(picture.save(out.filePath(name + ".png")));
        const QImage shown = picture.toImage();
        const qreal dpr = shown.devicePixelRatio();
        for (const auto& [w, was, ink] : inks) {
            const QRect px = QRect(w->mapTo(&window, QPoint(0, 0)) * dpr, w->size() * dpr) & shown.rect();
            double lowest = 21;
            for (int y = px.top(); y <= px.bottom(); ++y)
                for (int x = px.left(); x <= px.right(); ++x)
                    if (shown.pixel(x, y) != under.pixel(x, y))
                        lowest = std::min(lowest, contrast(ink, QColor(under.pixel(x, y))));
            if (lowest < 4.5)
                faults << name + " " + w->objectName() + " (" + ink.name() + "): " + QString::number(lowest);
        }
    }

  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        out.removeRecursively(); // no picture of a window that is gone
        QVERIFY(out.mkpath("."));
        QVERIFY(sizes.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }
    void init() { faults.clear(); }
    void cleanup() { QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; "))); }

    // Every window: the main window, the About box, the line editor in its three modes, at its
    // smallest and with a slot reached by Tab, the roster editor in both modes (some players
    // protected), the player card of a skater and of a goalie, and the team view with its balance
    // below zero (in red) and above.
    void everyWindow()
    {
        QVERIFY(bb::demo::writeDemoLeague(home / "league", {}).ok());
        std::ofstream(home / "benchset.def") << (home / "league" / "demo").string() << "\r\n";
        bb::test::ScriptedPrompter prompter;
        auto s = std::make_unique<bb::Session>();
        const auto loadTeam = [&](std::uint8_t t) { QVERIFY(bb::LoadTeam(*s, s->CurTeam = t, 0).ok()); };
        bb::ui::Main main(*s, prompter);
        main.startUp(home.path());
        look(main, "main");
        bb::ui::frmAbout about(prompter);
        look(about, "about");
        loadTeam(0);
        bb::Lines lines(*s, prompter);
        look(lines, "lines-even");
        look(lines, "lines-small", Laptop150); // as small as 1366 x 768 at 150 % leaves it: it scrolls
        bb::test::child(&lines, "lblPlayer(3)")->setFocus(Qt::TabFocusReason);
        look(lines, "lines-keyboard");
        for (const QString mode : {"PP", "PK"})
            bb::test::press(&lines, "opt" + mode), look(lines, "lines-" + mode.toLower());
        for (const int p : {0, 3, 7, 12, 16})
            s->Players[0][p].Protected.set(true);
        bb::Roster roster(*s, prompter);
        bb::test::child<QListWidget>(&roster, "list1(2)")->setCurrentRow(2);
        look(roster, "roster");
        bb::test::press(&roster, "chkProtect");
        look(roster, "roster-protect");
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
    }

    // Every box the program raises, with its own words; names from the demo league, errors as the system
    // words them.
    void messageBoxes()
    {
        using enum bb::MsgIcon;
        const std::string nospace = "Cannot write /home/coach/Colddale.lns: No space left on device";
        const std::string unreadable = "Cannot read /home/coach/swp.r: No such file or directory";
        // Each box: its file name, '!' a message, '?' a question or '>' a text to type, its words.
        const std::tuple<const char*, char, std::string, bb::MsgIcon, std::string> boxes[] = {
            {"auto-lines", '!', "There are only 19 players on the roster.\rSet roster first", Information,
             "Auto Lines"},
            {"keep-lines", '?', "Keep Line Changes?", None, "Keep Changes"},
            {"lines-not-complete", '!', "Lines are not complete", Stop, "Edit Lines"},
            {"lines-not-kept", '!', "The lines could not be saved.\r" + nospace, Stop, "Edit Lines"},
            {"lines-not-saved", '!', "Changes were not saved", Stop, "Edit Lines"},
            {"password", '>', "Password?", None, "Save Lines"},
            {"lines-file-not-saved", '!',
             "The lines could not be saved to /home/coach/Colddale.lns.\r" + nospace, Stop, "Save Lines"},
            {"lines-file-errors", '!', "Errors in File", None, "Invalid File"},
            {"lines-password", '!', "Password Incorrect", Stop, "Import Lines"},
            {"lines-not-valid", '!', "Colddale lines are not valid", None, "Invalid Lines"},
            {"unavailable", '!', "Ivo Anderquist         is unavailable", None, ""},
            {"not-to-farm", '!', "Ivo Anderquist         cannot be sent to farm", None, ""},
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
            bool seen = false;
            QTimer::singleShot(0, this, [&, picture = QString("box-") + name] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    look(*box, picture);
                    seen = box->close();
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
