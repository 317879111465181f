#include "ui/captionedframe.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {

constexpr int CaptionLeft = 8;
constexpr int CaptionGap = 2;

} // namespace

QRect CaptionedFrame::captionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    return { CaptionLeft - CaptionGap, 0, metrics.horizontalAdvance(title()) + 2 * CaptionGap, metrics.height() };
}

// An etched line, as plain frames on the desktop have, in the colours of the frame's state:
// palette() gives the disabled colours while the frame is disabled.
void CaptionedFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    painter.save();
    painter.setClipRegion(QRegion(rect()) - caption);
    qDrawShadeRect(&painter, rect().adjusted(0, caption.height() / 2, 0, 0), palette(), true, 1, 0);
    painter.restore();
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(), QPalette::WindowText);
}
