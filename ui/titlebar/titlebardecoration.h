#pragma once

#include "ui/titlebar/titlebuttons.h"

#include <QtWaylandClient/private/qwaylandabstractdecoration_p.h>

#include <optional>

// A plain title bar for compositors that leave drawing it to the client: the window's title,
// the buttons its flags ask for, dragging to move and the compositor's window menu on a right
// click. The windows are fixed-size, so its edges do not resize.
class TitleBarDecoration : public QtWaylandClient::QWaylandAbstractDecoration {
public:
    QMargins margins(MarginsType marginsType = Full) const override;
    bool handleMouse(QtWaylandClient::QWaylandInputDevice* inputDevice, const QPointF& local, const QPointF& global,
        Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) override;
    bool handleTouch(QtWaylandClient::QWaylandInputDevice* inputDevice, const QPointF& local, const QPointF& global,
        QEventPoint::State state, Qt::KeyboardModifiers modifiers) override;

protected:
    void paint(QPaintDevice* device) override;

private:
    qreal scale() const;
    std::vector<PlacedTitleButton> buttons() const;
    void press(TitleButton button);
    void showFeedback(std::optional<TitleButton> hovered, std::optional<TitleButton> pressed);

    std::optional<TitleButton> m_hovered;
    std::optional<TitleButton> m_pressed;
};
