// The line editor: the manager sets the current team's thirteen lines by hand or automatically.
#pragma once

#include "coach/lines/line_table.h"
#include "core/prompter.h"
#include "core/session.h"

#include "ui/common/editor_dialog.h"

#include <QDialog>
#include <QLabel>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QCloseEvent;
class QGridLayout;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QMouseEvent;
class QPaintEvent;
class QPushButton;
class QRadioButton;

namespace bb {

namespace ui {
class ScrollFrame;
}

namespace lines {

// A label that acts on a click, and on Space or Enter once Tab has brought the keyboard to it;
// a hidden one takes neither. Drawn as a slot, it shows a well that a name fills.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

    void setSlotLook(bool slot) { slot_ = slot; }

signals:
    void clicked();
    // An arrow key while the label has the keyboard: where the keyboard should go next.
    void arrowPressed(int key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool slot_ = false;
};

} // namespace lines

class Lines : public ui::EditorDialog {
    Q_OBJECT
public:
    Lines(Session& session, Prompter& prompter, QWidget* parent = nullptr);

    // Opens the player card for CurPlayer, modal over this window; tests put their own here.
    std::function<void()> openPlayerCard;

    const lines::LineWork& work() const { return work_; }


protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void arrange();
    void setTabChain();
    void connectControls();
    // Moves the keyboard from slot index to the nearest shown slot in the arrow's direction.
    void stepFrom(int index, int key);

    lines::Mode mode() const;
    // The roster slot of the row the user has selected, if any.
    std::optional<std::uint8_t> selectedSlot() const;

    void AddPlayers();
    void DisplayLines();
    void showSlot(int index);
    void DisplayPlayer(std::uint8_t Ply);
    void showSelectedPlayer();
    void ReadLineAssgts();
    void applyModeCaptions(lines::Mode m);
    void FocusLine(int x);

    void listClicked();
    void listDoubleClicked();
    void slotClicked(int index);
    void modeSelected(lines::Mode m);
    void autoClicked();
    void loadLinesClicked();
    void exitClicked();

    Session& session_;
    Prompter& prompter_;
    lines::LineWork work_;
    lines::AssignmentTexts assignments_{};
    ui::ScrollFrame* frame_ = nullptr;

    lines::ClickableLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QListWidget* List2 = nullptr;
    std::array<QCheckBox*, 5> Check1{};
    QLabel* lblAssignedCaption = nullptr; // lblPlyrStat(17)
    QLabel* lblLineString = nullptr;
    QLineEdit* txtPos = nullptr;
    QLineEdit* txtAge = nullptr;
    QLineEdit* txtHand = nullptr;
    std::array<QLineEdit*, 13> txtRating{};
    QLineEdit* txtOverall = nullptr;
    QLineEdit* txtName = nullptr;
    std::array<QLineEdit*, 13> txtLnAvgRating{};
    QLineEdit* txtLnOverall = nullptr;
    QLabel* lblLineFocus = nullptr;
    QGridLayout* statsGrid = nullptr;
    QLabel* Label5 = nullptr;
    std::array<lines::ClickableLabel*, 4> Label1{};
    std::array<QLabel*, 10> Label2{};
    std::array<lines::ClickableLabel*, 23> lblPlayer{};
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QRadioButton* optEven = nullptr;
    QRadioButton* optPP = nullptr;
    QRadioButton* optPK = nullptr;
    QPushButton* cmdAuto = nullptr;
    QPushButton* cmdLoadLines = nullptr;
    QPushButton* cmdSaveLines = nullptr;
    QPushButton* cmdExit = nullptr;
};

} // namespace bb
