#include "ui/titlebar/titlebardecoration.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <cmath>

using QtWaylandClient::QWaylandInputDevice;

namespace {

struct Palette {
    QColor bar;
    QColor border;
    QColor text;
};

// Light with dark text; an inactive window's bar fades so the active one stands out.
const Palette ActivePalette { QColor(0xdf, 0xe3, 0xe8), QColor(0x8c, 0x93, 0x9c), QColor(0x1c, 0x1c, 0x1c) };
const Palette InactivePalette { QColor(0xf2, 0xf3, 0xf5), QColor(0xc3, 0xc7, 0xcc), QColor(0x80, 0x85, 0x8c) };
const QColor HoveredButton(0xc5, 0xcb, 0xd3);
const QColor PressedButton(0xa8, 0xb0, 0xba);
const QColor HoveredClose(0xd9, 0x3b, 0x30);
const QColor PressedClose(0xa8, 0x26, 0x1c);
const QColor CloseGlyphOnRed(Qt::white);

constexpr int TitlePixelSize = 13;
constexpr qreal GlyphHalfSize = 5;
constexpr qreal GlyphPenWidth = 1.5;
constexpr qreal ButtonRadius = 4;

void drawGlyph(QPainter& painter, TitleButton button, QRectF rect, bool maximised)
{
    const QPointF centre = rect.center();
    const qreal half = GlyphHalfSize;
    switch (button) {
    case TitleButton::Minimise:
        painter.drawLine(QPointF(centre.x() - half, centre.y() + half - 1), QPointF(centre.x() + half, centre.y() + half - 1));
        break;
    case TitleButton::Maximise:
        if (maximised) {
            painter.drawRect(QRectF(centre.x() - half + 2, centre.y() - half, 2 * half - 2, 2 * half - 2));
            painter.drawRect(QRectF(centre.x() - half, centre.y() - half + 2, 2 * half - 2, 2 * half - 2));
        } else {
            painter.drawRect(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half));
        }
        break;
    case TitleButton::Close:
        painter.drawLine(QPointF(centre.x() - half, centre.y() - half), QPointF(centre.x() + half, centre.y() + half));
        painter.drawLine(QPointF(centre.x() - half, centre.y() + half), QPointF(centre.x() + half, centre.y() - half));
        break;
    }
}

} // namespace

// Qt's own scaling of the window (QT_SCALE_FACTOR), which the decoration's surface does not get:
// the bar is sized in device-independent pixels like the window it frames.
qreal TitleBarDecoration::scale() const { return QHighDpiScaling::factor(window()); }

QMargins TitleBarDecoration::margins(MarginsType marginsType) const
{
    if (marginsType == ShadowsOnly)
        return QMargins();
    const int border = std::lround(TitleBarMetrics::Border * scale());
    return QMargins(border, std::lround((TitleBarMetrics::Height + TitleBarMetrics::Border) * scale()), border, border);
}

std::vector<PlacedTitleButton> TitleBarDecoration::buttons() const
{
    const QMargins frame = margins();
    const int nativeWidth = window()->handle()->geometry().width() + frame.left() + frame.right();
    return titleButtons(window()->flags(), int(nativeWidth / scale()));
}

void TitleBarDecoration::paint(QPaintDevice* device)
{
    const bool active = window()->handle()->isActive();
    const Palette& colours = active ? ActivePalette : InactivePalette;
    const QMargins frame = margins();
    const QSizeF surface(device->width() / device->devicePixelRatioF(), device->height() / device->devicePixelRatioF());

    QPainter painter(device);
    painter.fillRect(QRectF(QPointF(), surface), colours.bar);
    painter.fillRect(QRectF(0, 0, surface.width(), frame.left()), colours.border);
    painter.fillRect(QRectF(0, 0, frame.left(), surface.height()), colours.border);
    painter.fillRect(QRectF(surface.width() - frame.right(), 0, frame.right(), surface.height()), colours.border);
    painter.fillRect(QRectF(0, surface.height() - frame.bottom(), surface.width(), frame.bottom()), colours.border);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale(), scale());
    const qreal width = surface.width() / scale();
    const std::vector<PlacedTitleButton> placed = buttons();

    // Taken at the pixels it covers, which the painter's scaling alone would blur.
    const QIcon icon = window()->icon();
    if (!icon.isNull()) {
        const QRect iconRect = TitleBarMetrics::IconRect.translated(0, TitleBarMetrics::Border);
        const QPixmap pixmap = icon.pixmap(iconRect.size(), scale() * device->devicePixelRatioF());
        painter.drawPixmap(QRectF(iconRect), pixmap, QRectF(pixmap.rect()));
    }

    // Centred on the whole bar, kept clear of the icon and the buttons on both sides.
    const qreal buttonsLeft = placed.empty() ? width - TitleBarMetrics::RightMargin : placed.front().rect.left();
    const qreal reserved = std::max<qreal>(width - buttonsLeft, TitleBarMetrics::IconRect.right() + 1) + TitleBarMetrics::ButtonSpacing;
    const QRectF titleRect(reserved, TitleBarMetrics::Border, width - 2 * reserved, TitleBarMetrics::Height);
    if (titleRect.width() > 0) {
        QFont font = QApplication::font();
        font.setPixelSize(TitlePixelSize);
        painter.setFont(font);
        painter.setPen(colours.text);
        const QString title = QFontMetricsF(font).elidedText(window()->title(), Qt::ElideRight, titleRect.width());
        painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title);
    }

    const bool maximised = window()->windowStates().testFlag(Qt::WindowMaximized);
    for (const PlacedTitleButton& button : placed) {
        const QRectF rect = QRectF(button.rect).translated(0, TitleBarMetrics::Border);
        const bool pressed = m_pressed == button.button && m_hovered == button.button;
        const bool hovered = m_hovered == button.button;
        const bool close = button.button == TitleButton::Close;
        QColor glyph = colours.text;
        if (pressed || hovered) {
            QPainterPath shape;
            shape.addRoundedRect(rect, ButtonRadius, ButtonRadius);
            if (close) {
                painter.fillPath(shape, pressed ? PressedClose : HoveredClose);
                glyph = CloseGlyphOnRed;
            } else {
                painter.fillPath(shape, pressed ? PressedButton : HoveredButton);
            }
        }
        painter.setPen(QPen(glyph, GlyphPenWidth, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        drawGlyph(painter, button.button, rect, maximised);
    }
}

bool TitleBarDecoration::handleMouse(QWaylandInputDevice* inputDevice, const QPointF& local, const QPointF&,
    Qt::MouseButtons buttonsDown, Qt::KeyboardModifiers)
{
    const QMargins frame = margins();
    const QRectF content(QPointF(frame.left(), frame.top()), QSizeF(window()->handle()->geometry().size()));
    if (content.contains(local)) {
        showFeedback(std::nullopt, m_pressed);
        setMouseButtons(buttonsDown);
        return false;
    }

    // Borders take the pointer but do nothing: the windows are fixed-size.
    const bool inTitleBar = local.y() < frame.top() && local.y() >= frame.left();
    const QPointF point = local / scale() - QPointF(0, TitleBarMetrics::Border);
    const std::optional<TitleButton> over = inTitleBar ? titleButtonAt(buttons(), point) : std::nullopt;
    const bool onIcon = inTitleBar && !window()->icon().isNull() && QRectF(TitleBarMetrics::IconRect).contains(point);
    std::optional<TitleButton> pressed = m_pressed;
    if (isLeftClicked(buttonsDown) && onIcon) {
        showWindowMenu(inputDevice);
    } else if (isLeftClicked(buttonsDown)) {
        pressed = over;
        if (inTitleBar && !over)
            startMove(inputDevice, buttonsDown);
    } else if (isLeftReleased(buttonsDown)) {
        pressed.reset();
        if (over && over == m_pressed)
            press(*over);
    } else if (isRightClicked(buttonsDown) && inTitleBar && !over) {
        showWindowMenu(inputDevice);
    }
    showFeedback(over, pressed);
    setMouseButtons(buttonsDown);
    return true;
}

bool TitleBarDecoration::handleTouch(QWaylandInputDevice* inputDevice, const QPointF& local, const QPointF&,
    QEventPoint::State state, Qt::KeyboardModifiers)
{
    const QMargins frame = margins();
    if (state != QEventPoint::Pressed || local.y() >= frame.top())
        return false;
    const QPointF point = local / scale() - QPointF(0, TitleBarMetrics::Border);
    if (const std::optional<TitleButton> over = titleButtonAt(buttons(), point))
        press(*over);
    else
        startMove(inputDevice, Qt::LeftButton);
    return true;
}

// As a title bar the compositor draws would: close goes through the window's own close
// handling, which may refuse it.
void TitleBarDecoration::press(TitleButton button)
{
    switch (button) {
    case TitleButton::Minimise:
        window()->setWindowState(Qt::WindowMinimized);
        break;
    case TitleButton::Maximise:
        window()->setWindowStates(window()->windowStates() ^ Qt::WindowMaximized);
        break;
    case TitleButton::Close:
        QWindowSystemInterface::handleCloseEvent(window());
        break;
    }
}

// The decoration is drawn into the next buffer the window paints: a pixel of the window is
// repainted to have one now. Flushing without painting would draw into the buffer the compositor
// already shows, which it does not take again.
void TitleBarDecoration::showFeedback(std::optional<TitleButton> hovered, std::optional<TitleButton> pressed)
{
    if (hovered == m_hovered && pressed == m_pressed)
        return;
    m_hovered = hovered;
    m_pressed = pressed;
    update();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto framed = std::find_if(windows.begin(), windows.end(),
        [this](const QWidget* widget) { return widget->windowHandle() == window(); });
    if (framed != windows.end())
        (*framed)->update(0, 0, 1, 1);
}
