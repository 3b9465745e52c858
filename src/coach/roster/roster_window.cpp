#include "roster_window.h"

#include "coach/playercard/player_info.h"
#include "coach/roster/auto_roster.h"
#include "coach/roster/protection.h"
#include "coach/roster/roster_commit.h"
#include "core/ratings.h"
#include "ui/common/controls.h"
#include "ui/common/league_text.h"
#include "ui/common/theme.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCollator>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace bb {

using ui::leagueText;
using ui::qs;
using ui::indexed;
using ui::plainLabel;
using ui::setBold;
using ui::SkillHeader;
using ui::SkillName;
using ui::SkillShown;

namespace {

// Rows the lists show beyond their least, where the screen has the room: a whole game roster and
// a spare one.
constexpr int SpareRows = 9;

const TeamRec* currentTeam(const Session& s)
{
    return s.CurTeam < MaxTeams ? &s.Teams[s.CurTeam] : nullptr;
}

} // namespace

Roster::Roster(Session& session, Prompter& prompter, QWidget* parent)
    : Roster(session, prompter, roster::RosterFiles::in(session.HomeDir), parent)
{
}

Roster::Roster(Session& session, Prompter& prompter, roster::RosterFiles files, QWidget* parent)
    : ui::EditorDialog(parent), session_(session), prompter_(prompter), files_(std::move(files))
{
    setObjectName(QStringLiteral("Roster"));
    openPlayerCard = [this] { showPlayerCard(session_, this); };
    setWindowTitle(QStringLiteral("Set Game Roster"));
    ui::applyTheme(this);
    buildControls();
    arrange();

    roster::ResetFlags(session_, work_, 0);
    const TeamRec* team = currentTeam(session_);
    Label1->setText(QStringLiteral("Roster of the ") + (team ? leagueText(team->Name.str()) : QString()));
    listPlayers();
    work_.RosterChanged = false;
    connectControls();
    list1[roster::GameList]->setFocus();
    ui::fitToScreen(this);
}

QSize Roster::sizeHint() const
{
    return QDialog::sizeHint() + QSize(0, SpareRows * list1[0]->fontMetrics().lineSpacing());
}

void Roster::buildControls()
{
    Label1 = plainLabel(QString(), QStringLiteral("Label1"), this);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    Label1->setFont(titleFont);

    const char* const caption[3] = {"Farm Roster", "Scratches", "Game Roster"};
    const char* const captionName[3] = {"Label6", "Label3", "Label2"};
    std::array<QLabel*, 3> captions{};
    QFont listFont = font();
    const int listWidth =
        QFontMetrics(listFont).horizontalAdvance(QString(22, QLatin1Char('n')) + QLatin1Char('*')) + 12;
    for (int k = 0; k < 3; ++k) {
        auto* l = new QListWidget(this);
        l->setObjectName(indexed("list1", k));
        l->setAccessibleName(QLatin1String(caption[k]));
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        // Rows are put in order as they are added, so that a row redrawn in place keeps its place.
        l->setSortingEnabled(false);
        l->setMinimumWidth(listWidth + l->verticalScrollBar()->sizeHint().width() + 2 * l->frameWidth());
        l->setMinimumHeight(l->fontMetrics().lineSpacing() * 12 + 2 * l->frameWidth());
        list1[static_cast<std::size_t>(k)] = l;
        QLabel* c = plainLabel(QLatin1String(caption[k]), QLatin1String(captionName[k]), this);
        setBold(c);
        ui::setTextColour(c, ui::captionColour());
        c->setBuddy(l);
        captions[static_cast<std::size_t>(k)] = c;
    }
    Label6 = captions[0];
    Label3 = captions[1];
    Label2 = captions[2];

    Label5 = plainLabel(QStringLiteral("Roster Complete"), QStringLiteral("Label5"), this);
    setBold(Label5);
    Label5->setAlignment(Qt::AlignCenter);

    const auto button = [this](const QString& text, const QString& name, const QString& tip) {
        return ui::textButton(this, text, name, tip);
    };
    struct Move {
        const char* text;
        const char* tip;
        bool right;
    };
    const Move moves[4] = {{"Scratch", "Game Roster to Scratches", false},
                           {"Dress", "Scratches to Game Roster", true},
                           {"Send Down", "Scratches to Farm Roster", false},
                           {"Call Up", "Farm Roster to Scratches", true}};
    for (int i = 0; i < 4; ++i) {
        const Move& m = moves[i];
        QPushButton* b = button(QLatin1String(m.text), indexed("cmdMovePlayer", i), QLatin1String(m.tip));
        b->setIcon(style()->standardIcon(m.right ? QStyle::SP_ArrowRight : QStyle::SP_ArrowLeft));
        // The arrow stands on the side the players go to.
        if (m.right)
            b->setLayoutDirection(Qt::RightToLeft);
        cmdMovePlayer[static_cast<std::size_t>(i)] = b;
    }
    cmdAuto = button(QStringLiteral("Auto"), QStringLiteral("cmdAuto"),
                     QStringLiteral("Dress a game roster automatically"));
    cmdExit =
        button(QStringLiteral("Exit"), QStringLiteral("cmdExit"), QStringLiteral("Close the roster editor"));

    const char* const filterText[5] = {"C", "LW", "RW", "D", "G"};
    const char* const filterName[5] = {"Centres", "Left wings", "Right wings", "Defencemen", "Goalies"};
    for (int i = 0; i < 5; ++i) {
        auto* c = new QCheckBox(QLatin1String(filterText[i]), this);
        c->setObjectName(indexed("Check1", i));
        c->setChecked(true);
        c->setToolTip(QStringLiteral("List %1").arg(QLatin1String(filterName[i]).toString().toLower()));
        c->setAccessibleName(QStringLiteral("Show %1").arg(QLatin1String(filterName[i])));
        Check1[static_cast<std::size_t>(i)] = c;
    }
    chkProtect = new QCheckBox(QStringLiteral("Protect"), this);
    chkProtect->setObjectName(QStringLiteral("chkProtect"));
    chkProtect->setAccessibleName(QStringLiteral("Protect mode"));
    chkProtect->setToolTip(QStringLiteral("Protect mode: protected players and rookies are marked with *, "
                                          "and a double click protects or unprotects a player"));

    const auto box = [this](const QString& name, const QString& accessible) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setAccessibleName(accessible);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(32);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
        return e;
    };
    txtPos = box(QStringLiteral("txtPos"), QStringLiteral("Position"));
    txtAge = box(QStringLiteral("txtAge"), QStringLiteral("Age"));
    txtHand = box(QStringLiteral("txtHand"), QStringLiteral("Shoots"));
    for (int k = 0; k < SkillShown; ++k)
        txtRating[static_cast<std::size_t>(k)] = box(indexed("txtRating", k), QLatin1String(SkillName[k]));
    txtOverall = box(QStringLiteral("txtOverall"), QStringLiteral("Overall"));
    // Only the name and the ratings can be changed here; the other boxes show values, and Tab
    // passes them by.
    for (QLineEdit* e : {txtPos, txtAge, txtHand, txtOverall}) {
        e->setReadOnly(true);
        ui::showAsValue(e);
    }
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setAccessibleName(QStringLiteral("Name"));
    txtName->setToolTip(QStringLiteral("Press Enter to rename the player"));
    txtName->setMinimumWidth(txtName->fontMetrics().horizontalAdvance(QString(22, QLatin1Char('n'))) + 12);
    for (QLineEdit* e : txtRating)
        e->setToolTip(QStringLiteral("Press Enter to change the rating (15 to 99)"));
}

void Roster::arrange()
{
    auto* content = new ui::Ground(ui::Ground::Kind::Plain, this);
    content->setObjectName(QStringLiteral("client"));
    auto* root = new QVBoxLayout(content);
    root->setSpacing(8);
    root->addWidget(Label1);

    // Farm, scratches and game roster from left to right, each pair of neighbours joined by the
    // two buttons that move players between them; the filters under the lists, the completeness
    // under the game roster.
    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(10);
    lists->setVerticalSpacing(4);
    const auto buttonsBetween = [](QPushButton* right, QPushButton* left) {
        auto* column = new QVBoxLayout;
        column->addStretch();
        column->addWidget(right);
        column->addWidget(left);
        column->addStretch();
        return column;
    };
    lists->addWidget(Label6, 0, 0);
    lists->addWidget(list1[roster::FarmList], 1, 0);
    lists->addLayout(buttonsBetween(cmdMovePlayer[roster::CallUp], cmdMovePlayer[roster::SendDown]), 1, 1);
    lists->addWidget(Label3, 0, 2);
    lists->addWidget(list1[roster::ScratchList], 1, 2);
    lists->addLayout(buttonsBetween(cmdMovePlayer[roster::Dress], cmdMovePlayer[roster::Scratch]), 1, 3);
    lists->addWidget(Label2, 0, 4);
    lists->addWidget(list1[roster::GameList], 1, 4);
    auto* filters = new QHBoxLayout;
    filters->setSpacing(10);
    for (QCheckBox* c : Check1)
        filters->addWidget(c);
    filters->addSpacing(20);
    filters->addWidget(chkProtect);
    filters->addStretch();
    lists->addLayout(filters, 2, 0, 1, 4);
    lists->addWidget(Label5, 2, 4);
    for (int c : {0, 2, 4})
        lists->setColumnStretch(c, 1);
    lists->setRowStretch(1, 1);
    root->addLayout(lists, 1);

    // The detail panel: a header over each box.
    auto* panel = new QGridLayout;
    panel->setHorizontalSpacing(3);
    panel->setVerticalSpacing(2);
    int col = 0;
    const auto header = [this, panel, &col](const QString& text, const QString& tip, QLineEdit* under) {
        QLabel* h = plainLabel(text, QString(), this);
        h->setAlignment(Qt::AlignCenter);
        h->setToolTip(tip);
        h->setBuddy(under);
        ui::setTextColour(h, ui::captionColour());
        panel->addWidget(h, 0, col);
        panel->addWidget(under, 1, col);
        ++col;
    };
    header(QStringLiteral("Name"), QStringLiteral("Name"), txtName);
    header(QStringLiteral("POS"), QStringLiteral("Position"), txtPos);
    header(QStringLiteral("AG"), QStringLiteral("Age"), txtAge);
    header(QStringLiteral("HD"), QStringLiteral("Shoots"), txtHand);
    for (int k = 0; k < SkillShown; ++k)
        header(QLatin1String(SkillHeader[k]), QLatin1String(SkillName[k]),
               txtRating[static_cast<std::size_t>(k)]);
    header(QStringLiteral("OV"), QStringLiteral("Overall"), txtOverall);
    panel->setColumnStretch(col, 1);
    root->addLayout(panel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAuto);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    root->addLayout(buttons);

    // Tab goes left to right through the lists and their buttons, then the filters, the boxes
    // that can be changed and the Auto and Exit buttons.
    std::vector<QWidget*> order = {list1[roster::FarmList],         cmdMovePlayer[roster::CallUp],
                                   cmdMovePlayer[roster::SendDown], list1[roster::ScratchList],
                                   cmdMovePlayer[roster::Dress],    cmdMovePlayer[roster::Scratch],
                                   list1[roster::GameList]};
    order.insert(order.end(), Check1.begin(), Check1.end());
    order.insert(order.end(), {chkProtect, txtName});
    order.insert(order.end(), txtRating.begin(), txtRating.end());
    order.insert(order.end(), {cmdAuto, cmdExit});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    ui::setScrollableContent(this, content);
}

void Roster::connectControls()
{
    for (int k = 0; k < 3; ++k) {
        QListWidget* l = list1[static_cast<std::size_t>(k)];
        // A click, also on the row that is already current or one that Ctrl has just deselected,
        // and the keyboard's moves that select a row. Focus arriving in a list makes a row
        // current without selecting it: that chooses nobody, so the edit boxes keep their player.
        connect(l, &QListWidget::itemClicked, this, [this, k] { listClicked(k); });
        connect(l, &QListWidget::currentItemChanged, this, [this, k](QListWidgetItem* current) {
            if (current && current->isSelected())
                listClicked(k);
        });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, k] { listDoubleClicked(k); });
        l->installEventFilter(this);
    }
    for (QCheckBox* c : Check1)
        connect(c, &QCheckBox::toggled, this, &Roster::listPlayers);
    connect(chkProtect, &QCheckBox::toggled, this, &Roster::listPlayers);
    for (int i = 0; i < 4; ++i)
        connect(cmdMovePlayer[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdMovePlayerClicked(i); });
    connect(cmdAuto, &QPushButton::clicked, this, &Roster::cmdAutoClicked);
    connect(cmdExit, &QPushButton::clicked, this, &Roster::cmdExitClicked);
    connect(txtName, &QLineEdit::returnPressed, this, &Roster::nameEntered);
    for (int k = 0; k < SkillShown; ++k) {
        QLineEdit* e = txtRating[static_cast<std::size_t>(k)];
        connect(e, &QLineEdit::returnPressed, this, [this, k] { ratingEntered(k); });
        e->installEventFilter(this);
    }
}

void Roster::listPlayers()
{
    roster::PositionFilter shown{};
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = Check1[i]->isChecked();
    const roster::RosterLists lists = roster::listPlayers(session_, work_, shown, protectMark());

    // Alphabetical in the user's language, ignoring case, as a sorted list box orders its rows.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    struct Row {
        QString text;
        std::uint8_t slot;
    };
    for (std::size_t k = 0; k < lists.rows.size(); ++k) {
        std::vector<Row> rows;
        for (const roster::ListRow& r : lists.rows[k])
            rows.push_back({leagueText(session_.Players[0][r.slot].Name.str()) +
                                (r.marked ? QStringLiteral("*") : QString()),
                            r.slot});
        std::stable_sort(rows.begin(), rows.end(), [&collator](const Row& a, const Row& b) {
            const int c = collator.compare(a.text, b.text);
            return c != 0 ? c < 0 : a.text < b.text;
        });
        QListWidget* l = list1[k];
        // A refill leaves no row selected; the detail panel keeps what it shows.
        const QSignalBlocker block(l);
        l->clear();
        for (const Row& r : rows) {
            auto* item = new QListWidgetItem(r.text, l);
            item->setData(Qt::UserRole, static_cast<int>(r.slot));
        }
        l->setCurrentRow(-1);
        l->clearSelection();
    }
    Label5->setText(qs(lists.Label5));
}

void Roster::ShowPlayer(std::uint8_t Ply)
{
    ui::showPlayer({txtName, txtRating, txtOverall, txtAge, txtHand, txtPos}, session_, Ply);
}

std::vector<std::uint8_t> Roster::selectedSlots(int k) const
{
    std::vector<std::uint8_t> out;
    const QListWidget* l = list1[static_cast<std::size_t>(k)];
    for (int r = 0; r < l->count(); ++r) {
        const QListWidgetItem* item = l->item(r);
        bool ok = false;
        const int slot = item->data(Qt::UserRole).toInt(&ok);
        if (item->isSelected() && ok && slot >= 0 && slot < RosterSize)
            out.push_back(static_cast<std::uint8_t>(slot));
    }
    return out;
}

void Roster::listClicked(int k)
{
    const QListWidgetItem* item = list1[static_cast<std::size_t>(k)]->currentItem();
    if (!item)
        return;
    bool ok = false;
    const int slot = item->data(Qt::UserRole).toInt(&ok);
    if (!ok || slot < 0 || slot >= RosterSize)
        return;
    session_.CurPlayer = static_cast<std::uint8_t>(slot);
    ShowPlayer(session_.CurPlayer);
}

void Roster::listDoubleClicked(int k)
{
    QListWidget* l = list1[static_cast<std::size_t>(k)];
    if (!l->currentItem())
        return;
    listClicked(k);
    if (chkProtect->isChecked())
        toggleProtection(k, l->currentRow());
    else if (openPlayerCard)
        openPlayerCard();
}

void Roster::cmdMovePlayerClicked(int Index)
{
    roster::cmdMovePlayer(session_, prompter_, work_, Index, selectedSlots(roster::sourceList(Index)));
    listPlayers();
}

void Roster::cmdAutoClicked()
{
    if (!roster::enoughForAutoRoster(session_, prompter_))
        return;
    roster::AutoRoster(session_, work_, 0, 0);
    listPlayers();
    work_.RosterChanged = true;
}

void Roster::cmdExitClicked()
{
    if (!roster::cmdExit(session_, prompter_, work_, files_))
        return; // not saved: the window stays open with the changes
    accept();
}

void Roster::nameEntered()
{
    if (roster::setPlayerName(session_, session_.CurPlayer, txtName->text().toStdString()))
        listPlayers();
}

void Roster::ratingEntered(int Index)
{
    roster::setRating(session_, session_.CurPlayer, Index,
                      txtRating[static_cast<std::size_t>(Index)]->text().toStdString());
    // An empty slot's panel stays empty: there is no player to rate.
    if (session_.CurPlayer >= RosterSize || session_.Players[0][session_.CurPlayer].isEmpty())
        return;
    const std::optional<int> overall = Overall(session_, 0, session_.CurPlayer);
    txtOverall->setText(overall ? QString::number(*overall) : QString());
}

bool Roster::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a rating box shows the stored ratings again: a refused or unconfirmed entry goes.
    if (event->type() == QEvent::FocusOut &&
        std::find(txtRating.begin(), txtRating.end(), watched) != txtRating.end())
        ShowPlayer(session_.CurPlayer);
    // Enter on a chosen row does what a double click does, for those who use the keyboard.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto list = std::find(list1.begin(), list1.end(), watched);
        if (list != list1.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            const QListWidgetItem* current = (*list)->currentItem();
            if (current && current->isSelected())
                listDoubleClicked(static_cast<int>(list - list1.begin()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Protect mode ----

roster::ProtectMark Roster::protectMark() const
{
    if (!chkProtect->isChecked())
        return {};
    return roster::carriesProtectMark;
}

void Roster::toggleProtection(int k, int row)
{
    if (!roster::ToggleProtection(session_, 0, session_.CurPlayer))
        return;
    work_.RosterChanged = true;
    // Only the row changes: its text, not its place, and it stays the current row. A rookie who
    // is no longer protected loses his mark until the next refresh.
    QListWidgetItem* item = list1[static_cast<std::size_t>(k)]->item(row);
    if (!item || item->data(Qt::UserRole).toInt() != session_.CurPlayer)
        return;
    const PlayerRec& p = session_.Players[0][session_.CurPlayer];
    item->setText(leagueText(p.Name.str()) + (p.Protected ? QStringLiteral("*") : QString()));
}

void Roster::closeEvent(QCloseEvent* event)
{
    // Any way out but Exit: the pending moves are dropped, with a warning when there were some.
    if (work_.RosterChanged) {
        work_.RosterChanged = false;
        prompter_.message("Changes were not saved", MsgIcon::Stop, "Edit Roster");
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace bb
