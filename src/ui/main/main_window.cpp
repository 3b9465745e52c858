#include "main_window.h"

#include "coach/lines/lines_window.h"
#include "coach/roster/roster_window.h"
#include "manager/display_team.h"

#include "about_box.h"
#include "league_view.h"
#include "ui/common/artwork.h"
#include "ui/common/theme.h"
#include "ui/common/twips.h"

#include "core/league_io.h"
#include "core/prompter.h"
#include "core/session.h"
#include "core/text.h"
#include "ui/common/league_text.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>

namespace bb::ui {

namespace {

const QString kDesignCaption = QStringLiteral("Kestrel");

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    // League names are data, never markup.
    l->setTextFormat(Qt::PlainText);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    return l;
}

QListWidget* listBox(QWidget* parent, const QString& name, const QString& accessibleName)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setAccessibleName(accessibleName);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    // A long name in a wide font ends in an ellipsis; the list never scrolls sideways.
    fitRowsToWidth(l);
    return l;
}

void reportToTerminal(const std::string& line)
{
    std::fprintf(stderr, "benchboss: %s\n", pathToUtf8(line).c_str());
}

// The row the user sees selected; -1 when there is none.
int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

} // namespace

Main::Main(Session& session, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(kDesignCaption);
    setWindowIcon(programIcon());
    applyTheme(this);
    buildWindow();
    buildMenus();
    openRoster = [this] {
        Roster editor(session_, prompter_, this);
        editor.exec();
    };
    openLines = [this] {
        Lines editor(session_, prompter_, this);
        editor.exec();
    };
    openTeamView = [this] {
        DisplayTeam view(session_, prompter_, this);
        // The view has loaded its team into slot 0 already, so the editors open on it directly.
        view.openRoster = [this, &view] {
            Roster editor(session_, prompter_, &view);
            editor.exec();
        };
        view.openLines = [this, &view] {
            Lines editor(session_, prompter_, &view);
            editor.exec();
        };
        view.exec();
    };
}

Main::~Main()
{
    // The About box has no parent so that it can outlive this window's close; it goes with it here.
    delete about_.data();
}

frmAbout* Main::aboutBox() const
{
    return about_.data();
}

void Main::buildWindow()
{
    // The client area, drawn over the program's rink artwork.
    auto* area = new Ground(Ground::Kind::Rink, this);
    area->setObjectName(QStringLiteral("client"));
    setCentralWidget(area);

    for (int k = 0; k < 2; ++k) {
        const QString conf = QString::number(k + 1);
        lstDivs_[k] = listBox(area, QStringLiteral("lstDivs(%1)").arg(k),
                              QStringLiteral("Divisions of Conference ") + conf);
        lstTeams_[k] = listBox(area, QStringLiteral("lstTeams(%1)").arg(k),
                               QStringLiteral("Teams of Conference ") + conf);
    }

    // The division lists show exactly two rows: grow the whole layout evenly until they fit the
    // font in use.
    lstDivs_[0]->addItem(QStringLiteral("Xg"));
    const int rowHeight = lstDivs_[0]->sizeHintForRow(0);
    lstDivs_[0]->clear();
    const Twips tw((2.0 * rowHeight + 2.0 * lstDivs_[0]->frameWidth()) / 30.0);

    label3_ = whiteLabel(area, "Label3", QStringLiteral("League Name"));
    QFont big = label3_->font();
    big.setPointSizeF(13.5);
    big.setBold(true);
    label3_->setFont(big);
    label3_->setGeometry(tw.rect(120, 120, 5895, 375));

    label1_ = whiteLabel(area, "Label1", QStringLiteral("Conference 1"));
    label1_->setGeometry(tw.rect(120, 900, 1575, 255));
    label2_ = whiteLabel(area, "Label2", QStringLiteral("Conference 2"));
    label2_->setGeometry(tw.rect(1920, 900, 1335, 255));

    for (int k = 0; k < 2; ++k) {
        const int left = k == 0 ? 120 : 1920;
        lstDivs_[k]->setGeometry(tw.rect(left, 1200, 1575, 450));
        lstTeams_[k]->setGeometry(tw.rect(left, 1800, 1575, 1425));
        connect(lstDivs_[k], &QListWidget::itemSelectionChanged, this, [this, k] { lstDivs_Click(k); });
        connect(lstTeams_[k], &QListWidget::itemSelectionChanged, this, [this, k] { lstTeams_Click(k); });
        // Both team lists keep a selected row: a click on the other list's row, already selected,
        // changes no selection and must still choose that team.
        connect(lstTeams_[k], &QListWidget::itemClicked, this, [this, k] { lstTeams_Click(k); });
        connect(lstTeams_[k], &QListWidget::itemDoubleClicked, this,
                [this, k](QListWidgetItem* item) { lstTeams_DblClick(k, lstTeams_[k]->row(item)); });
    }

    area->setFixedSize(tw.px(5475), tw.px(3345));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Main::buildMenus()
{
    const auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto addAction = [](QMenu* menu, const char* name, const QString& caption,
                              const QKeySequence& key) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };

    QMenu* file = addMenu("file", QStringLiteral("File"));
    connect(addAction(file, "LoadLeague", QStringLiteral("Load"), QKeySequence(Qt::CTRL | Qt::Key_L)),
            &QAction::triggered, this, &Main::LoadLeague_Click);
    connect(addAction(file, "exit", QStringLiteral("Exit"), {}), &QAction::triggered, this, &QWidget::close);

    manager_ = addMenu("manager", QStringLiteral("Manager"));
    connect(addAction(manager_, "ViewTeam", QStringLiteral("View Team"), QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, &Main::ViewTeam_Click);

    coach_ = addMenu("coach", QStringLiteral("Coach"));
    connect(
        addAction(coach_, "SetRoster", QStringLiteral("Set Game Roster"), QKeySequence(Qt::CTRL | Qt::Key_R)),
        &QAction::triggered, this, &Main::SetRoster_Click);
    connect(addAction(coach_, "SetLines", QStringLiteral("Set Lines"), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &Main::SetLines_Click);

    QMenu* info = addMenu("Info", QStringLiteral("Info"));
    connect(addAction(info, "About", QStringLiteral("About"), {}), &QAction::triggered, this,
            &Main::About_Click);

    // Until a team is chosen there is no team to manage or coach; the shortcuts go with the menus.
    manager_->setEnabled(false);
    coach_->setEnabled(false);
    for (QMenu* m : {manager_, coach_})
        for (QAction* a : m->actions())
            a->setEnabled(false);
}

void Main::startUp(const std::filesystem::path& homeDir)
{
    const StartUpResult r = StartUp(session_, homeDir);
    if (!r.problem.empty())
        reportToTerminal(r.problem);
    if (r.loaded)
        showLeague();
}

void Main::showLeague()
{
    const LeagueRec& lg = session_.League;
    for (int k = 0; k < 2; ++k) {
        lstDivs_[k]->clear();
        lstTeams_[k]->clear();
    }
    label1_->setText(leagueText(lg.Conf[0].Name.str()));
    label2_->setText(leagueText(lg.Conf[1].Name.str()));
    label3_->setText(leagueText(lg.Name.str()));
    for (int k = 0; k < 2; ++k)
        for (int d = 0; d < 2; ++d)
            lstDivs_[k]->addItem(leagueText(lg.Conf[k].Div[d].Name.str()));

    // Selecting from here counts as the user's click: it fills the team lists, then picks a team.
    for (int k = 0; k < 2; ++k)
        lstDivs_[k]->setCurrentRow(0);
    for (int k = 0; k < 2; ++k)
        if (lstTeams_[k]->count() > 0)
            lstTeams_[k]->setCurrentRow(0);
    // The keyboard starts at the team just chosen, so that the arrows go on from there.
    for (QListWidget* l : lstTeams_)
        if (selectedRow(l) >= 0 && l->item(selectedRow(l))->data(Qt::UserRole).toInt() == session_.CurTeam)
            l->setFocus();

    setWindowTitle(QString::fromStdString(pathToUtf8(session_.LgPath)));
}

void Main::LoadLeague_Click()
{
    const std::optional<std::string> chosen = prompter_.openFileName(loadLeagueRequest(lastChosenLeague_));
    if (!chosen)
        return;
    lastChosenLeague_ = *chosen;
    const std::optional<std::string> path = leaguePathOfChosenFile(*chosen);
    if (!path)
        return;
    // A failed load keeps the league shown before; like a cancel it ends without a word in the
    // window, but a terminal hears why.
    if (const Status st = LoadLg(session_, *path); !st) {
        reportToTerminal("Cannot load the league " + *path + ": " + st.error());
        return;
    }
    showLeague();
}

void Main::lstDivs_Click(int k)
{
    const int div = selectedRow(lstDivs_[k]);
    if (div < 0)
        return;
    lstTeams_[k]->clear();
    for (int team : teamsOfDivision(session_, k, div)) {
        auto* item =
            new QListWidgetItem(leagueText(session_.Teams[static_cast<std::size_t>(team)].Name.str()));
        item->setData(Qt::UserRole, team);
        lstTeams_[k]->addItem(item);
    }
}

void Main::lstTeams_Click(int k)
{
    const int row = selectedRow(lstTeams_[k]);
    if (row < 0)
        return;
    coach_->setEnabled(true);
    manager_->setEnabled(true);
    for (QMenu* m : {coach_, manager_})
        for (QAction* a : m->actions())
            a->setEnabled(true);
    session_.CurTeam = static_cast<std::uint8_t>(lstTeams_[k]->item(row)->data(Qt::UserRole).toInt());
    // Both team lists keep a selected row; only the current team's reads as the one in use.
    for (int other = 0; other < 2; ++other)
        showSelectionInUse(lstTeams_[other], other == k);
}

void Main::lstTeams_DblClick(int k, int row)
{
    const QListWidgetItem* item = lstTeams_[k]->item(row);
    if (!item)
        return;
    session_.CurTeam = static_cast<std::uint8_t>(item->data(Qt::UserRole).toInt());
    if (openTeamView)
        openTeamView();
}

void Main::ViewTeam_Click()
{
    // The team view loads its team's players itself.
    if (openTeamView)
        openTeamView();
}

bool Main::loadCurrentTeam()
{
    const Status st = LoadTeam(session_, session_.CurTeam, 0);
    if (!st)
        prompter_.message(st.error(), MsgIcon::Stop, "");
    return st.ok();
}

void Main::SetRoster_Click()
{
    if (openRoster && loadCurrentTeam())
        openRoster();
}

void Main::SetLines_Click()
{
    if (openLines && loadCurrentTeam())
        openLines();
}

void Main::About_Click()
{
    if (!about_) {
        about_ = new frmAbout(prompter_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace bb::ui
