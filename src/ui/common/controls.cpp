#include "controls.h"

#include "core/ratings.h"
#include "ui/common/league_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bb::ui {

QString indexed(const char* name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QLabel* plainLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void setBold(QWidget* w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

QPushButton* textButton(QWidget* parent, const QString& text, const QString& name, const QString& tip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

bool showPlayer(const PlayerBoxes& boxes, const Session& s, std::uint8_t Ply)
{
    if (Ply >= RosterSize)
        return false;
    const PlayerRec& p = s.Players[0][Ply];
    if (p.isEmpty())
        return false;
    boxes.name->setText(leagueText(p.Name.str()));
    for (std::size_t k = 0; k < boxes.rating.size(); ++k)
        boxes.rating[k]->setText(QString::number(p.Skill[k]));
    const std::optional<int> overall = Overall(s, 0, Ply);
    boxes.overall->setText(overall ? QString::number(*overall) : QString());
    boxes.age->setText(QString::number(p.Age));
    boxes.hand->setText(p.Shoots != 0 ? QStringLiteral("R") : QStringLiteral("L"));
    boxes.pos->setText(QString::fromStdString(s.posName(p.Pos)));
    // Defence and scoring mean nothing for a goalie.
    const bool goalie = p.Pos == PosG;
    for (const std::size_t k : {std::size_t{9}, std::size_t{10}}) {
        if (goalie)
            boxes.rating[k]->setText(QStringLiteral("na"));
        boxes.rating[k]->setReadOnly(goalie);
    }
    return true;
}

} // namespace bb::ui
