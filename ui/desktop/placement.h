#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window's frame goes on a screen's available area: centred where it fits, otherwise
// at the area's top left edge, so that its title bar and menu bar stay on the screen.
QPoint placeOnScreen(QSize frame, const QRect& available);
