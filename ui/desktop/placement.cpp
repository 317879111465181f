#include "ui/desktop/placement.h"

namespace {

int placeAlong(int length, int start, int room)
{
    return length <= room ? start + (room - length) / 2 : start;
}

} // namespace

QPoint placeOnScreen(QSize frame, const QRect& available)
{
    return { placeAlong(frame.width(), available.left(), available.width()),
        placeAlong(frame.height(), available.top(), available.height()) };
}
