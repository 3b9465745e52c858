#include "lines_window.h"

#include "coach/lines/auto_lines.h"
#include "coach/lines/line_averages.h"
#include "coach/lines/lines_file.h"
#include "coach/playercard/player_info.h"
#include "core/ratings.h"
#include "core/text.h"
#include "ui/common/controls.h"
#include "ui/common/league_text.h"
#include "ui/common/theme.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include <string>

namespace bb {

namespace lines {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click does not take the keyboard from the player list.
    setFocusPolicy(Qt::TabFocus);
    // Room for the focus mark around the text.
    setContentsMargins(4, 2, 4, 2);
    ui::drawsOwnFocusMark(this);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click && isVisible() && isEnabled())
        emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here, so that Enter does not travel on to the dialog.
        event->accept();
        if (!event->isAutoRepeat() && isVisible() && isEnabled())
            emit clicked();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        event->accept();
        emit arrowPressed(event->key());
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickableLabel::paintEvent(QPaintEvent* event)
{
    if (slot_) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 72), 1));
        p.setBrush(QColor(255, 255, 255, 20));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    if (slot_) {
        ui::paintFocusMark(p, rect());
        return;
    }
    // Around the text only, wherever the label's cell ends.
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    const QRect at = QStyle::alignedRect(layoutDirection(), alignment(), text, contentsRect());
    ui::paintFocusMark(p, at.adjusted(-4, -2, 4, 2).intersected(rect()));
}

} // namespace lines

using lines::Mode;
using ui::leagueText;
using ui::qs;
using ui::indexed;
using ui::plainLabel;
using ui::setBold;
using ui::SkillHeader;
using ui::SkillName;
using ui::SkillShown;

namespace {

// The caption beside a slot row: the slot label, with the wingers of the five-man lines spelt out.
QString slotCaption(int x, int y)
{
    const std::string label = lines::slotLabel(x, y);
    if (x <= 5 && label == "L")
        return QStringLiteral("LW");
    if (x <= 5 && label == "R")
        return QStringLiteral("RW");
    return qs(label);
}

QString modeTitle(Mode m)
{
    switch (m) {
    case Mode::PP:
        return QStringLiteral("Power Play Lines");
    case Mode::PK:
        return QStringLiteral("Penalty Kill Lines");
    case Mode::Even:
        break;
    }
    return QStringLiteral("Even Strength Lines");
}

// The team being edited; nothing for a team number beyond the league's table.
const TeamRec* currentTeam(const Session& s)
{
    return s.CurTeam < MaxTeams ? &s.Teams[s.CurTeam] : nullptr;
}

LineTable startingTable(const Session& s)
{
    if (const TeamRec* team = currentTeam(s))
        return team->LineSlots;
    LineTable empty;
    for (auto& line : empty)
        line.fill(NoPlayer);
    return empty;
}

} // namespace

Lines::Lines(Session& session, Prompter& prompter, QWidget* parent)
    : ui::EditorDialog(parent), session_(session), prompter_(prompter), work_(startingTable(session))
{
    setObjectName(QStringLiteral("Lines"));
    openPlayerCard = [this] { showPlayerCard(session_, this); };
    setWindowTitle(QStringLiteral("Edit Lines"));
    ui::applyTheme(this);
    buildControls();
    arrange();
    setTabChain();

    // Opening: Even mode with no line focused, the first row selected and shown.
    applyModeCaptions(Mode::Even);
    const TeamRec* team = currentTeam(session_);
    Label6->setText(QStringLiteral("Lines for ") + (team ? leagueText(team->Name.str()) : QString()));
    assignments_ = lines::ReadLineAssgts(work_.LineSlots);
    AddPlayers();
    connectControls();
    if (List2->count() > 0)
        List2->setCurrentRow(0);
    DisplayLines();
    ReadLineAssgts();
    showSelectedPlayer();
    work_.LinesChanged = false;
    List2->setFocus();
    ui::fitToScreen(this);
}

void Lines::buildControls()
{
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    // Whatever a mode shows in a caption, the caption keeps the width of the widest one, so that
    // no control moves when the mode changes.
    const auto widest = [&bold](const QStringList& texts) {
        int w = 0;
        for (const QString& t : texts)
            w = std::max(w, bold.horizontalAdvance(t));
        return w;
    };
    // At least as wide as the widest text, the label asks the layout for the same width whatever
    // it shows.
    const auto steadyWidth = [](QWidget* w, int width) { w->setMinimumWidth(width); };

    Label6 = new lines::ClickableLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setTextFormat(Qt::PlainText);
    Label6->setToolTip(QStringLiteral("Click to refresh the lines"));
    QFont titleFont = boldFont;
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    Label6->setFont(titleFont);

    Label8 = plainLabel(QStringLiteral("Select Player"), QStringLiteral("Label8"), this);
    setBold(Label8, true);
    ui::setTextColour(Label8, ui::captionColour());
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setAccessibleName(QStringLiteral("Select Player"));
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setSortingEnabled(false);
    // A whole game roster in view.
    List2->setMinimumHeight(List2->fontMetrics().lineSpacing() * 20 + 2 * List2->frameWidth());
    Label8->setBuddy(List2);

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

    lblAssignedCaption = plainLabel(QStringLiteral("Assigned to"), indexed("lblPlyrStat", 17), this);
    ui::setTextColour(lblAssignedCaption, ui::captionColour());
    lblLineString = plainLabel(QStringLiteral("No Assignments"), QStringLiteral("lblLineString"), this);
    lblLineString->setToolTip(QStringLiteral("Line Assignments Notation: TLP - Type:Even/Powerplay/PenKill "
                                             "\u00B7 L - Line Number\u00B7 P-Position"));
    setBold(lblLineString, true);
    // However long a player's assignments, the row keeps its width.
    lblLineString->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    // The boxes only show: drawn as values, and passed by Tab.
    const auto box = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(32);
        ui::showAsValue(e);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
        return e;
    };
    txtPos = box(QStringLiteral("txtPos"));
    txtAge = box(QStringLiteral("txtAge"));
    txtHand = box(QStringLiteral("txtHand"));
    for (int k = 0; k < SkillShown; ++k)
        txtRating[static_cast<std::size_t>(k)] = box(indexed("txtRating", k));
    txtOverall = box(QStringLiteral("txtOverall"));
    for (int k = 0; k < SkillShown; ++k) {
        QLineEdit* e = box(indexed("txtLnAvgRating", k));
        e->setReadOnly(true);
        txtLnAvgRating[static_cast<std::size_t>(k)] = e;
    }
    txtLnOverall = box(QStringLiteral("txtLnOverall"));
    txtLnOverall->setReadOnly(true);
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setAccessibleName(QStringLiteral("Player Name"));
    txtName->setFocusPolicy(Qt::ClickFocus);
    // The name already heads the assignment text; the box is kept for the code that fills it.
    txtName->setVisible(false);
    lblLineFocus = plainLabel(QStringLiteral("Line Average"), QStringLiteral("lblLineFocus"), this);
    setBold(lblLineFocus, true);
    ui::setTextColour(lblLineFocus, ui::captionColour());

    Label5 = plainLabel(QString(), QStringLiteral("Label5"), this);
    setBold(Label5, true);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    steadyWidth(Label5, widest({modeTitle(Mode::Even), modeTitle(Mode::PP), modeTitle(Mode::PK)}) + 8);

    const int slotWidth = bold.horizontalAdvance(QString(22, QLatin1Char('n'))) + 20;
    const int slotHeight = bold.height() + 10;
    for (int i = 0; i < 23; ++i) {
        auto* l = new lines::ClickableLabel(this);
        l->setObjectName(indexed("lblPlayer", i));
        l->setTextFormat(Qt::PlainText);
        l->setFont(boldFont);
        l->setSlotLook(true);
        l->setContentsMargins(8, 0, 8, 0);
        l->setMinimumWidth(slotWidth);
        l->setFixedHeight(slotHeight);
        l->setToolTip(QStringLiteral("Click, or press Space, to put the selected player here"));
        // A hidden slot keeps its place, so the grid does not jump between modes; a taller window
        // gives its room to the margins, not to the slots.
        QSizePolicy sp(QSizePolicy::Expanding, QSizePolicy::Fixed);
        sp.setRetainSizeWhenHidden(true);
        l->setSizePolicy(sp);
        lblPlayer[static_cast<std::size_t>(i)] = l;
    }
    QStringList headers;
    for (int x = 0; x < 12; ++x)
        headers << qs(lines::headerCaption(x));
    QStringList captions;
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 5; ++y)
            captions << slotCaption(x, y);
    for (int k = 0; k < 4; ++k) {
        auto* l = new lines::ClickableLabel(this);
        l->setObjectName(indexed("Label1", k));
        l->setTextFormat(Qt::PlainText);
        l->setToolTip(QStringLiteral("Click, or press Space, to show this line's averages"));
        steadyWidth(l, widest(headers) + 8);
        Label1[static_cast<std::size_t>(k)] = l;
    }
    for (int i = 0; i < 10; ++i) {
        QLabel* l = plainLabel(QString(), indexed("Label2", i), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::setTextColour(l, ui::captionColour());
        steadyWidth(l, widest(captions) + 4);
        Label2[static_cast<std::size_t>(i)] = l;
    }
    Label3 = plainLabel(QStringLiteral("Goalie"), QStringLiteral("Label3"), this);
    Label4 = plainLabel(QStringLiteral("Extra Skaters"), QStringLiteral("Label4"), this);
    for (QLabel* l : {Label3, Label4}) {
        setBold(l, true);
        ui::setTextColour(l, ui::captionColour());
    }

    optEven = new QRadioButton(QStringLiteral("Even"), this);
    optEven->setObjectName(QStringLiteral("optEven"));
    optEven->setToolTip(QStringLiteral("Show the even strength lines"));
    optPP = new QRadioButton(QStringLiteral("PP"), this);
    optPP->setObjectName(QStringLiteral("optPP"));
    optPP->setToolTip(QStringLiteral("Show the power play lines"));
    optPK = new QRadioButton(QStringLiteral("PK"), this);
    optPK->setObjectName(QStringLiteral("optPK"));
    optPK->setToolTip(QStringLiteral("Show the penalty kill lines"));
    optEven->setChecked(true);

    const auto button = [this](const char* text, const char* name, const char* tip) {
        return ui::textButton(this, QLatin1String(text), QLatin1String(name), QLatin1String(tip));
    };
    cmdAuto = button("Auto", "cmdAuto", "Fill every line automatically");
    cmdLoadLines = button("Load Lines", "cmdLoadLines", "Load the lines from a lines file");
    cmdSaveLines = button("Save Lines", "cmdSaveLines", "Save the lines to a lines file");
    cmdExit = button("Exit", "cmdExit", "Close the line editor");
}

void Lines::arrange()
{
    auto* content = new ui::Ground(ui::Ground::Kind::Plain, this);
    content->setObjectName(QStringLiteral("client"));
    auto* root = new QGridLayout(content);
    root->setHorizontalSpacing(14);
    root->setVerticalSpacing(6);
    root->addWidget(Label6, 0, 0, 1, 3);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(Label8);
    left->addWidget(List2, 1);
    auto* filters = new QHBoxLayout;
    filters->setSpacing(6);
    for (QCheckBox* c : Check1)
        filters->addWidget(c);
    filters->addStretch();
    left->addLayout(filters);
    left->addSpacing(8);
    left->addWidget(Label3);
    left->addWidget(lblPlayer[20]);
    left->addSpacing(4);
    left->addWidget(Label4);
    left->addWidget(lblPlayer[21]);
    left->addWidget(lblPlayer[22]);
    left->addWidget(txtName);
    root->addLayout(left, 1, 0, 3, 1);

    auto* assigned = new QHBoxLayout;
    assigned->setSpacing(8);
    assigned->addWidget(lblAssignedCaption);
    assigned->addWidget(lblLineString, 1);
    root->addLayout(assigned, 1, 1, 1, 2);

    // The player row and the line-average row share their rating columns.
    statsGrid = new QGridLayout;
    statsGrid->setHorizontalSpacing(3);
    statsGrid->setVerticalSpacing(0);
    const auto header = [this](const QString& text, const QString& name, const QString& tip, QLineEdit* over,
                               int row, int col) {
        QLabel* h = plainLabel(text, name, this);
        h->setAlignment(Qt::AlignCenter);
        h->setToolTip(tip);
        h->setBuddy(over);
        ui::setTextColour(h, ui::captionColour());
        statsGrid->addWidget(h, row, col);
        statsGrid->addWidget(over, row + 1, col);
    };
    header(QStringLiteral("POS"), indexed("lblPlyrStat", 0), QStringLiteral("Position"), txtPos, 0, 0);
    header(QStringLiteral("AG"), indexed("lblPlyrStat", 14), QStringLiteral("Age"), txtAge, 0, 1);
    header(QStringLiteral("HD"), indexed("lblPlyrStat", 15), QStringLiteral("Shoots"), txtHand, 0, 2);
    txtPos->setAccessibleName(QStringLiteral("Position"));
    txtAge->setAccessibleName(QStringLiteral("Age"));
    txtHand->setAccessibleName(QStringLiteral("Shoots"));
    for (int k = 0; k < SkillShown; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const QString text = QLatin1String(SkillHeader[k]);
        const QString tip = QLatin1String(SkillName[k]);
        header(text, k == 0 ? indexed("lblTm", 0) : indexed("lblPlyrStat", k + 1), tip, txtRating[i], 0,
               3 + k);
        header(text, k == 0 ? indexed("lblTm", 1) : indexed("lblPlyrStat", 31 - k), tip, txtLnAvgRating[i], 2,
               3 + k);
        txtRating[i]->setAccessibleName(tip);
        txtLnAvgRating[i]->setAccessibleName(QStringLiteral("Line Average ") + tip);
    }
    header(QStringLiteral("OV"), indexed("lblPlyrStat", 1), QStringLiteral("Overall"), txtOverall, 0,
           3 + SkillShown);
    header(QStringLiteral("OV"), indexed("lblPlyrStat", 16), QStringLiteral("Overall"), txtLnOverall, 2,
           3 + SkillShown);
    txtOverall->setAccessibleName(QStringLiteral("Overall"));
    txtLnOverall->setAccessibleName(QStringLiteral("Line Average Overall"));
    lblLineFocus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statsGrid->addWidget(lblLineFocus, 3, 0, 1, 3);
    statsGrid->setRowMinimumHeight(2, 0);
    statsGrid->setColumnStretch(4 + SkillShown, 1);
    root->addLayout(statsGrid, 2, 1, 1, 2);

    // Four lines in a two-by-two block, the slot captions at the left of each pair.
    auto* block = new QGridLayout;
    block->setHorizontalSpacing(10);
    block->setVerticalSpacing(3);
    for (int pair = 0; pair < 2; ++pair) {
        const int top = pair * 7;
        for (int side = 0; side < 2; ++side) {
            const int k = pair * 2 + side;
            block->addWidget(Label1[static_cast<std::size_t>(k)], top, 1 + side);
            for (int y = 0; y < 5; ++y)
                block->addWidget(lblPlayer[static_cast<std::size_t>(5 * k + y)], top + 1 + y, 1 + side);
        }
        for (int y = 0; y < 5; ++y)
            block->addWidget(Label2[static_cast<std::size_t>(pair * 5 + y)], top + 1 + y, 0);
    }
    block->setRowMinimumHeight(6, 8);
    // Room the window gains below the lines, not between the slots.
    block->setRowStretch(13, 1);
    block->setColumnStretch(1, 1);
    block->setColumnStretch(2, 1);
    root->addLayout(block, 3, 1);

    auto* modes = new QVBoxLayout;
    modes->setContentsMargins(10, 8, 10, 10);
    modes->addWidget(Label5);
    modes->addSpacing(4);
    modes->addWidget(optEven);
    modes->addWidget(optPP);
    modes->addWidget(optPK);
    content->addPanel(modes, 0);
    auto* right = new QVBoxLayout;
    right->addLayout(modes);
    right->addStretch();
    root->addLayout(right, 3, 2);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(cmdAuto);
    buttons->addWidget(cmdLoadLines);
    buttons->addWidget(cmdSaveLines);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    root->addLayout(buttons, 4, 0, 1, 3);
    root->setRowStretch(3, 1);
    root->setColumnStretch(1, 1);

    frame_ = ui::setScrollableContent(this, content);
}

void Lines::setTabChain()
{
    // Reading order: the title, the list and its filters, the goalie line under them, then each
    // of the four lines from its header down, the modes and the buttons.
    std::vector<QWidget*> order = {Label6, List2};
    order.insert(order.end(), Check1.begin(), Check1.end());
    for (int i : {20, 21, 22})
        order.push_back(lblPlayer[static_cast<std::size_t>(i)]);
    for (int k = 0; k < 4; ++k) {
        order.push_back(Label1[static_cast<std::size_t>(k)]);
        for (int y = 0; y < 5; ++y)
            order.push_back(lblPlayer[static_cast<std::size_t>(5 * k + y)]);
    }
    order.insert(order.end(), {optEven, optPP, optPK, cmdAuto, cmdLoadLines, cmdSaveLines, cmdExit});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Lines::stepFrom(int index, int key)
{
    // The slots as the eye sees them: the goalie line at the left, then the two columns of the
    // block, each read from the top.
    static const std::array<std::vector<int>, 3> columns = {
        std::vector<int>{20, 21, 22}, std::vector<int>{0, 1, 2, 3, 4, 10, 11, 12, 13, 14},
        std::vector<int>{5, 6, 7, 8, 9, 15, 16, 17, 18, 19}};
    int col = 0;
    int row = 0;
    for (int c = 0; c < 3; ++c) {
        const auto& column = columns[static_cast<std::size_t>(c)];
        const auto at = std::find(column.begin(), column.end(), index);
        if (at != column.end()) {
            col = c;
            row = static_cast<int>(at - column.begin());
        }
    }
    const auto shown = [this](int c, int r) {
        const auto& column = columns[static_cast<std::size_t>(c)];
        return r >= 0 && r < static_cast<int>(column.size()) &&
               lblPlayer[static_cast<std::size_t>(column[static_cast<std::size_t>(r)])]->isVisible();
    };
    int toCol = col;
    int toRow = row;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int step = key == Qt::Key_Up ? -1 : 1;
        do
            toRow += step;
        while (toRow >= 0 && toRow < static_cast<int>(columns[static_cast<std::size_t>(col)].size()) &&
               !shown(col, toRow));
    } else {
        toCol = col + (key == Qt::Key_Left ? -1 : 1);
        if (toCol < 0 || toCol > 2)
            return;
        // The same row where the column has it, else the nearest shown one above.
        toRow = std::min(row, static_cast<int>(columns[static_cast<std::size_t>(toCol)].size()) - 1);
        while (toRow >= 0 && !shown(toCol, toRow))
            --toRow;
    }
    if (!shown(toCol, toRow))
        return;
    lines::ClickableLabel* to = lblPlayer[static_cast<std::size_t>(
        columns[static_cast<std::size_t>(toCol)][static_cast<std::size_t>(toRow)])];
    to->setFocus(Qt::TabFocusReason);
    frame_->ensureWidgetVisible(to);
}

void Lines::connectControls()
{
    connect(List2, &QListWidget::itemSelectionChanged, this, &Lines::listClicked);
    connect(List2, &QListWidget::itemDoubleClicked, this, &Lines::listDoubleClicked);
    for (QCheckBox* c : Check1)
        connect(c, &QCheckBox::toggled, this, &Lines::AddPlayers);
    for (int i = 0; i < 23; ++i) {
        connect(lblPlayer[static_cast<std::size_t>(i)], &lines::ClickableLabel::clicked, this,
                [this, i] { slotClicked(i); });
        connect(lblPlayer[static_cast<std::size_t>(i)], &lines::ClickableLabel::arrowPressed, this,
                [this, i](int key) { stepFrom(i, key); });
    }
    for (int k = 0; k < 4; ++k)
        connect(Label1[static_cast<std::size_t>(k)], &lines::ClickableLabel::clicked, this,
                [this, k] { FocusLine(lines::baseLine(mode()) + k); });
    connect(Label6, &lines::ClickableLabel::clicked, this, [this] {
        DisplayLines();
        ReadLineAssgts();
        showSelectedPlayer();
    });
    const auto onMode = [this](QRadioButton* b, Mode m) {
        connect(b, &QRadioButton::toggled, this, [this, m](bool on) {
            if (on)
                modeSelected(m);
        });
    };
    onMode(optEven, Mode::Even);
    onMode(optPP, Mode::PP);
    onMode(optPK, Mode::PK);
    connect(cmdAuto, &QPushButton::clicked, this, &Lines::autoClicked);
    connect(cmdLoadLines, &QPushButton::clicked, this, &Lines::loadLinesClicked);
    connect(cmdSaveLines, &QPushButton::clicked, this,
            [this] { (void)lines::ExportLinesSub(session_, prompter_, work_, 0); });
    connect(cmdExit, &QPushButton::clicked, this, &Lines::exitClicked);
}

Mode Lines::mode() const
{
    if (optEven->isChecked())
        return Mode::Even;
    if (optPP->isChecked())
        return Mode::PP;
    if (optPK->isChecked())
        return Mode::PK;
    return Mode::Even;
}

std::optional<std::uint8_t> Lines::selectedSlot() const
{
    const QList<QListWidgetItem*> items = List2->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int slot = items.first()->data(Qt::UserRole).toInt(&ok);
    if (!ok || slot < 0 || slot >= RosterSize)
        return std::nullopt;
    return static_cast<std::uint8_t>(slot);
}

void Lines::AddPlayers()
{
    std::array<bool, 5> shown{};
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = Check1[i]->isChecked();
    // A refill leaves no row selected; the player shown before stays on show.
    const QSignalBlocker block(List2);
    List2->clear();
    for (const std::uint8_t slot : lines::listedPlayers(session_.Players[0], shown)) {
        auto* item = new QListWidgetItem(leagueText(session_.Players[0][slot].Name.str()), List2);
        item->setData(Qt::UserRole, static_cast<int>(slot));
    }
    List2->setCurrentRow(-1);
    List2->clearSelection();
}

void Lines::DisplayLines()
{
    for (int i = 0; i < 23; ++i)
        showSlot(i);
}

void Lines::showSlot(int index)
{
    const Mode m = mode();
    const lines::Cell c = lines::cellOfSlot(index, m);
    const std::uint8_t s = work_.LineSlots[static_cast<std::size_t>(c.x)][static_cast<std::size_t>(c.y)];
    const bool filled = lines::occupied(s);
    const PlayerRec* p = filled ? &session_.Players[0][s] : nullptr;
    lines::ClickableLabel* l = lblPlayer[static_cast<std::size_t>(index)];
    l->setText(p ? leagueText(p->Name.str()) : QString());

    // A screen reader hears the slot's line and place, and who stands there.
    QString group;
    QString place;
    if (index >= 20) {
        group = c.y == 0 ? QStringLiteral("Goalie") : QStringLiteral("Extra Skaters");
        place = qs(lines::slotLabel(c.x, c.y));
    } else {
        group = qs(lines::headerCaption(c.x));
        place = slotCaption(c.x, c.y);
    }
    QString name = place.isEmpty() ? group : group + QStringLiteral(", ") + place;
    if (p)
        name += QStringLiteral(": ") + leagueText(Condense(p->Name.str()));
    l->setAccessibleName(name);
}

void Lines::DisplayPlayer(std::uint8_t Ply)
{
    // The boxes only display: nothing is read back from them.
    if (ui::showPlayer({txtName, txtRating, txtOverall, txtAge, txtHand, txtPos}, session_, Ply))
        lblLineString->setText(qs(assignments_[Ply]));
}

void Lines::showSelectedPlayer()
{
    if (const auto p = selectedSlot())
        DisplayPlayer(*p);
}

void Lines::ReadLineAssgts()
{
    assignments_ = lines::ReadLineAssgts(work_.LineSlots);
}

void Lines::applyModeCaptions(Mode m)
{
    const int base = lines::baseLine(m);
    for (int i = 0; i < 20; ++i)
        lblPlayer[static_cast<std::size_t>(i)]->setVisible(lines::slotShown(i, m));
    for (int k = 0; k < 4; ++k)
        Label1[static_cast<std::size_t>(k)]->setText(qs(lines::headerCaption(base + k)));
    Label5->setText(modeTitle(m));
    for (int pair = 0; pair < 2; ++pair)
        for (int y = 0; y < 5; ++y)
            Label2[static_cast<std::size_t>(pair * 5 + y)]->setText(slotCaption(base + 2 * pair, y));
}

void Lines::FocusLine(int x)
{
    const int k = lines::focusHeader(x);
    for (int i = 0; i < 4; ++i)
        setBold(Label1[static_cast<std::size_t>(i)], i == k);
    const lines::LineAverages avg = lines::lineAverages(session_, work_.LineSlots, x);
    for (std::size_t r = 0; r < txtLnAvgRating.size(); ++r)
        txtLnAvgRating[r]->setText(QString::number(avg.rating[r]));
    txtLnOverall->setText(QString::number(avg.overall));
}

void Lines::listClicked()
{
    const auto p = selectedSlot();
    if (!p)
        return;
    session_.CurPlayer = *p;
    lblAssignedCaption->setText(leagueText(Condense(session_.Players[0][*p].Name.str())) +
                                QStringLiteral(" is assigned to:"));
    DisplayPlayer(*p);
}

void Lines::listDoubleClicked()
{
    const auto p = selectedSlot();
    if (!p)
        return;
    session_.CurPlayer = *p;
    DisplayPlayer(*p);
    if (openPlayerCard)
        openPlayerCard();
}

void Lines::slotClicked(int index)
{
    const auto p = selectedSlot();
    if (!p)
        return;
    const Mode m = mode();
    if (!work_.place(index, *p, session_.Players[0][*p], m))
        return;
    showSlot(index);
    // The goalie line has no averages of its own; its slots focus E1 whatever the mode.
    FocusLine(index < 20 ? lines::baseLine(m) + index / 5 : 0);
    ReadLineAssgts();
    showSelectedPlayer();
}

void Lines::modeSelected(Mode m)
{
    applyModeCaptions(m);
    FocusLine(lines::baseLine(m));
    DisplayLines();
}

void Lines::autoClicked()
{
    const int n = lines::healthyDressed(session_.Players[0]);
    if (n != lines::AutoLinesDressed) {
        prompter_.message("There are only " + std::to_string(n) + " players on the roster.\rSet roster first",
                          MsgIcon::Information, "Auto Lines");
        return;
    }
    lines::AutoLines(session_, work_.LineSlots, 0, 0);
    ReadLineAssgts();
    showSelectedPlayer();
    DisplayLines();
    work_.LinesChanged = true;
}

void Lines::loadLinesClicked()
{
    if (lines::ImportLinesSub(session_, prompter_, work_, 0) != lines::ImportOutcome::Taken)
        return;
    // The list is not refilled: the rows stay as they were, the new table shows in the texts
    // and the slots.
    ReadLineAssgts();
    showSelectedPlayer();
    DisplayLines();
}

void Lines::exitClicked()
{
    if (work_.LinesChanged && prompter_.askYesNo("Keep Line Changes?", MsgIcon::None, "Keep Changes")) {
        if (lines::LinesIncomplete(work_.LineSlots)) {
            prompter_.message("Lines are not complete", MsgIcon::Stop, "Edit Lines");
            return;
        }
        if (const Status saved = work_.TransferBuffer(session_, 0); !saved) {
            // Nothing was committed: the window stays open with the changes, so the manager can
            // try again or leave without them.
            prompter_.message("The lines could not be saved.\r" + saved.error(), MsgIcon::Stop, "Edit Lines");
            return;
        }
    }
    work_.LinesChanged = false;
    accept();
}

void Lines::closeEvent(QCloseEvent* event)
{
    // The close box, or any way out but Exit: the working copy is dropped, with a warning when
    // it held changes.
    if (isVisible() && work_.LinesChanged) {
        work_.LinesChanged = false;
        prompter_.message("Changes were not saved", MsgIcon::Stop, "Edit Lines");
    }
    event->accept();
    done(QDialog::Rejected);
}

} // namespace bb
