// The player card: everything the program knows about one player of the managed team, read-only.
#pragma once

#include "coach/playercard/player_card.h"
#include "core/records.h"
#include "core/session.h"

#include <QDialog>
#include <QLabel>

#include <array>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QPushButton;

namespace bb {

namespace card {

// A label that takes the keyboard focus and acts on a click, Space or Enter.
class ToggleLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ToggleLabel(QWidget* parent = nullptr);

  signals:
    void toggled();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool pressed_ = false;
};

} // namespace card

class PlayerInfo : public QDialog {
    Q_OBJECT
  public:
    // Shows roster slot CurPlayer of team slot 0, copied at opening; numbers follow QLocale().
    explicit PlayerInfo(const Session& session, QWidget* parent = nullptr);

    bool showFeet() const { return ShowFeet; }

  private:
    // One control of the fixed arrangement, in twips: its left edge and top, and the width and
    // height it may use (up to the next control of its row).
    struct Place {
        QWidget* w;
        int left;
        int top;
        int width;
        int height;
    };

    void buildControls();
    void arrange();
    void fill();
    void lblHgt_Click();
    void showHeight();

    PlayerRec PlyBuf;
    card::CardTexts texts_;
    bool ShowFeet = true;
    std::vector<Place> places_;
    QWidget* content_ = nullptr;

    QLabel* Label1 = nullptr;
    QLabel* lblExp = nullptr;
    QLabel* lblPos = nullptr;
    QLabel* lblNum = nullptr;
    QLabel* lblHD = nullptr;
    card::ToggleLabel* lblHgt = nullptr;
    QLabel* lblWgt = nullptr;
    QLabel* lblAge = nullptr;
    QLabel* lblSts = nullptr;
    QLabel* lblCon = nullptr;
    QLabel* lblContract = nullptr;
    QLabel* lblSalary = nullptr;
    QLabel* lblBirthplace = nullptr;
    std::array<QLabel*, 14> lblSkill{};
    std::array<QLabel*, card::StatCount> statCaption{}; // Label26..Label37
    std::array<QLabel*, card::StatCount> statValue{};   // lblGP..lblShoot
    QPushButton* Command1 = nullptr;
};

// Opens the card for the session's CurPlayer, modal.
void showPlayerCard(const Session& session, QWidget* parent);

} // namespace bb
