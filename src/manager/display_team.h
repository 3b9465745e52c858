// The team view: one club's identity, standings, special teams, roster and finance projection.
// From it the manager opens the roster and line editors for the same club.
#pragma once

#include "core/prompter.h"
#include "core/session.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace bb {

namespace manager {
struct TeamTexts;
} // namespace manager

class DisplayTeam : public QDialog {
    Q_OBJECT
  public:
    // Shows team CurTeam: loads its players into team slot 0 and fills every cell. A roster that
    // cannot be read is reported through prompter and leaves the figure cells empty.
    DisplayTeam(Session& session, Prompter& prompter, QWidget* parent = nullptr);

    // The editors behind Team Roster and Team Lines, run modal over team slot 0 as this view
    // loaded it; set by whoever can show them. Empty: the button does nothing.
    std::function<void()> openRoster;
    std::function<void()> openLines;

  private:
    void buildControls();
    QLabel* caption(const QString& text, const QString& name, QLabel* value);
    QLabel* value(const char* name, Qt::Alignment align);

    void ShowTeamInfo();
    void showIdentity();
    void showTexts(const manager::TeamTexts& t);
    void UpdateBalance(const std::string& text, bool negative);
    void showUnreadable(const std::string& error);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    Session& session_;
    Prompter& prompter_;
    // The identity rows are filled once per opening.
    bool InfoShown = false;

    QLabel* lblTeam = nullptr;
    QLabel* lblConf = nullptr;
    QLabel* lblDiv = nullptr;
    QLabel* lblAbbrev = nullptr;
    QLabel* lblOwner = nullptr;
    QLabel* lblCoach = nullptr;
    QLabel* lblEmail = nullptr;
    QLabel* lblICQ = nullptr;
    QLabel* lblArena = nullptr;
    QLabel* lblSeats = nullptr;
    QLabel* lblTicket = nullptr;

    QLabel* lblCurFin = nullptr;
    QLabel* lblHome = nullptr;
    QLabel* lblRev = nullptr;
    QLabel* lblEst = nullptr;
    QLabel* lblGR = nullptr;
    QLabel* lblExpGame = nullptr;
    QLabel* lblProjExp = nullptr;
    QLabel* lblProjBal = nullptr;

    QLabel* lblAvgAge = nullptr;
    QLabel* lblAvgHgt = nullptr;
    QLabel* lblAvgWgt = nullptr;
    QLabel* lblPro = nullptr;
    QLabel* lblFarm = nullptr;
    QLabel* lblFA = nullptr;

    QLabel* lblGP = nullptr;
    QLabel* lblW = nullptr;
    QLabel* lblL = nullptr;
    QLabel* lblT = nullptr;
    QLabel* lblGF = nullptr;
    QLabel* lblGA = nullptr;
    QLabel* lblPP = nullptr;
    QLabel* lblPK = nullptr;
    QLabel* lblSF = nullptr;
    QLabel* lblSA = nullptr;
    QLabel* lblPIM = nullptr;

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

} // namespace bb
