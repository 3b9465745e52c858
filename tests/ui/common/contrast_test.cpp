// Every text of every window against what is actually painted behind it: each text is made
// transparent, the window grabbed, and the text's colour compared with every pixel under the
// text's box by the WCAG contrast ratio, which must be 4.5:1 or more.
#include "qt_test_main.h"

#include "coach/lines/lines_window.h"
#include "coach/playercard/player_info.h"
#include "coach/roster/roster_window.h"
#include "core/league_io.h"
#include "demo_league.h"
#include "manager/display_team.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/common/artwork.h"
#include "ui/common/theme.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>

namespace {

double channel(int c)
{
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(QColor c)
{
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text on screen: the control, the palette role it is drawn with, and where it stands.
struct Text {
    QWidget* w;
    QPalette::ColorRole role;
    QRect box; // in the window's coordinates
};

QRect inWindow(QWidget* w, const QRect& r)
{
    return QRect(w->mapTo(w->window(), r.topLeft()), r.size());
}

// Where a control draws its text; nothing for a control that shows none.
std::optional<Text> textOf(QWidget* w)
{
    if (!w->isVisible())
        return std::nullopt;
    const QFontMetrics fm = w->fontMetrics();
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty())
            return std::nullopt;
        const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
        return Text{w, l->foregroundRole(),
                    inWindow(w, fm.boundingRect(l->contentsRect(), flags, l->text()))};
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text().isEmpty())
            return std::nullopt;
        return Text{w, QPalette::Text,
                    inWindow(w, fm.boundingRect(e->rect(), int(e->alignment()), e->text()))};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QRect contents = b->style()->subElementRect(
            qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt,
            b);
        return Text{w, QPalette::WindowText,
                    inWindow(w, fm.boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter, b->text()))};
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        // The middle of the caption, clear of an icon beside it.
        QRect box = fm.boundingRect(b->rect(), Qt::AlignCenter, b->text());
        const int cut = box.width() / 4;
        return Text{w, QPalette::ButtonText, inWindow(w, box.adjusted(cut, 0, -cut, 0))};
    }
    return std::nullopt;
}

// The worst contrast of each text of the window with the pixels behind it, by the text's colour.
std::map<QString, double> measure(QWidget& window, QStringList& failures)
{
    // At its preferred size: every text in view, none behind a scroll bar.
    window.resize(window.sizeHint().expandedTo(window.minimumSize()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("window not shown");
    QCoreApplication::processEvents();
    std::vector<Text> texts;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (const auto t = textOf(w))
            texts.push_back(*t);
    std::vector<std::pair<QColor, QPalette>> saved;
    for (const Text& t : texts) {
        const QPalette was = t.w->palette();
        saved.emplace_back(was.color(QPalette::Active, t.role), was);
        QPalette hidden = was;
        hidden.setColor(t.role, Qt::transparent);
        t.w->setPalette(hidden);
    }
    QCoreApplication::processEvents();
    const QImage ground = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double dpr = ground.devicePixelRatio();
    std::map<QString, double> worst;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Text& t = texts[i];
        t.w->setPalette(saved[i].second);
        const QColor ink = saved[i].first;
        const QRect px = QRect(QPoint(int(t.box.left() * dpr), int(t.box.top() * dpr)),
                               QPoint(int(t.box.right() * dpr), int(t.box.bottom() * dpr)))
                             .intersected(ground.rect());
        double least = 21;
        for (int y = px.top(); y <= px.bottom(); ++y)
            for (int x = px.left(); x <= px.right(); ++x)
                least = std::min(least, contrast(ink, QColor(ground.pixel(x, y))));
        const QString key = QString("%1,%2,%3").arg(ink.red()).arg(ink.green()).arg(ink.blue());
        worst[key] = worst.count(key) ? std::min(worst[key], least) : least;
        if (least < 4.5)
            failures << QString("%1 %2 (%3): %4")
                            .arg(window.objectName(), t.w->objectName(), key)
                            .arg(least, 0, 'f', 2);
    }
    return worst;
}

} // namespace

class ContrastTest : public QObject {
    Q_OBJECT

    bb::test::TempDir home;
    std::unique_ptr<bb::Session> s;
    bb::test::ScriptedPrompter prompter;
    QStringList failures;

    void report(QWidget& w, const QString& name)
    {
        QString line = name + ":";
        for (const auto& [colour, ratio] : measure(w, failures))
            line += QString(" (%1) %2").arg(colour).arg(ratio, 0, 'f', 2);
        qInfo("%s", qPrintable(line));
    }
    void loadTeam(int team)
    {
        s = std::make_unique<bb::Session>();
        s->init(home.path());
        QVERIFY(bb::LoadLg(*s, (home / "demo").string()).ok());
        s->CurTeam = static_cast<std::uint8_t>(team);
        QVERIFY(bb::LoadTeam(*s, team, 0).ok());
    }

  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(bb::demo::writeDemoLeague(home.path(), {}).ok());
        std::ofstream(home / "benchset.def") << (home / "demo").string() << "\r\n";
    }
    void init() { failures.clear(); }
    void cleanup() { QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; "))); }

    // The palette's own pairs: lists, text boxes, buttons and both kinds of selected row.
    void paletteAndTextColours()
    {
        const QPalette pal = bb::ui::themePalette();
        const auto pair = [&](QPalette::ColorGroup g, QPalette::ColorRole text, QPalette::ColorRole ground) {
            return contrast(pal.color(g, text), pal.color(g, ground));
        };
        for (const auto g : {QPalette::Active, QPalette::Inactive}) {
            QVERIFY(pair(g, QPalette::Text, QPalette::Base) >= 4.5);
            QVERIFY(pair(g, QPalette::HighlightedText, QPalette::Highlight) >= 4.5);
            QVERIFY(pair(g, QPalette::ButtonText, QPalette::Button) >= 4.5);
            QVERIFY(pair(g, QPalette::WindowText, QPalette::Window) >= 4.5);
            // A selected row stands out from the rows around it.
            QVERIFY(pair(g, QPalette::Highlight, QPalette::Base) >= 3);
        }
        // The ground's lightest colour with the text colours drawn on it.
        const QColor bottom = bb::ui::nightBottom();
        QVERIFY(contrast(bb::ui::captionColour(), bottom) >= 4.5 &&
                contrast(bb::ui::valueColour(), bottom) >= 4.5);
        // Pure red fails on the ground itself: the balance needs a ground of its own.
        QVERIFY(contrast(QColor(255, 0, 0), bb::ui::nightTop()) < 4.5);
    }

    void mainAndAbout()
    {
        s = std::make_unique<bb::Session>();
        bb::ui::Main w(*s, prompter);
        w.startUp(home.path());
        QVERIFY(s->LeagueLoaded);
        report(w, "main");
        bb::ui::frmAbout about(prompter);
        report(about, "about");
    }

    void editors()
    {
        loadTeam(0);
        {
            bb::Lines w(*s, prompter);
            report(w, "lines even");
            w.findChild<QAbstractButton*>("optPP")->click();
            report(w, "lines pp");
            w.findChild<QAbstractButton*>("optPK")->click();
            report(w, "lines pk");
        }
        int marked = 0;
        for (auto& p : s->Players[0])
            if (!p.isEmpty() && marked++ % 3 == 0)
                p.Protected.set(true);
        bb::Roster w(*s, prompter);
        w.findChild<QCheckBox*>("chkProtect")->click();
        report(w, "roster");
    }

    void cardsAndTeamView()
    {
        loadTeam(1);
        for (const bool goalie : {false, true}) {
            s->CurPlayer = 0;
            while (s->Players[0][s->CurPlayer].isEmpty() ||
                   (s->Players[0][s->CurPlayer].Pos == bb::PosG) != goalie)
                ++s->CurPlayer;
            bb::PlayerInfo card(*s);
            report(card, goalie ? "goalie card" : "skater card");
        }
        // A balance below zero, drawn red, and one above, drawn white.
        for (const std::int32_t cash : {0, 400000000}) {
            loadTeam(2);
            s->Teams[2].Cash = cash;
            bb::DisplayTeam view(*s, prompter);
            QCOMPARE(view.findChild<QLabel*>("lblProjBal")->palette().color(QPalette::WindowText),
                     cash == 0 ? QColor(255, 0, 0) : QColor(255, 255, 255));
            report(view, cash == 0 ? "team view, balance below zero" : "team view, balance above zero");
        }
    }
};

BB_QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
