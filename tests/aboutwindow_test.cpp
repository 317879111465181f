// The About window: what it shows, how it closes, what goes on behind it, and the links of
// both windows.
#include "support/lottovoxfixture.h"

#include "ui/clickablelabel.h"
#include "ui/frmabout.h"

#include <QApplication>
#include <QTest>

namespace {

using AboutWindow = LottovoxTest;
using WebLinksTest = LottovoxTest;

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

} // namespace
