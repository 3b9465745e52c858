// Every text of every window against what is actually painted behind it: each text is made
// transparent, the window grabbed, and the text's colour compared with every pixel under the
// text's box by the WCAG contrast ratio, which must be 4.5:1 or more.
#include "qt_test_main.h"

#include "every_window.h"
#include "temp_dir.h"
#include "ui/common/artwork.h"
#include "ui/common/theme.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>
#include <optional>

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
        // Inside the frame, if it has one, and the margin the box keeps before its text.
        const int frame =
            e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
        const QRect inside = e->contentsRect().adjusted(frame + 2, frame, -frame - 2, -frame);
        return Text{w, QPalette::Text, inWindow(w, fm.boundingRect(inside, int(e->alignment()), e->text()))};
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

// Each text of the window whose worst contrast with the pixels behind it is below 4.5:1.
QStringList failures(QWidget& window, const QString& name)
{
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
    QStringList out;
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
        if (least < 4.5)
            out << QString("%1 %2 (%3): %4").arg(name, t.w->objectName(), ink.name()).arg(least, 0, 'f', 2);
    }
    return out;
}

} // namespace

class ContrastTest : public QObject {
    Q_OBJECT

  private slots:
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

    // Every window in every state worth a look (a second run at 1.5).
    void everyWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        bb::test::TempDir home;
        QStringList all;
        bb::test::showEveryWindow(home.path(),
                                  [&](QWidget& w, const QString& name) { all << failures(w, name); });
        QVERIFY2(all.isEmpty(), qPrintable(all.join("; ")));
    }
};

BB_QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
