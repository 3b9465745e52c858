#include "ui/common/theme.h"

#include "ui/common/artwork.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace bb::ui {

namespace {

const char* const kOwnFocusMark = "bbOwnFocusMark";

// Each row is given at most the width the list shows, so that the view lays it out that wide
// and the style ends a longer text in an ellipsis.
class RowWidthDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize hint = QStyledItemDelegate::sizeHint(option, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(parent()))
            hint.setWidth(std::min(hint.width(), view->viewport()->width()));
        return hint;
    }
};

} // namespace

QColor captionColour()
{
    return {255, 255, 0};
}

QColor valueColour()
{
    return {255, 255, 255};
}

QColor focusColour()
{
    return {255, 191, 0};
}

QPalette themePalette()
{
    const QColor window(14, 40, 76);
    // Dark enough that white passes 4.5:1 over the lighter top of a button's shading too.
    const QColor button(34, 62, 102);
    // The two-colour form derives the bevel shades of buttons and frames from these.
    QPalette pal(button, window);
    const auto all = [&pal](QPalette::ColorRole role, const QColor& c) {
        pal.setColor(QPalette::All, role, c);
    };
    all(QPalette::Window, window);
    all(QPalette::WindowText, valueColour());
    all(QPalette::Base, Qt::white);
    all(QPalette::AlternateBase, QColor(234, 239, 246));
    all(QPalette::Text, QColor(16, 16, 16));
    all(QPalette::PlaceholderText, QColor(96, 96, 96));
    all(QPalette::Button, button);
    all(QPalette::ButtonText, valueColour());
    all(QPalette::BrightText, valueColour());
    all(QPalette::ToolTipBase, QColor(255, 255, 220));
    all(QPalette::ToolTipText, Qt::black);
    all(QPalette::Link, QColor(150, 200, 255));
    // White on this blue passes 4.5:1. The slate of a selection kept aside (in a list without the
    // focus) takes dark text, and still stands out 3:1 from the white rows around it.
    all(QPalette::Highlight, QColor(0, 90, 180));
    all(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::Inactive, QPalette::Highlight, QColor(132, 150, 178));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(16, 16, 16));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, QColor(150, 162, 180));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    pal.setColor(QPalette::Disabled, QPalette::Button, QColor(34, 60, 96));
    return pal;
}

void applyTheme(QWidget* window)
{
    window->setPalette(themePalette());
}

void setTextColour(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

void paintFocusMark(QPainter& p, const QRect& rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(focusColour(), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect).adjusted(1, 1, -1, -1), 3, 3);
    p.restore();
}

void drawsOwnFocusMark(QWidget* w)
{
    w->setProperty(kOwnFocusMark, true);
}

void trackFocus(QWidget* area)
{
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget* from, QWidget* to) {
        if ((from && area->isAncestorOf(from)) || (to && area->isAncestorOf(to)))
            area->update();
    });
}

void paintFocusRing(QPainter& p, const QWidget* area)
{
    const QWidget* f = QApplication::focusWidget();
    if (!f || f == area || !area->isAncestorOf(f) || f->property(kOwnFocusMark).toBool() || !f->isVisible())
        return;
    QSize size = f->size();
    // A check box or option button may be stretched far beyond its text.
    if (qobject_cast<const QCheckBox*>(f) || qobject_cast<const QRadioButton*>(f))
        size.setWidth(std::min(size.width(), f->sizeHint().width()));
    // Just outside the control, in the gap the layout leaves around it.
    paintFocusMark(p, QRect(f->mapTo(area, QPoint(0, 0)), size).adjusted(-3, -3, 3, 3));
}

void showAsValue(QLineEdit* box)
{
    box->setFrame(false);
    box->setFocusPolicy(Qt::ClickFocus);
    QPalette pal = box->palette();
    // A faint well, so that an empty box still reads as a place for a value.
    pal.setColor(QPalette::Base, QColor(255, 255, 255, 20));
    pal.setColor(QPalette::Text, valueColour());
    box->setPalette(pal);
}

void showSelectionInUse(QAbstractItemView* view, bool inUse)
{
    const QPalette from = view->parentWidget() ? view->parentWidget()->palette() : themePalette();
    const QPalette::ColorGroup group = inUse ? QPalette::Active : QPalette::Inactive;
    QPalette pal = view->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Active, role, from.color(group, role));
    view->setPalette(pal);
}

void fitRowsToWidth(QListView* list)
{
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
    // Rows are laid out again whenever the list changes its width.
    list->setResizeMode(QListView::Adjust);
    list->setItemDelegate(new RowWidthDelegate(list));
}

Ground::Ground(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    trackFocus(this);
}

void Ground::addPanel(const QLayout* layout, int margin)
{
    panels_.emplace_back(layout, margin);
}

void Ground::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (kind_ == Kind::Rink)
        paintRinkBackground(p, rect());
    else
        paintNightBackground(p, rect());
    for (const auto& [layout, margin] : panels_)
        if (layout && layout->geometry().isValid())
            paintPanel(p, layout->geometry().adjusted(-margin, -margin, margin, margin));
    paintFocusRing(p, this);
}

ScrollFrame::ScrollFrame(QWidget* content, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    setWidget(content);
}

QSize ScrollFrame::sizeHint() const
{
    const int f = 2 * frameWidth();
    if (!widget())
        return QScrollArea::sizeHint();
    // A content of fixed size has no layout to ask.
    const QWidget* w = widget();
    return w->sizeHint().expandedTo(w->minimumSizeHint()).expandedTo(w->minimumSize()) + QSize(f, f);
}

QSize ScrollFrame::minimumSizeHint() const
{
    // Room for a few rows of controls and the scroll bars; the rest scrolls.
    const int h = fontMetrics().height();
    return QSize(24 * h, 14 * h).boundedTo(sizeHint());
}

ScrollFrame* setScrollableContent(QDialog* dialog, QWidget* content)
{
    auto* frame = new ScrollFrame(content, dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    return frame;
}

void fitToScreen(QWidget* window)
{
    // The layouts settle now: the window's minimum before the window system has a window to tell,
    // and the scrolled contents' before they are first sized, so that showing the window lays
    // everything out at once.
    window->ensurePolished();
    for (QLayout* l : window->findChildren<QLayout*>())
        if (l->parentWidget() && l->parentWidget()->layout() == l)
            l->activate();
    QSize size = window->sizeHint();
    if (const QScreen* screen = window->screen()) {
        // The free room less the title bar the window manager adds.
        const QSize room = screen->availableGeometry().size() -
                           QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
        size = size.boundedTo(room);
    }
    window->resize(size.expandedTo(window->minimumSizeHint()));
}

} // namespace bb::ui
