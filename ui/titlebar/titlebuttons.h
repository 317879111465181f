#pragma once

#include <QPointF>
#include <QRect>
#include <Qt>

#include <optional>
#include <vector>

// The title bar the program draws itself where the compositor draws none. Its buttons are the
// ones the window's flags ask for, so a fixed-size window offers no maximise and a dialog only
// close. Sizes are in device-independent pixels.
enum class TitleButton { Minimise, Maximise, Close };

struct PlacedTitleButton {
    TitleButton button;
    QRect rect;
};

namespace TitleBarMetrics {
constexpr int Height = 30;
constexpr int Border = 1;
constexpr int ButtonSize = 22;
constexpr int ButtonSpacing = 4;
constexpr int RightMargin = 6;
// The window's icon at the left end, which opens the window menu like a right click on the bar.
constexpr int IconSize = 16;
constexpr int IconMargin = 7;
constexpr QRect IconRect(IconMargin, (Height - IconSize) / 2, IconSize, IconSize);
} // namespace TitleBarMetrics

// The buttons of a title bar of the given width, left to right, against its right end.
std::vector<PlacedTitleButton> titleButtons(Qt::WindowFlags flags, int titleBarWidth);

std::optional<TitleButton> titleButtonAt(const std::vector<PlacedTitleButton>& buttons, QPointF point);
