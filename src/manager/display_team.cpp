#include "display_team.h"

#include "core/league_io.h"
#include "manager/team_figures.h"
#include "ui/common/controls.h"
#include "ui/common/league_text.h"
#include "ui/common/theme.h"
#include "ui/common/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>
#include <utility>
#include <vector>

namespace bb {

using ui::leagueText;
using ui::qs;

namespace {

const QColor kValue(255, 255, 255);
const QColor kNegative(255, 0, 0);
// Behind the balance: dark enough that its red passes 4.5:1 as well as its white.
const QColor kBalanceGround(4, 10, 24);

// The client area: the night-blue ground under transparent labels, the designed size where the
// screen has the room, and less where it has not.
class TeamArea : public ui::Ground {
  public:
    TeamArea(QSize designed, QWidget* parent) : ui::Ground(Kind::Plain, parent), designed_(designed) {}

    QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(designed_); }

  private:
    QSize designed_;
};

void setTextColour(QLabel* l, const QColor& c)
{
    ui::setTextColour(l, c);
}

// The user's regional separators for the figures' number patterns.
manager::NumberFormat regional()
{
    const QLocale loc;
    return {loc.groupSeparator().toStdString(), loc.decimalPoint().toStdString()};
}

} // namespace

DisplayTeam::DisplayTeam(Session& session, Prompter& prompter, QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("DisplayTeam"));
    setWindowTitle(QStringLiteral("Team Info"));
    ui::applyTheme(this);
    buildControls();

    InfoShown = false;
    ShowTeamInfo();
    ui::fitToScreen(this);
}

QLabel* DisplayTeam::value(const char* name, Qt::Alignment align)
{
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    // League texts are data, never markup.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align | Qt::AlignVCenter);
    setTextColour(l, kValue);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel* DisplayTeam::caption(const QString& text, const QString& name, QLabel* valueLabel)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    setTextColour(l, ui::captionColour());
    // A screen reader reads the caption with the value it names.
    l->setBuddy(valueLabel);
    return l;
}

void DisplayTeam::buildControls()
{
    const ui::Twips tw;
    auto* area = new TeamArea(QSize(tw.px(8070), tw.px(7200)), this);
    area->setObjectName(QStringLiteral("client"));

    lblTeam = value("lblTeam", Qt::AlignLeft);
    lblTeam->setText(QStringLiteral("Team Name"));
    QFont big = lblTeam->font();
    big.setPointSizeF(qMax(13.5, big.pointSizeF() * 1.5));
    lblTeam->setFont(big);

    // A caption and its value label; the caption is named after the value.
    using Row = std::pair<QLabel*, QLabel*>;
    const auto pair = [this](const char* text, QLabel*& target, const char* name, Qt::Alignment align) {
        target = value(name, align);
        return Row{caption(QLatin1String(text), QLatin1String(name) + QStringLiteral("Caption"), target),
                   target};
    };

    auto* identity = new QGridLayout;
    identity->setHorizontalSpacing(tw.px(120));
    identity->setVerticalSpacing(tw.px(30));
    const auto idPair = [&](int row, int col, const char* text, QLabel*& target, const char* name,
                            int span = 1) {
        const auto [cap, val] = pair(text, target, name, Qt::AlignLeft);
        identity->addWidget(cap, row, col, Qt::AlignRight);
        identity->addWidget(val, row, col + 1, 1, span);
    };
    idPair(0, 0, "CONF", lblConf, "lblConf");
    idPair(0, 2, "DIV", lblDiv, "lblDiv");
    idPair(0, 4, "ABBREV", lblAbbrev, "lblAbbrev");
    idPair(1, 0, "OWNER", lblOwner, "lblOwner");
    idPair(1, 2, "COACH", lblCoach, "lblCoach", 3);
    idPair(2, 0, "EMAIL", lblEmail, "lblEmail");
    idPair(2, 2, "ICQ#", lblICQ, "lblICQ", 3);
    idPair(3, 0, "ARENA", lblArena, "lblArena");
    idPair(3, 2, "SEATS", lblSeats, "lblSeats");
    idPair(3, 4, "TICKET $", lblTicket, "lblTicket");
    identity->setColumnStretch(6, 1);

    // A column of caption and value rows, kept to the top of its space.
    const auto column = [&](const std::vector<Row>& rows) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(tw.px(120));
        grid->setVerticalSpacing(tw.px(45));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            grid->addWidget(rows[static_cast<std::size_t>(r)].first, r, 0);
            grid->addWidget(rows[static_cast<std::size_t>(r)].second, r, 1);
        }
        grid->setRowStretch(static_cast<int>(rows.size()), 1);
        return grid;
    };
    const auto right = Qt::AlignRight;
    QGridLayout* finance = column({pair("Current Finances", lblCurFin, "lblCurFin", right),
                                   pair("Home Games Remaining", lblHome, "lblHome", right),
                                   pair("Revenue/Game", lblRev, "lblRev", right),
                                   pair("Estimated Revenue", lblEst, "lblEst", right),
                                   pair("Games Remaining", lblGR, "lblGR", right),
                                   pair("Expenses/Game", lblExpGame, "lblExpGame", right),
                                   pair("Projected Expenses", lblProjExp, "lblProjExp", right),
                                   pair("Projected Balance", lblProjBal, "lblProjBal", right)});
    // The bottom line stands on a dark ground of its own, where its red reads as well as white.
    lblProjBal->setAutoFillBackground(true);
    QPalette balance = lblProjBal->palette();
    balance.setColor(QPalette::Window, kBalanceGround);
    lblProjBal->setPalette(balance);
    lblProjBal->setContentsMargins(6, 1, 4, 1);
    QGridLayout* roster =
        column({pair("Average Age", lblAvgAge, "lblAvgAge", right),
                pair("Average Height", lblAvgHgt, "lblAvgHgt", right),
                pair("Average Weight", lblAvgWgt, "lblAvgWgt", right),
                pair("Pro Players", lblPro, "lblPro", right), pair("Farm Players", lblFarm, "lblFarm", right),
                pair("Projected Free Agents", lblFA, "lblFA", right)});
    const std::tuple<const char*, QLabel**, const char*> statRows[] = {
        {"GP", &lblGP, "lblGP"},   {"W", &lblW, "lblW"},        {"L", &lblL, "lblL"},
        {"T", &lblT, "lblT"},      {"GF", &lblGF, "lblGF"},     {"GA", &lblGA, "lblGA"},
        {"PP%", &lblPP, "lblPP"},  {"PK%", &lblPK, "lblPK"},    {"SF/G", &lblSF, "lblSF"},
        {"SA/G", &lblSA, "lblSA"}, {"PIM/G", &lblPIM, "lblPIM"}};
    std::vector<Row> statPairs;
    for (const auto& [text, target, name] : statRows) {
        statPairs.push_back(pair(text, *target, name, right));
        statPairs.back().first->setObjectName(QStringLiteral("Label4(%1)").arg(statPairs.size() - 1));
    }
    QGridLayout* stats = column(statPairs);

    // Each column on a panel of its own, as the card groups its figures.
    auto* columns = new QHBoxLayout;
    columns->setSpacing(tw.px(300));
    for (QGridLayout* grid : {finance, roster, stats}) {
        grid->setContentsMargins(tw.px(120), tw.px(90), tw.px(120), tw.px(90));
        area->addPanel(grid, 0);
        columns->addLayout(grid);
    }

    const auto button = [this](const char* text, const char* name, const char* tip) {
        return ui::textButton(this, QLatin1String(text), QLatin1String(name), QLatin1String(tip));
    };
    Command3 = button("Team Roster", "Command3", "Set this team's game roster");
    Command2 = button("Team Lines", "Command2", "Set this team's lines");
    Command1 = button("Exit", "Command1", "Close the team view");
    connect(Command1, &QPushButton::clicked, this, &DisplayTeam::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DisplayTeam::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &DisplayTeam::Command3_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);
    buttons->addWidget(Command1);

    auto* root = new QVBoxLayout(area);
    root->setContentsMargins(tw.px(240), tw.px(180), tw.px(240), tw.px(180));
    root->setSpacing(tw.px(60));
    root->addWidget(lblTeam);
    root->addLayout(identity);
    root->addSpacing(tw.px(240));
    root->addLayout(columns);
    root->addStretch(1);
    root->addLayout(buttons);
    // On a screen too small for what the fonts need, the view scrolls.
    ui::setScrollableContent(this, area);
}

void DisplayTeam::ShowTeamInfo()
{
    if (const Status loaded = LoadTeam(session_, session_.CurTeam, 0); !loaded) {
        showUnreadable(loaded.error());
        return;
    }
    // The standings are taken before the pre-season reset, so that this fill still shows them.
    const manager::TeamFigures figures = manager::teamFigures(session_);
    showIdentity();
    showTexts(manager::teamTexts(figures, session_.Teams[session_.CurTeam], regional()));
    manager::preSeasonReset(session_);
    Command3->setEnabled(true);
    Command2->setEnabled(true);
}

void DisplayTeam::showIdentity()
{
    if (session_.CurTeam >= MaxTeams)
        return;
    const manager::IdentityTexts id =
        manager::identityTexts(session_.League, session_.Teams[session_.CurTeam]);
    if (!InfoShown) {
        lblTeam->setText(leagueText(id.Team));
        lblArena->setText(leagueText(id.Arena));
        lblConf->setText(leagueText(id.Conf));
        lblDiv->setText(leagueText(id.Div));
        lblSeats->setText(qs(id.Seats));
        lblTicket->setText(qs(id.Ticket));
        lblAbbrev->setText(leagueText(id.Abbrev));
        lblOwner->setText(leagueText(id.Owner));
        lblICQ->setText(leagueText(id.ICQ));
        InfoShown = true;
    }
    lblCoach->setText(leagueText(id.Coach));
}

void DisplayTeam::showTexts(const manager::TeamTexts& t)
{
    lblGP->setText(qs(t.GP));
    lblT->setText(qs(t.T));
    lblGF->setText(qs(t.GF));
    lblW->setText(qs(t.W));
    lblL->setText(qs(t.L));
    lblGA->setText(qs(t.GA));
    lblPP->setText(qs(t.PP));
    lblPK->setText(qs(t.PK));
    lblPIM->setText(qs(t.PIM));
    lblSF->setText(qs(t.SF));
    lblSA->setText(qs(t.SA));
    // Without pro players the averages keep what they showed.
    if (t.AvgAge)
        lblAvgAge->setText(qs(*t.AvgAge));
    if (t.AvgHgt)
        lblAvgHgt->setText(qs(*t.AvgHgt));
    if (t.AvgWgt)
        lblAvgWgt->setText(qs(*t.AvgWgt));
    lblCurFin->setText(qs(t.CurFin));
    lblGR->setText(qs(t.GR));
    lblHome->setText(qs(t.Home));
    lblRev->setText(qs(t.Rev));
    lblEst->setText(qs(t.Est));
    lblProjExp->setText(qs(t.ProjExp));
    lblExpGame->setText(qs(t.ExpGame));
    lblPro->setText(qs(t.Pro));
    lblFarm->setText(qs(t.Farm));
    UpdateBalance(t.ProjBal, t.balanceNegative);
}

void DisplayTeam::UpdateBalance(const std::string& text, bool negative)
{
    lblProjBal->setText(qs(text));
    // The colour repeats what the minus sign says.
    setTextColour(lblProjBal, negative ? kNegative : kValue);
}

void DisplayTeam::showUnreadable(const std::string& error)
{
    // Team slot 0 may still hold another team's players: show none of the figures, and keep
    // the editors closed so that nothing is committed from them.
    for (QLabel* l : {lblGP,     lblW,    lblL,   lblT,      lblGF,     lblGA,      lblPP,     lblPK,
                      lblSF,     lblSA,   lblPIM, lblAvgAge, lblAvgHgt, lblAvgWgt,  lblPro,    lblFarm,
                      lblCurFin, lblHome, lblRev, lblEst,    lblGR,     lblExpGame, lblProjExp})
        l->clear();
    UpdateBalance({}, false);
    showIdentity();
    Command3->setEnabled(false);
    Command2->setEnabled(false);
    Command1->setFocus();
    prompter_.message("The team's players could not be read, so its figures are not shown.\n" + error,
                      MsgIcon::Stop, "Team Info");
}

void DisplayTeam::Command1_Click()
{
    accept();
}

void DisplayTeam::Command2_Click()
{
    if (openLines)
        openLines();
}

void DisplayTeam::Command3_Click()
{
    if (!openRoster)
        return;
    openRoster();
    ShowTeamInfo();
}

} // namespace bb
