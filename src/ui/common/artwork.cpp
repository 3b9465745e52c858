#include "ui/common/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace bb::ui {

namespace {

const QColor kNightTop(10, 28, 58);
const QColor kNightBottom(20, 58, 104);

QPixmap iconPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // A rounded ice-blue tile with a red centre line and a black puck sliding across it.
    QLinearGradient ice(0, 0, 0, s);
    ice.setColorAt(0, QColor(232, 244, 255));
    ice.setColorAt(1, QColor(176, 208, 236));
    p.setPen(QPen(kNightTop, qMax<qreal>(1.0, s / 16)));
    p.setBrush(ice);
    const qreal m = s / 16;
    p.drawRoundedRect(QRectF(m, m, s - 2 * m, s - 2 * m), s / 5, s / 5);

    p.setPen(QPen(QColor(200, 30, 40), qMax<qreal>(1.0, s / 12)));
    p.drawLine(QPointF(s / 2, 2 * m), QPointF(s / 2, s - 2 * m));
    p.setPen(QPen(QColor(30, 80, 190), qMax<qreal>(1.0, s / 16)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.22, s * 0.22);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 24));
    p.drawEllipse(QPointF(s * 0.66, s * 0.66), s * 0.17, s * 0.12);
    p.setBrush(QColor(70, 70, 80));
    p.drawEllipse(QPointF(s * 0.66, s * 0.63), s * 0.17, s * 0.10);
    return pm;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(iconPixmap(size));
    return icon;
}

QColor nightTop()
{
    return kNightTop;
}

QColor nightBottom()
{
    return kNightBottom;
}

void paintNightBackground(QPainter& p, const QRect& area)
{
    QLinearGradient night(area.topLeft(), area.bottomLeft());
    night.setColorAt(0, kNightTop);
    night.setColorAt(1, kNightBottom);
    p.fillRect(area, night);
}

void paintPanel(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(QColor(255, 255, 255, 14));
    p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.restore();
}

void paintRinkBackground(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    paintNightBackground(p, area);

    // Markings stay faint so that text over them keeps its contrast.
    const QRectF r = QRectF(area).adjusted(6, 6, -6, -6);
    const qreal w = r.width();
    const qreal h = r.height();
    const qreal corner = qMin(w, h) * 0.28;

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 46), 2));
    p.drawRoundedRect(r, corner, corner);

    p.setPen(QPen(QColor(220, 60, 70, 70), 3));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.setPen(QPen(QColor(90, 150, 255, 70), 3));
    for (qreal x : {r.left() + w * 0.36, r.left() + w * 0.64})
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    p.setPen(QPen(QColor(220, 60, 70, 60), 1.5));
    for (qreal x : {r.left() + w * 0.08, r.right() - w * 0.08})
        p.drawLine(QPointF(x, r.top() + corner * 0.3), QPointF(x, r.bottom() - corner * 0.3));

    const qreal radius = qMin(w, h) * 0.16;
    p.setPen(QPen(QColor(90, 150, 255, 70), 2));
    p.drawEllipse(r.center(), radius, radius);
    p.setPen(QPen(QColor(220, 60, 70, 55), 1.5));
    for (qreal fx : {r.left() + w * 0.2, r.right() - w * 0.2})
        for (qreal fy : {r.top() + h * 0.27, r.bottom() - h * 0.27})
            p.drawEllipse(QPointF(fx, fy), radius * 0.9, radius * 0.9);

    // A soft sheen of rink lights from above.
    QRadialGradient light(QPointF(r.center().x(), r.top()), w * 0.7);
    light.setColorAt(0, QColor(255, 255, 255, 22));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(area, light);

    p.restore();
}

} // namespace bb::ui
