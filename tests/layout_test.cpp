// Where the controls lie in the windows, and where the main window lies on the screen.
#include "support/lottovoxfixture.h"

#include "ui/captionedframe.h"
#include "ui/clickablelabel.h"
#include "ui/desktop/placement.h"
#include "ui/frmabout.h"

#include <QAbstractButton>
#include <QImage>
#include <QTest>
#include <QWindow>

namespace {

using Look = LottovoxTest;

// A click lands on the widget found at the point, so no label may cover a control there.
int expectEachClickableOnTopAtItsCentre(QWidget* window)
{
    int checked = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        auto* label = qobject_cast<ClickableLabel*>(control);
        if ((!button && !label) || !control->isVisibleTo(window))
            continue;
        const QPoint centre = control->mapTo(window, control->rect().center());
        EXPECT_EQ(window->childAt(centre), control) << (button ? button->text() : label->text()).toStdString();
        ++checked;
    }
    return checked;
}

TEST_F(Look, EveryClickableControlOfBothWindowsIsTheWidgetAtItsCentre)
{
    EXPECT_EQ(expectEachClickableOnTopAtItsCentre(&form()), 14);
    whenModalOpens([](QWidget* modal) {
        frmAbout* about = asAbout(modal);
        EXPECT_EQ(expectEachClickableOnTopAtItsCentre(about), 2);
        QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, about->cmdOK->geometry().center());
        if (about->isVisible()) {
            ADD_FAILURE() << "a click on the centre of OK left the window open";
            about->close();
        }
    });
    choose(form().mnuAbout);
}

// The frame's top line runs through its caption, broken behind the text, with the options
// wholly below it: whether the frame is enabled or not.
TEST_F(Look, IntervalFrameHasItsCaptionOnItsTopLine)
{
    auto* frame = qobject_cast<CaptionedFrame*>(form().optAutoPlayInterval);
    ASSERT_NE(frame, nullptr);
    for (const bool enabled : { false, true }) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        if (enabled)
            startAutoPlay();
        ASSERT_EQ(frame->isEnabled(), enabled);
        const QImage image = frame->grab().toImage();
        const QRgb background = frame->palette().color(QPalette::Window).rgb();
        // Right of the caption the line is unbroken: its first row from the top is the line.
        const int right = image.width() - image.width() / 4;
        int line = 0;
        while (line < image.height() && image.pixel(right, line) == background)
            ++line;
        const QRect caption = frame->captionRect();
        EXPECT_GT(line, caption.top());
        EXPECT_LT(line, caption.bottom());
        int gaps = 0;
        for (int x = caption.left(); x <= caption.right(); ++x)
            gaps += image.pixel(x, line) == background ? 1 : 0;
        EXPECT_GT(gaps, 0) << "the line is broken behind the caption";
        for (int index = 2; index <= 8; ++index)
            EXPECT_GT(form().optSeconds(index)->geometry().top(), caption.bottom()) << index;
    }
}

// A window too big for the screen (scale 2 on a 1366 x 768 laptop, below a 27-pixel panel) keeps
// its title bar and menu bar on the screen; one that fits is centred on what the panels leave.
TEST(Placement, CentredWhereItFitsAndAtTheTopLeftWhereItDoesNot)
{
    const QRect laptop(0, 27, 1366, 741);
    EXPECT_EQ(placeOnScreen({ 1396, 926 }, laptop), QPoint(0, 27));
    EXPECT_EQ(placeOnScreen({ 698, 463 }, laptop), QPoint(334, 166));
    EXPECT_EQ(placeOnScreen({ 1222, 810 }, laptop), QPoint(72, 27)) << "each way on its own";
    EXPECT_EQ(placeOnScreen({ 1047, 695 }, QRect(1366, 0, 1920, 1040)), QPoint(1802, 172)) << "a second screen";
}

} // namespace
