#include "support/lottovoxfixture.h"

#include "ui/captionedframe.h"
#include "ui/clickablelabel.h"
#include "ui/frmabout.h"
#include "ui/weblinks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

using AboutWindow = LottovoxTest;
using WebLinksTest = LottovoxTest;
using Look = LottovoxTest;

frmAbout* asAbout(QWidget* modal)
{
    auto* about = qobject_cast<frmAbout*>(modal);
    EXPECT_NE(about, nullptr);
    return about;
}

TEST_F(AboutWindow, ShowsItsContentModallyWithOkHoldingTheFocus)
{
    for (int opening = 0; opening < 2; ++opening) {
        whenModalOpens([this](QWidget* modal) {
            frmAbout* about = asAbout(modal);
            EXPECT_EQ(about->windowTitle(), "About Lottovox");
            EXPECT_EQ(about->size(), QSize(383, 147));
            EXPECT_EQ(about->lblDescription->text(),
                "Lottovox Version 2.1 picks your bingo numbers for you and will \"call\" them out as well. "
                "Play in manual or fully automatic mode.");
            EXPECT_EQ(about->lblbyzentrova->text(), "Zentrova");
            EXPECT_EQ(about->lblTM->text(), "TM");
            EXPECT_EQ(about->picIcon->pixmap().size(), QSize(80, 80));
            EXPECT_EQ(about->cmdOK->text(), "OK");
            EXPECT_EQ(QApplication::focusWidget(), about->cmdOK);
            EXPECT_TRUE(about->isModal());
            QTest::keyClick(about, Qt::Key_Escape);
            EXPECT_TRUE(about->isVisible()) << "Escape does nothing";
            pressEnter();
            EXPECT_EQ(state().CallCount, 0) << "Enter went to OK, not to Next Number";
        });
        choose(form().mnuAbout);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << QApplication::activeModalWidget()->metaObject()->className();
    }
}

TEST_F(AboutWindow, CloseButtonClosesItLikeOk)
{
    whenModalOpens([](QWidget* modal) { modal->close(); });
    choose(form().mnuAbout);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 1) << "the main window takes input again";
}

TEST_F(AboutWindow, RepeatAndPacingTickGoOnWithoutTakingTheFocus)
{
    pressNextNumber();
    whenModalOpens([this](QWidget* modal) {
        frmAbout* about = asAbout(modal);
        const std::size_t plays = player.log().size();
        clock.advance(1500);
        EXPECT_EQ(player.log().size(), plays + 2) << "the pending repeat is played";
        EXPECT_TRUE(form().cmdNextNumber->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), about->cmdOK);
        click(form().cmdNextNumber);
        EXPECT_EQ(state().CallCount, 1) << "the main window takes no input";
        about->cmdOK->click();
    });
    choose(form().mnuAbout);
    EXPECT_EQ(form().focusWidget(), form().cmdNextNumber);
}

TEST_F(AboutWindow, AutoPlayGoesOnCallingWhileItIsOpen)
{
    startAutoPlay();
    whenModalOpens([this](QWidget* modal) {
        clock.advance(20000);
        EXPECT_EQ(state().CallCount, 2);
        asAbout(modal)->cmdOK->click();
    });
    choose(form().mnuAbout);
}

TEST_F(WebLinksTest, EachLinkOpensItsPageAndTouchesNothingElse)
{
    startAutoPlay();
    clock.advance(10000);
    const int calls = state().CallCount;
    const bool timerRunning = program->tmrAutoplay().isActive();

    choose(form().mnuGetBingoCards);
    click(form().lblbyzentrova);
    whenModalOpens([this](QWidget* modal) {
        frmAbout* about = asAbout(modal);
        click(about->lblbyzentrova);
        EXPECT_TRUE(about->isVisible()) << "the About window stays open";
        about->cmdOK->click();
    });
    choose(form().mnuAbout);

    EXPECT_EQ(browser.opened(),
        QStringList({ "http://www.zentrova.com/Bingo%20Cards.htm", "http://www.zentrova.com/zentrova.htm",
            "http://www.zentrova.com/zentrova.htm" }));
    EXPECT_EQ(state().CallCount, calls);
    EXPECT_EQ(program->tmrAutoplay().isActive(), timerRunning);
    EXPECT_TRUE(state().AutoPlayOn);
}

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

} // namespace
