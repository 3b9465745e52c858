// The program's look, shared by every window: one palette, the colours of captions and values
// over the night-blue ground, the mark that shows where the keyboard is, and the pieces that let
// a window shrink on a small screen instead of being cut off by it.
#pragma once

#include <QColor>
#include <QPalette>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <utility>
#include <vector>

class QAbstractItemView;
class QDialog;
class QLayout;
class QLineEdit;
class QListView;
class QPainter;
class QPaintEvent;

namespace bb::ui {

// Captions over the ground are yellow, the values they name white.
QColor captionColour();
QColor valueColour();
// The keyboard's mark: amber, clear on the night blue and on the light lists alike.
QColor focusColour();

// The palette of every window of the program: light lists and text boxes on the dark ground,
// white text, a selection that is blue in the list in use and grey in one kept aside.
QPalette themePalette();

// Gives a window the program's palette. Message boxes and dialogs are windows of their own and
// keep the system's look.
void applyTheme(QWidget* window);

void setTextColour(QWidget* w, const QColor& colour);

// The keyboard's mark drawn just inside rect.
void paintFocusMark(QPainter& p, const QRect& rect);

// For a control that draws its own mark: the ground around it then draws none.
void drawsOwnFocusMark(QWidget* w);

// The ground `area` rings whichever control inside it has the keyboard focus, and is repainted
// whenever the focus enters, leaves or moves within it.
void trackFocus(QWidget* area);
void paintFocusRing(QPainter& p, const QWidget* area);

// A display-only text box drawn as a value on the ground (white text, no frame), reached by a
// click only so that Tab passes it by.
void showAsValue(QLineEdit* box);

// The selected row drawn as the one in use (the active highlight) or as one kept aside (the
// inactive highlight).
void showSelectionInUse(QAbstractItemView* view, bool inUse);

// Rows no wider than the list: a long text ends in an ellipsis instead of bringing a horizontal
// scroll bar.
void fitRowsToWidth(QListView* list);

// A window's client area on the night-blue ground, plain or with the rink's markings, with
// panels behind the groups of controls that ask for one, and the focus ring.
class Ground : public QWidget {
  public:
    enum class Kind { Plain, Rink };
    explicit Ground(Kind kind, QWidget* parent = nullptr);

    // A panel behind the controls of layout (one of this widget's layouts), margin pixels wider
    // on every side.
    void addPanel(const QLayout* layout, int margin);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Kind kind_;
    std::vector<std::pair<QPointer<const QLayout>, int>> panels_;
};

// A window's contents, scrolled only when the window is smaller than they want to be: its
// preferred size is theirs, its minimum small, so that a small screen shrinks the window.
class ScrollFrame : public QScrollArea {
  public:
    explicit ScrollFrame(QWidget* content, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

// Makes content, in a ScrollFrame, the whole of dialog.
ScrollFrame* setScrollableContent(QDialog* dialog, QWidget* content);

// Sizes a window to its preferred size, or to the screen's free room where that is smaller.
void fitToScreen(QWidget* window);

} // namespace bb::ui
