// The game roster editor: the manager sorts the current team's players into the farm roster,
// the scratches and the game roster, and keeps the result on Exit.
#pragma once

#include "coach/roster/roster_work.h"
#include "coach/roster/waivers.h"
#include "core/prompter.h"
#include "core/session.h"

#include "ui/common/editor_dialog.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bb {

class Roster : public ui::EditorDialog {
    Q_OBJECT
  public:
    // Opens on team slot 0, which holds the players of CurTeam; the commit writes the waiver,
    // release and log files named by files.
    Roster(Session& session, Prompter& prompter, roster::RosterFiles files, QWidget* parent = nullptr);
    // The same with the files in the session's home folder.
    Roster(Session& session, Prompter& prompter, QWidget* parent = nullptr);

    // Opens the player card for CurPlayer, modal over this window; tests put their own here.
    std::function<void()> openPlayerCard;

    const roster::RosterWork& work() const { return work_; }


    // Tall enough for a whole game roster in each list; the window shrinks from it on a small
    // screen, and scrolls below the lists' least.
    QSize sizeHint() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void arrange();
    void connectControls();

    void listPlayers();
    void ShowPlayer(std::uint8_t Ply);
    // The roster slots of the selected rows of list1(k), top to bottom as shown.
    std::vector<std::uint8_t> selectedSlots(int k) const;

    void listClicked(int k);
    void listDoubleClicked(int k);
    void cmdMovePlayerClicked(int Index);
    void cmdAutoClicked();
    void cmdExitClicked();
    void nameEntered();
    void ratingEntered(int Index);

    // The mark that protect mode puts after a name in the lists; empty outside protect mode.
    roster::ProtectMark protectMark() const;
    // A double click in protect mode: the protection toggle on CurPlayer, whose row is item row
    // of list1(k).
    void toggleProtection(int k, int row);

    Session& session_;
    Prompter& prompter_;
    roster::RosterFiles files_;
    roster::RosterWork work_;
    bool closing_ = false;

    QLabel* Label1 = nullptr;
    std::array<QListWidget*, 3> list1{};
    QLabel* Label6 = nullptr; // over list1(0)
    QLabel* Label3 = nullptr; // over list1(1)
    QLabel* Label2 = nullptr; // over list1(2)
    QLabel* Label5 = nullptr;
    std::array<QPushButton*, 4> cmdMovePlayer{};
    QPushButton* cmdAuto = nullptr;
    QPushButton* cmdExit = nullptr;
    std::array<QCheckBox*, 5> Check1{};
    QCheckBox* chkProtect = nullptr;
    QLineEdit* txtName = nullptr;
    std::array<QLineEdit*, 13> txtRating{};
    QLineEdit* txtOverall = nullptr;
    QLineEdit* txtAge = nullptr;
    QLineEdit* txtHand = nullptr;
    QLineEdit* txtPos = nullptr;
};

} // namespace bb
