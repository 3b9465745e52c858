// Renders every window on the demo league to PNG files, so that anyone can look at all of them in
// a minute: BUILD/gallery/scale-S/NAME.png, S from QT_SCALE_FACTOR. It also checks what can be
// checked by machine: every window fits a small laptop screen at this scale.
#include "qt_test_main.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/qt_prompter.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <fstream>
#include <memory>

namespace {

QString scaleName()
{
    const QByteArray s = qgetenv("QT_SCALE_FACTOR");
    return "scale-" + (s.isEmpty() ? QString("1") : QString::fromLatin1(s));
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

    bb::test::TempDir home;
    std::unique_ptr<bb::Session> s;
    bb::test::ScriptedPrompter prompter;
    QDir out;

    void save(QWidget& w, const QString& name)
    {
        w.resize(w.sizeHint().expandedTo(w.minimumSize()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        const QPixmap shot = w.grab();
        QVERIFY2(shot.save(out.filePath(name + ".png")), qPrintable(name));
    }
    // A window at its preferred size must fit a 1366 x 768 screen at 125 %, less room for the
    // title bar and a panel.
    void fitsLaptop(QWidget& w, const QString& name)
    {
        const QSize want = w.sizeHint().expandedTo(w.minimumSize());
        const QSize room(int(1366 / 1.25), int(768 / 1.25) - 60);
        QVERIFY2(want.width() <= room.width() && want.height() <= room.height(),
                 qPrintable(QString("%1 wants %2x%3").arg(name).arg(want.width()).arg(want.height())));
    }
    // Runs an action that raises a box through the program's prompter and saves the box.
    void saveBox(const QString& name, const std::function<void(bb::Prompter&)>& raise)
    {
        bb::ui::QtPrompter real;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QCoreApplication::processEvents();
            box->grab().save(out.filePath("box-" + name + ".png"));
            box->close();
        });
        raise(real);
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
        save(w, "main");
        bb::ui::frmAbout about(prompter);
        save(about, "about");
    }

    void lineEditor()
    {
        loadTeam(0);
        bb::Lines w(*s, prompter);
        fitsLaptop(w, "lines");
        save(w, "lines-even");
        w.findChild<QAbstractButton*>("optPP")->click();
        save(w, "lines-pp");
        w.findChild<QAbstractButton*>("optPK")->click();
        save(w, "lines-pk");
    }

    void playerCards()
    {
        loadTeam(1);
        for (const bool goalie : {false, true}) {
            s->CurPlayer = 0;
            while (s->Players[0][s->CurPlayer].isEmpty() || (s->Players[0][s->CurPlayer].Pos == bb::PosG) != goalie)
                ++s->CurPlayer;
            bb::PlayerInfo card(*s);
            fitsLaptop(card, "card");
            save(card, goalie ? "card-goalie" : "card-skater");
        }
    }

    void teamView()
    {
        loadTeam(2);
        bb::DisplayTeam view(*s, prompter);
        fitsLaptop(view, "team view");
        save(view, "team-view");
    }

    void messageBoxes()
    {
        saveBox("keep-lines", [](bb::Prompter& p) { p.askYesNo("Keep Line Changes?", bb::MsgIcon::None, "Keep Changes"); });
        saveBox("not-complete", [](bb::Prompter& p) { p.message("Lines are not complete", bb::MsgIcon::Stop, "Edit Lines"); });
        saveBox("auto-lines", [](bb::Prompter& p) {
            p.message("There are only 19 players on the roster.\rSet roster first", bb::MsgIcon::Information, "Auto Lines");
        });
        saveBox("password", [](bb::Prompter& p) { p.askText("Password?", "Save Lines", ""); });
    }
};

BB_QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
