#include "support/lottovoxfixture.h"

#include "ui/frmabout.h"
#include "ui/titlebar/titlebuttons.h"

#include <QMessageBox>
#include <QWindow>

namespace {

using TitleBar = LottovoxTest;

Qt::WindowFlags windowSystemFlags(QWidget& window)
{
    window.winId();
    return window.windowHandle()->flags();
}

// The title bar the program draws under Wayland offers what each window's flags ask for, as the
// window system would: minimise and close on the main window, close alone on the dialogs.
TEST_F(TitleBar, OffersTheButtonsEachWindowAsksForAgainstItsRightEnd)
{
    using enum TitleButton;
    frmAbout about(&form());
    QMessageBox question(QMessageBox::NoIcon, "New Game", "Start a new game?", QMessageBox::Yes | QMessageBox::No, &form());
    const struct {
        const char* window;
        Qt::WindowFlags flags;
        std::vector<TitleButton> buttons;
    } table[] = {
        { "main window", windowSystemFlags(form()), { Minimise, Close } },
        { "About", windowSystemFlags(about), { Close } },
        { "New Game question", windowSystemFlags(question), { Close } },
        { "one asking for maximise", Qt::Window | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint,
            { Maximise, Close } },
        { "one choosing no decoration", Qt::Window, { Minimise, Maximise, Close } },
    };
    constexpr int width = 400;
    for (const auto& row : table) {
        const std::vector<PlacedTitleButton> placed = titleButtons(row.flags, width);
        std::vector<TitleButton> buttons;
        for (const PlacedTitleButton& button : placed)
            buttons.push_back(button.button);
        EXPECT_EQ(buttons, row.buttons) << row.window;
        ASSERT_FALSE(placed.empty()) << row.window;
        EXPECT_EQ(placed.back().rect.right() + 1, width - TitleBarMetrics::RightMargin) << row.window;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const QRect rect = placed[i].rect;
            EXPECT_TRUE(QRect(0, 0, width, TitleBarMetrics::Height).contains(rect)) << row.window;
            EXPECT_EQ(titleButtonAt(placed, rect.center()), placed[i].button) << row.window;
            if (i > 0) {
                EXPECT_LT(placed[i - 1].rect.right(), rect.left()) << row.window;
            }
        }
        EXPECT_EQ(titleButtonAt(placed, QPointF(placed.front().rect.left() - 1, TitleBarMetrics::Height / 2)), std::nullopt)
            << row.window << ": the bar left of the buttons moves the window";
    }
}

} // namespace
