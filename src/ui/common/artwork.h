// The program's own artwork, painted in code: the window icon and the night-blue grounds every
// window is drawn on. Dark enough that white and yellow text stays legible on it.
#pragma once

#include <QColor>
#include <QIcon>
#include <QRect>

class QPainter;

namespace bb::ui {

QIcon programIcon();

// A night-blue rink seen from above: faint boards, blue lines, centre line and face-off circles.
void paintRinkBackground(QPainter& p, const QRect& area);

// The same night blue without the markings, for windows full of text.
void paintNightBackground(QPainter& p, const QRect& area);

// A rounded panel that groups related figures; faintly lighter than the ground.
void paintPanel(QPainter& p, const QRectF& area);

// The darkest and the lightest colour of the night-blue ground.
QColor nightTop();
QColor nightBottom();

} // namespace bb::ui
