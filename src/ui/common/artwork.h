// The program's own artwork, painted in code: the window icon and the backgrounds of the main
// window and the About box. Dark enough that white and yellow text stays legible on it.
#pragma once

#include <QIcon>
#include <QRect>

class QPainter;

namespace bb::ui {

QIcon programIcon();

// A night-blue rink seen from above: faint boards, blue lines, centre line and face-off circles.
void paintRinkBackground(QPainter& p, const QRect& area);

} // namespace bb::ui
