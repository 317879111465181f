#include "support/lottovoxfixture.h"

#include "ui/clickablelabel.h"

#include "ui/desktop/colours.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

namespace {

using StartUp = LottovoxTest;

TEST_F(StartUp, LeavesEveryControlInItsDefaultState)
{
    frmBingo& f = form();
    EXPECT_EQ(f.windowTitle(), "Lottovox");
    EXPECT_TRUE(f.opt75Number->isChecked());
    EXPECT_FALSE(f.opt90Number->isChecked());
    EXPECT_TRUE(f.opt75Number->isEnabled());
    EXPECT_TRUE(f.opt90Number->isEnabled());
    EXPECT_TRUE(f.chkSound->isChecked());
    EXPECT_TRUE(f.chkRepeat->isChecked());
    EXPECT_FALSE(f.chkAutoPlay->isChecked());
    for (int index = 2; index <= 8; ++index)
        EXPECT_EQ(f.optSeconds(index)->isChecked(), index == 5) << index;
    EXPECT_FALSE(f.optAutoPlayInterval->isEnabled());
    EXPECT_EQ(f.optAutoPlayInterval->title(), "Auto Play Currently Turned Off");
    EXPECT_FALSE(program->tmrAutoplay().isActive());
    EXPECT_EQ(program->tmrAutoplay().interval(), 8000);
    EXPECT_FALSE(program->tmrNextNumber_delay().isActive());
    EXPECT_EQ(program->tmrNextNumber_delay().interval(), 1500);
    EXPECT_FALSE(program->tmrRepeatTimer().isActive());
    EXPECT_EQ(program->tmrRepeatTimer().interval(), 1000);
    EXPECT_TRUE(f.cmdNextNumber->isEnabled());
    EXPECT_TRUE(f.cmdNextNumber->isDefault()) << "drawn with the default-button look";
    EXPECT_EQ(f.lblCurrent_Call->text(), "");
    for (int i = 0; i < 90; ++i)
        EXPECT_EQ(f.lblCalled[i]->isVisible(), i < 75) << i;
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(f.lblBingo[i]->isVisible()) << i;
    EXPECT_EQ(markedSquares(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f.cmdNextNumber);
}

TEST_F(StartUp, LeavesEveryVariableAtItsDefault)
{
    EXPECT_EQ(shared().CurrentNumber, 0);
    EXPECT_EQ(shared().BingoMode, 75);
    EXPECT_TRUE(shared().SoundOn);
    EXPECT_TRUE(shared().RepeatOn);
    EXPECT_EQ(shared().SoundPath, "");
    EXPECT_EQ(shared().CallLetter, "");
    EXPECT_EQ(shared().CallText, "");
    EXPECT_EQ(std::count(state().Called.begin(), state().Called.end(), true), 0);
    EXPECT_EQ(state().CallCount, 0);
    EXPECT_FALSE(state().NewGame);
    EXPECT_EQ(state().Answer, "");
    EXPECT_FALSE(state().AutoPlayOn);
    EXPECT_FALSE(state().GameInProgress);
}

TEST_F(StartUp, BoardSquaresStandInColumnsOfFifteen)
{
    const struct {
        int number;
        QRect twips;
    } squares[] = {
        { 1, { 5295, 525, 855, 360 } },
        { 15, { 5295, 5565, 855, 360 } },
        { 16, { 6120, 525, 855, 360 } },
        { 46, { 7830, 525, 855, 360 } },
        { 90, { 9510, 5565, 855, 360 } },
    };
    for (const auto& square : squares) {
        const QLabel* label = form().lblCalled[square.number - 1];
        EXPECT_EQ(label->geometry(), QRect(square.twips.x() / 15, square.twips.y() / 15, 57, 24)) << square.number;
        EXPECT_EQ(label->text(), QString::number(square.number));
    }
    const char* letters[] = { "B", "I", "N", "G", "O" };
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(form().lblBingo[column]->text(), letters[column]);
        EXPECT_EQ(form().lblBingo[column]->x(), form().lblCalled[column * 15]->x());
    }
}

TEST_F(StartUp, WindowHasTheFixedClientAreaAndNoMaximiseButton)
{
    EXPECT_EQ(form().centralWidget()->size(), QSize(698, 414));
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    EXPECT_FALSE(form().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form().windowFlags() & Qt::WindowMinimizeButtonHint);
    const QList<QAction*> menus = form().menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "Options");
    EXPECT_EQ(menus[1]->text(), "Help");
    EXPECT_EQ(form().mnuNewGame->text(), "New Game");
    EXPECT_EQ(form().mnuGetBingoCards->text(), "Get bingo Cards");
    EXPECT_EQ(form().mnuAbout->text(), "About");
}

TEST_F(StartUp, SecondsOptionTenIsWiderThanTheOthers)
{
    // At least as wide as laid out; wider where the caption needs it, the style's indicator and
    // its spacing taking more than the layout left for them.
    EXPECT_EQ(form().optSeconds(8)->text(), "10");
    EXPECT_GE(form().optSeconds(8)->width(), 36);
    EXPECT_EQ(form().optSeconds(2)->text(), "4");
    EXPECT_GE(form().optSeconds(2)->width(), 25);
    EXPECT_GT(form().optSeconds(8)->width(), form().optSeconds(2)->width());
    EXPECT_EQ(form().optSeconds(2)->parentWidget(), form().optAutoPlayInterval);
}

TEST_F(StartUp, TabReachesEveryControlInTheOrderAHostWorksDownTheWindow)
{
    const auto tabStops = [] {
        std::vector<QWidget*> stops { QApplication::focusWidget() };
        for (QTest::keyClick(stops.back(), Qt::Key_Tab); QApplication::focusWidget() != stops.front();
             QTest::keyClick(stops.back(), Qt::Key_Tab)) {
            stops.push_back(QApplication::focusWidget());
            if (stops.size() > 20)
                break;
        }
        return stops;
    };
    EXPECT_EQ(tabStops(), (std::vector<QWidget*> { form().cmdNextNumber, form().chkSound, form().chkRepeat,
                              form().chkAutoPlay, form().opt75Number, form().lblbyzentrova }));

    // Space works what Tab reaches; the seconds are reached while AutoPlay runs, and the arrow
    // keys choose among them.
    QTest::keyClick(form().chkSound, Qt::Key_Space);
    EXPECT_FALSE(shared().SoundOn);
    form().chkAutoPlay->setFocus();
    QTest::keyClick(form().chkAutoPlay, Qt::Key_Space);
    EXPECT_TRUE(state().AutoPlayOn);
    EXPECT_EQ(tabStops(), (std::vector<QWidget*> { form().chkAutoPlay, form().optSeconds(5), form().opt75Number,
                              form().lblbyzentrova, form().chkSound, form().chkRepeat }))
        << "Next Number is disabled while AutoPlay runs";
    form().optSeconds(5)->setFocus();
    QTest::keyClick(form().optSeconds(5), Qt::Key_Right);
    EXPECT_TRUE(form().optSeconds(6)->isChecked());
    EXPECT_EQ(program->tmrAutoplay().interval(), 9000 + 2000);

    QTest::keyClick(form().lblbyzentrova, Qt::Key_Space);
    EXPECT_EQ(browser.opened().size(), 1);
}

TEST_F(StartUp, EnterPressesNextNumberFromAnywhereButOnlyWhileItIsEnabled)
{
    click(form().chkRepeat);
    ASSERT_EQ(QApplication::focusWidget(), form().chkRepeat);
    pressEnter();
    EXPECT_EQ(state().CallCount, 1);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    pressEnter();
    EXPECT_EQ(state().CallCount, 1);
}

TEST_F(StartUp, TwoStartsWithDifferentSeedsDrawDifferentGames)
{
    const std::vector<int> first = playWholeGame();
    const std::uint64_t otherSeed = Seed + 1;
    program.reset();
    program = std::make_unique<Lottovox>(Platform {
        player, confirmation, browser, [otherSeed] { return otherSeed; }, [] { return Folder; },
        [this](int milliseconds, QObject*) { return clock.makeTimer(milliseconds); } });
    program->show();
    EXPECT_NE(playWholeGame(), first);
}

} // namespace
