#include "player_info.h"

#include "ui/common/artwork.h"
#include "ui/common/controls.h"
#include "ui/common/league_text.h"
#include "ui/common/theme.h"
#include "ui/common/twips.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace bb {

namespace card {

ToggleLabel::ToggleLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // A little room between the text and the focus ring the card draws around the label.
    setContentsMargins(3, 1, 3, 1);
}

void ToggleLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ToggleLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click && isEnabled())
        emit toggled();
}

void ToggleLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here, so that Enter on the label does not also press the dialog's default button.
        event->accept();
        if (!event->isAutoRepeat())
            emit toggled();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

} // namespace card

namespace {

// The arrangement, in twips.
constexpr int kClientWidth = 7305;
constexpr int kClientHeight = 5070;
constexpr int kRowHeight = 255;
constexpr int kHeaderHeight = 330;
constexpr int kGap = 60;            // between a control and the next one in its row
constexpr int kLeftBlockEnd = 4200; // where the ratings columns begin
constexpr int kRightEdge = kClientWidth - 120;

constexpr std::array<const char*, card::StatCount> kStatValueName = {
    "lblGP", "lblG",  "lblA",  "lblP",  "lblPIM",   "lblPlus",
    "lblPP", "lblSH", "lblGW", "lblGT", "lblShots", "lblShoot"};
constexpr std::array<int, card::StatCount> kStatCaptionLeft = {240, 1440, 2520, 3480, 4560, 5760,
                                                               240, 1320, 2400, 3480, 4560, 5760};
constexpr std::array<int, card::StatCount> kStatValueLeft = {720, 1800, 2880, 3960, 5160, 6240,
                                                             720, 1800, 2880, 3960, 5160, 6240};
constexpr std::array<const char*, 14> kSkillCaption = {
    "Intensity", "Speed",       "Strength", "Endurance", "Durability", "Discipline", "Skating",
    "Passing",   "Stickhandle", "Defence",  "Scoring",   "Experience", "Leadership", "Overall"};

QLabel* styled(QLabel* l, const QString& name, const QColor& colour, const QFont& font)
{
    l->setObjectName(name);
    // Names and places come from the league files: data, never markup.
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QFont scaledFont(QFont f, double factor)
{
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * factor);
    else
        f.setPixelSize(qMax(1, qRound(f.pixelSize() * factor)));
    return f;
}

// The room a label needs for the widest of its texts.
QSize textRoom(const QLabel* l, const QStringList& texts)
{
    const QFontMetrics fm = l->fontMetrics();
    const QMargins m = l->contentsMargins();
    int w = 0;
    for (const QString& t : texts)
        w = std::max(w, fm.horizontalAdvance(t));
    return {w + m.left() + m.right() + 2 * l->margin() + 2,
            fm.height() + m.top() + m.bottom() + 2 * l->margin()};
}

// The card's ground: the night blue of every window, with the ratings and the statistics on
// panels where the arrangement puts them.
class CardArea : public QWidget {
  public:
    explicit CardArea(QWidget* parent) : QWidget(parent) { ui::trackFocus(this); }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        ui::paintNightBackground(p, rect());
        const double sx = width() * 1.0 / kClientWidth;
        const double sy = height() * 1.0 / kClientHeight;
        const auto panel = [&](int left, int top, int right, int bottom) {
            return QRectF(left * sx, top * sy, (right - left) * sx, (bottom - top) * sy);
        };
        ui::paintPanel(p, panel(4080, 480, kRightEdge + 60, 3120));
        ui::paintPanel(p, panel(120, 3360, kRightEdge + 60, 4320));
        ui::paintFocusRing(p, this);
    }
};

} // namespace

PlayerInfo::PlayerInfo(const Session& session, QWidget* parent)
    : QDialog(parent), PlyBuf(card::cardPlayer(session))
{
    setObjectName(QStringLiteral("PlayerInfo"));
    setWindowTitle(QStringLiteral("Player Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui::applyTheme(this);
    content_ = new CardArea(this);
    content_->setObjectName(QStringLiteral("client"));

    const QLocale locale;
    card::Separators sep;
    sep.thousands = locale.groupSeparator().toStdString();
    sep.decimal = locale.decimalPoint().toStdString();
    texts_ = card::fillCard(PlyBuf, card::cardContext(session, std::move(sep)));

    buildControls();
    fill();
    arrange();
    ui::setScrollableContent(this, content_);
    Command1->setFocus();
    ui::fitToScreen(this);
}

void PlayerInfo::buildControls()
{
    const QFont base = font();
    QFont bold = base;
    bold.setBold(true);
    // The header reads larger than the values, in the proportion of 9.75 to 8.25 points.
    const QFont header = scaledFont(bold, 9.75 / 8.25);

    QWidget* area = content_;
    const auto value = [&](const QString& name) { return styled(new QLabel(area), name, Qt::white, bold); };
    const auto caption = [&](QLabel* buddy, const QString& text, const QString& name = {}) {
        QLabel* c = styled(new QLabel(text, area),
                           name.isEmpty() ? buddy->objectName() + QStringLiteral("Caption") : name,
                           ui::captionColour(), base);
        c->setBuddy(buddy);
        return c;
    };
    // A row of controls from left to right: each may use the width up to the next one's left edge
    // (the last one up to end), or less where the arrangement says so.
    using Item = std::pair<QWidget*, int>;
    const auto row = [this](int top, int end, const std::vector<Item>& items,
                            const std::vector<int>& widths = {}) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int next = i + 1 < items.size() ? items[i + 1].second : end + kGap;
            int width = next - items[i].second - kGap;
            if (i < widths.size() && widths[i] > 0)
                width = std::min(width, widths[i]);
            places_.push_back({items[i].first, items[i].second, top, width, kRowHeight});
        }
    };

    Label1 = styled(new QLabel(area), QStringLiteral("Label1"), Qt::white, header);
    lblExp = styled(new QLabel(area), QStringLiteral("lblExp"), Qt::white, header);
    places_.push_back({Label1, 120, 120, 6000 - 120 - kGap, kHeaderHeight});
    places_.push_back({lblExp, 6000, 120, kRightEdge - 6000, kHeaderHeight});

    lblPos = value(QStringLiteral("lblPos"));
    lblNum = value(QStringLiteral("lblNum"));
    lblHD = value(QStringLiteral("lblHD"));
    lblHgt = new card::ToggleLabel(area);
    styled(lblHgt, QStringLiteral("lblHgt"), Qt::white, bold);
    lblHgt->setToolTip(QStringLiteral("Click to switch between feet and centimetres"));
    lblWgt = value(QStringLiteral("lblWgt"));
    lblAge = value(QStringLiteral("lblAge"));
    lblSts = value(QStringLiteral("lblSts"));
    lblCon = value(QStringLiteral("lblCon"));
    lblContract = value(QStringLiteral("lblContract"));
    lblSalary = value(QStringLiteral("lblSalary"));
    lblBirthplace = value(QStringLiteral("lblBirthplace"));

    row(720, kLeftBlockEnd,
        {{caption(lblPos, "POS"), 240},
         {lblPos, 720},
         {caption(lblNum, "NUM"), 1560},
         {lblNum, 2040},
         {caption(lblHD, "HD"), 2880},
         {lblHD, 3360}});
    row(1200, kLeftBlockEnd,
        {{caption(lblHgt, "HGT"), 240},
         {lblHgt, 720},
         {caption(lblWgt, "WGT"), 1440},
         {lblWgt, 2040},
         {caption(lblAge, "AGE"), 2880},
         {lblAge, 3360}});
    row(1680, kLeftBlockEnd,
        {{caption(lblSts, "STS"), 240}, {lblSts, 720}, {caption(lblCon, "CON"), 2400}, {lblCon, 3360}},
        {0, 1935});
    row(2160, kLeftBlockEnd,
        {{caption(lblContract, "Contract"), 240},
         {lblContract, 960},
         {caption(lblSalary, "Salary $"), 1560},
         {lblSalary, 2280}},
        {0, 0, 0, 1335});
    row(2640, kLeftBlockEnd, {{caption(lblBirthplace, "Birthplace"), 240}, {lblBirthplace, 1080}});

    // The ratings in two columns of seven.
    for (int k = 0; k < 14; ++k) {
        const auto u = static_cast<std::size_t>(k);
        lblSkill[u] = value(ui::indexed("lblSkill", k));
        QLabel* c = caption(lblSkill[u], QLatin1String(kSkillCaption[u]), ui::indexed("lblSkillCaption", k));
        const int top = 600 + 360 * (k % 7);
        if (k < 7)
            row(top, 5760 - kGap, {{c, 4200}, {lblSkill[u], 5040}});
        else
            row(top, kRightEdge, {{c, 5760}, {lblSkill[u], 6600}});
    }

    // The statistics in two rows of six; the captions change with the layout, so fill() sets them.
    for (std::size_t i = 0; i < card::StatCount; ++i) {
        statValue[i] = value(QLatin1String(kStatValueName[i]));
        statCaption[i] = caption(statValue[i], QString(), QStringLiteral("Label%1").arg(26 + i));
    }
    for (std::size_t half = 0; half < 2; ++half) {
        std::vector<Item> items;
        for (std::size_t i = half * 6; i < half * 6 + 6; ++i) {
            items.push_back({statCaption[i], kStatCaptionLeft[i]});
            items.push_back({statValue[i], kStatValueLeft[i]});
        }
        row(half == 0 ? 3480 : 3960, kRightEdge, items);
    }

    Command1 = new QPushButton(QStringLiteral("Exit"), area);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Close the player card"));
    Command1->setDefault(true);
    places_.push_back({Command1, 5640, 4560, 1575, 375});

    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(lblHgt, &card::ToggleLabel::toggled, this, &PlayerInfo::lblHgt_Click);
    setTabOrder(lblHgt, Command1);
}

void PlayerInfo::fill()
{
    using ui::leagueText;
    using ui::qs;
    Label1->setText(leagueText(texts_.Label1));
    lblExp->setText(qs(texts_.lblExp));
    lblPos->setText(qs(texts_.lblPos));
    lblNum->setText(qs(texts_.lblNum));
    lblHD->setText(qs(texts_.lblHD));
    lblWgt->setText(qs(texts_.lblWgt));
    lblAge->setText(qs(texts_.lblAge));
    lblSts->setText(qs(texts_.lblSts));
    lblCon->setText(qs(texts_.lblCon));
    lblContract->setText(qs(texts_.lblContract));
    lblSalary->setText(qs(texts_.lblSalary));
    lblBirthplace->setText(leagueText(texts_.lblBirthplace));
    for (std::size_t k = 0; k < lblSkill.size(); ++k)
        lblSkill[k]->setText(qs(texts_.lblSkill[k]));
    for (std::size_t i = 0; i < card::StatCount; ++i) {
        statCaption[i]->setText(qs(texts_.statCaption[i]));
        statValue[i]->setText(qs(texts_.statValue[i]));
    }
    statValue[card::lblGT]->setVisible(texts_.lblGTVisible);
    ShowFeet = true;
    lblHgt->setText(qs(texts_.lblHgt(ShowFeet)));
}

void PlayerInfo::arrange()
{
    // Where the font in use is wider or taller than the arrangement allows, the whole arrangement
    // stretches evenly in that direction, so that no text is cut.
    double sx = 1.0;
    double sy = 1.0;
    for (const Place& pl : places_) {
        QSize need;
        if (pl.w == lblHgt)
            need = textRoom(lblHgt, {ui::qs(texts_.lblHgtFeet), ui::qs(texts_.lblHgtCm)});
        else if (const auto* l = qobject_cast<const QLabel*>(pl.w))
            need = textRoom(l, {l->text()});
        else
            need = pl.w->sizeHint();
        sx = std::max(sx, need.width() * 15.0 / pl.width);
        sy = std::max(sy, need.height() * 15.0 / pl.height);
    }
    const ui::Twips tx(sx);
    const ui::Twips ty(sy);
    for (const Place& pl : places_)
        pl.w->setGeometry(tx.px(pl.left), ty.px(pl.top), tx.px(pl.width), ty.px(pl.height));
    // The height's text lines up with the other values; its focus mark takes the margin before it.
    lblHgt->move(lblHgt->x() - lblHgt->contentsMargins().left(), lblHgt->y());
    // The arrangement is fixed: on a screen too small for it the card scrolls.
    content_->setFixedSize(tx.px(kClientWidth), ty.px(kClientHeight));
    showHeight();
}

void PlayerInfo::lblHgt_Click()
{
    ShowFeet = !ShowFeet;
    showHeight();
}

void PlayerInfo::showHeight()
{
    lblHgt->setText(ui::qs(texts_.lblHgt(ShowFeet)));
    // The label is as wide as its text, so the click and the focus mark sit on the height itself.
    lblHgt->resize(textRoom(lblHgt, {lblHgt->text()}).width(), lblHgt->height());
}

void showPlayerCard(const Session& session, QWidget* parent)
{
    PlayerInfo card(session, parent);
    card.exec();
}

} // namespace bb
