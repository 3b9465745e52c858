// The main window: the loaded league as two conference columns, each a division list above a
// team list; its menus load a league and open the team view, the editors and the About box.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QListWidget;
class QMenu;

namespace bb {
class Prompter;
struct Session;
} // namespace bb

namespace bb::ui {

class frmAbout;

class Main : public QMainWindow {
    Q_OBJECT
  public:
    Main(Session& session, Prompter& prompter, QWidget* parent = nullptr);
    ~Main() override;

    // Start-up: homeDir is the home folder (the program passes its current folder). Reopens the
    // league remembered there; a missing or unusable one leaves the window without a league.
    void startUp(const std::filesystem::path& homeDir);

    // The windows the commands open, modal, once they exist. The roster and lines commands
    // load the current team into team slot 0 first; a command whose window is missing does nothing.
    std::function<void()> openTeamView;
    std::function<void()> openRoster;
    std::function<void()> openLines;

    // The open About box, or nothing.
    frmAbout* aboutBox() const;

  private:
    void buildWindow();
    void buildMenus();
    void showLeague();

    void LoadLeague_Click();
    void lstDivs_Click(int k);
    void lstTeams_Click(int k);
    void lstTeams_DblClick(int k, int row);
    void ViewTeam_Click();
    void SetRoster_Click();
    void SetLines_Click();
    void About_Click();

    bool loadCurrentTeam();

    Session& session_;
    Prompter& prompter_;
    std::string lastChosenLeague_;

    QLabel* label3_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::array<QListWidget*, 2> lstDivs_{};
    std::array<QListWidget*, 2> lstTeams_{};
    QMenu* manager_ = nullptr;
    QMenu* coach_ = nullptr;
    QPointer<frmAbout> about_;
};

} // namespace bb::ui
