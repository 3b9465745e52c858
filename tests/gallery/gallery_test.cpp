// Renders every window on the demo league, and every box the program raises, to PNG files, so that
// anyone can look at all of them in a minute: BUILD/gallery/scale-S/NAME.png, S from
// QT_SCALE_FACTOR, with each window's sizes listed in sizes.txt. It also checks what can be
// checked by machine: at its preferred size every window fits 1366 x 768 at 125 % and
// 1920 x 1080 at 150 %, and it shrinks to fit 1366 x 768 at 150 %.
#include "qt_test_main.h"

#include "every_window.h"
#include "temp_dir.h"
#include "ui/common/qt_prompter.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

// Client areas in device-independent pixels: the screen at the scale, less a title bar and a
// panel (a little less of both where the scale is larger).
constexpr QSize Laptop125(1366 * 4 / 5, 768 * 4 / 5 - 64);   // 1092 x 550
constexpr QSize Desktop150(1920 * 2 / 3, 1080 * 2 / 3 - 64); // 1280 x 656
constexpr QSize Laptop150(1366 * 2 / 3, 768 * 2 / 3 - 42);   // 910 x 470

QString sizeText(QSize s)
{
    return QString("%1x%2").arg(s.width()).arg(s.height());
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
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        out = QDir(QCoreApplication::applicationDirPath() + "/../../gallery/scale-" +
                   (scale.isEmpty() ? QString("1") : QString::fromLatin1(scale)));
        QVERIFY(out.mkpath("."));
        for (const QString& old : out.entryList({"*.png"}, QDir::Files))
            QVERIFY(out.remove(old));
    }

    void everyWindow()
    {
        QFile sizes(out.filePath("sizes.txt"));
        QVERIFY(sizes.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QStringList misfits;
        bb::test::showEveryWindow(home.path(), [&](QWidget& w, const QString& name) {
            const QSize want = w.sizeHint().expandedTo(w.minimumSize());
            const QSize least = w.minimumSize().expandedTo(w.minimumSizeHint());
            const QString line = name + ": preferred " + sizeText(want) + ", minimum " + sizeText(least);
            sizes.write((line + "\n").toUtf8());
            if (want != want.boundedTo(Laptop125).boundedTo(Desktop150) ||
                least != least.boundedTo(Laptop150))
                misfits << line;
            if (!w.grab().save(out.filePath(name + ".png")))
                misfits << name + " not saved";
            if (name == "lines-even") { // as small as 1366 x 768 at 150 % leaves it: the contents scroll
                w.resize(Laptop150);
                QCoreApplication::processEvents();
                w.grab().save(out.filePath("lines-small.png"));
            }
        });
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join("; ")));
    }

    // Every box the program raises, with its own words; names and errors as the demo gives them.
    void messageBoxes()
    {
        using bb::MsgIcon;
        const std::string file = (home / "Colddale.lns").string();
        const std::string nospace = "Cannot write " + file + ": No space left on device";
        const std::string unreadable =
            "Cannot read " + (home / "swp.r").string() + ": No such file or directory";
        struct Box {
            const char* name;
            char kind; // '!' a message, '?' a question, '>' a text to type
            std::string text;
            MsgIcon icon;
            std::string title;
        };
        const Box boxes[] = {
            // The line editor and its lines file.
            {"auto-lines", '!', "There are only 19 players on the roster.\rSet roster first",
             MsgIcon::Information, "Auto Lines"},
            {"keep-lines", '?', "Keep Line Changes?", MsgIcon::None, "Keep Changes"},
            {"lines-not-complete", '!', "Lines are not complete", MsgIcon::Stop, "Edit Lines"},
            {"lines-not-kept", '!', "The lines could not be saved.\r" + nospace, MsgIcon::Stop, "Edit Lines"},
            {"lines-not-saved", '!', "Changes were not saved", MsgIcon::Stop, "Edit Lines"},
            {"password", '>', "Password?", MsgIcon::None, "Save Lines"},
            {"lines-file-not-saved", '!', "The lines could not be saved to " + file + ".\r" + nospace,
             MsgIcon::Stop, "Save Lines"},
            {"lines-file-errors", '!', "Errors in File", MsgIcon::None, "Invalid File"},
            {"lines-password", '!', "Password Incorrect", MsgIcon::Stop, "Import Lines"},
            {"lines-not-valid", '!', "Colddale lines are not valid", MsgIcon::None, "Invalid Lines"},
            // The roster editor, its commit and the waivers.
            {"unavailable", '!', "Ivo Anderquist         is unavailable", MsgIcon::None, ""},
            {"not-to-farm", '!', "Ivo Anderquist         cannot be sent to farm", MsgIcon::None, ""},
            {"roster-full", '!', "Roster is full", MsgIcon::Stop, "Set Roster"},
            {"not-enough", '!', "Not enough players", MsgIcon::Information, "Auto Roster"},
            {"keep-roster", '?', "Keep Roster Changes?", MsgIcon::None, "Keep Changes"},
            {"roster-not-complete", '!', "Roster not complete", MsgIcon::Stop, "Edit Roster"},
            {"roster-not-kept", '!', "The roster could not be saved.\r" + nospace, MsgIcon::Stop,
             "Edit Roster"},
            {"roster-not-saved", '!', "Changes were not saved", MsgIcon::Stop, "Edit Roster"},
            {"waivers", '?', "Put Ivo Anderquist on waivers?", MsgIcon::None, "Keep changes?"},
            {"clear-waivers", '!', "Player must clear waivers first", MsgIcon::Information, "Colddale  "},
            // The main window, the About box and the team view.
            {"running", '!', "Benchboss is already running in this folder.", MsgIcon::Stop, ""},
            {"team-unreadable", '!', unreadable, MsgIcon::Stop, ""},
            {"sysinfo", '!', "System Information Is Unavailable At This Time", MsgIcon::None, ""},
            {"team-view-unreadable", '!',
             "The team's players could not be read, so its figures are not shown.\n" + unreadable,
             MsgIcon::Stop, "Team Info"},
        };
        bb::ui::QtPrompter real;
        for (const Box& b : boxes) {
            const QString name = b.name;
            bool seen = false;
            QTimer::singleShot(0, this, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    QCoreApplication::processEvents();
                    seen = box->grab().save(out.filePath("box-" + name + ".png"));
                    box->close();
                }
            });
            if (b.kind == '>')
                real.askText(b.text, b.title, "");
            else if (b.kind == '?')
                real.askYesNo(b.text, b.icon, b.title);
            else
                real.message(b.text, b.icon, b.title);
            QVERIFY2(seen, b.name);
        }
    }
};

BB_QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
