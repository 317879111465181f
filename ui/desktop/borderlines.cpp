#include "ui/desktop/borderlines.h"

#include <QLabel>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

BorderLines::BorderLines(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
}

void BorderLines::add(QLabel* label, QColor colour)
{
    label->setContentsMargins(1, 1, 1, 1);
    m_labels.push_back({ label, colour });
}

void BorderLines::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QTransform toDevice = painter.deviceTransform();
    const QTransform fromDevice = toDevice.inverted();
    const int line = std::max(1, static_cast<int>(std::lround(devicePixelRatioF())));
    // The device pixel nearest a logical edge: labels that share an edge share its pixel.
    const auto x = [&toDevice](int logical) { return qRound(toDevice.map(QPointF(logical, 0)).x()); };
    const auto y = [&toDevice](int logical) { return qRound(toDevice.map(QPointF(0, logical)).y()); };

    std::vector<std::pair<QColor, QRect>> boxes;
    for (const auto& [label, colour] : m_labels) {
        if (label->isVisibleTo(parentWidget()))
            boxes.emplace_back(colour.isValid() ? colour : label->palette().color(label->foregroundRole()),
                label->geometry().translated(-pos()));
    }
    for (auto box = boxes.begin(); box != boxes.end(); ++box) {
        const QRect& area = box->second;
        const QRect pixels(QPoint(x(area.left()), y(area.top())), QPoint(x(area.right() + 1) - 1, y(area.bottom() + 1) - 1));
        // A label made later lies above this one and hides its line where it covers it, as at
        // 100 %: decided in logical pixels, so that a fractional overlap hides a line whole.
        QRegion hidden;
        for (auto above = std::next(box); above != boxes.end(); ++above)
            hidden += above->second;
        const QColor& colour = box->first;
        const auto draw = [&](const QRect& strip, bool across, int at) {
            for (const QRect& part : QRegion(strip) - hidden) {
                const QRect device = across
                    ? QRect(QPoint(x(part.left()), at), QPoint(x(part.right() + 1) - 1, at + line - 1))
                    : QRect(QPoint(at, y(part.top())), QPoint(at + line - 1, y(part.bottom() + 1) - 1));
                // Whole device pixels, taken back to the painter's coordinates.
                painter.fillRect(fromDevice.mapRect(QRectF(device)), colour);
            }
        };
        draw(QRect(area.left(), area.top(), area.width(), 1), true, pixels.top());
        draw(QRect(area.left(), area.bottom(), area.width(), 1), true, pixels.bottom() - line + 1);
        draw(QRect(area.left(), area.top(), 1, area.height()), false, pixels.left());
        draw(QRect(area.right(), area.top(), 1, area.height()), false, pixels.right() - line + 1);
    }
}
