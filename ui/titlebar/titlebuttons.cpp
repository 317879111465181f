#include "ui/titlebar/titlebuttons.h"

#include <algorithm>

namespace {

constexpr Qt::WindowFlags ButtonHints
    = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags ChosenDecoration = Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | ButtonHints | Qt::WindowContextHelpButtonHint;

// A window that chose none of its decoration gets the window system's usual one, as it would
// where the compositor draws the title bar.
Qt::WindowFlags offeredHints(Qt::WindowFlags flags)
{
    return (flags & ChosenDecoration) ? flags & ButtonHints : ButtonHints;
}

} // namespace

std::vector<PlacedTitleButton> titleButtons(Qt::WindowFlags flags, int titleBarWidth)
{
    using namespace TitleBarMetrics;
    const Qt::WindowFlags hints = offeredHints(flags);
    std::vector<PlacedTitleButton> buttons;
    int right = titleBarWidth - RightMargin;
    const int top = (Height - ButtonSize) / 2;
    auto place = [&](Qt::WindowType hint, TitleButton button) {
        if (!hints.testFlag(hint))
            return;
        buttons.push_back({ button, QRect(right - ButtonSize, top, ButtonSize, ButtonSize) });
        right -= ButtonSize + ButtonSpacing;
    };
    place(Qt::WindowCloseButtonHint, TitleButton::Close);
    place(Qt::WindowMaximizeButtonHint, TitleButton::Maximise);
    place(Qt::WindowMinimizeButtonHint, TitleButton::Minimise);
    std::reverse(buttons.begin(), buttons.end());
    return buttons;
}

std::optional<TitleButton> titleButtonAt(const std::vector<PlacedTitleButton>& buttons, QPointF point)
{
    for (const PlacedTitleButton& placed : buttons) {
        if (QRectF(placed.rect).contains(point))
            return placed.button;
    }
    return std::nullopt;
}
