#include "support/lottovoxfixture.h"

#include "ui/desktop/colours.h"
#include "ui/desktop/qtyesnobox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <set>

namespace {

using NewGame = LottovoxTest;

TEST_F(NewGame, AsksTheQuestionAndNoLeavesTheGameAsItWas)
{
    pressNextNumber();
    const int number = shared().CurrentNumber;
    answerNewGame(YesNoBox::No);
    ASSERT_EQ(confirmation.questions().size(), 1u);
    EXPECT_EQ(confirmation.questions()[0].text, "Are you sure? This will clear the current game!");
    EXPECT_EQ(confirmation.questions()[0].title, "Important!");
    EXPECT_EQ(confirmation.questions()[0].owner, &form());
    EXPECT_EQ(state().Answer, "7");
    EXPECT_TRUE(state().Called[number]);
    EXPECT_EQ(markedSquares(), 1);
    EXPECT_TRUE(state().GameInProgress);
    EXPECT_FALSE(form().opt75Number->isEnabled());
    EXPECT_TRUE(form().cmdNextNumber->isEnabled()) << "No still gives Next Number back at once";
}

TEST_F(NewGame, YesClearsTheWholeNinetyBoardAndStartsANewCount)
{
    selectNinety();
    playWholeGame();
    ASSERT_EQ(markedSquares(), 90);
    answerNewGame(YesNoBox::Yes);
    EXPECT_EQ(state().Answer, "6");
    EXPECT_EQ(markedSquares(), 0);
    for (int n = 1; n <= 90; ++n) {
        EXPECT_FALSE(state().Called[n]);
        EXPECT_EQ(backColor(form().lblCalled[n - 1]), White);
        EXPECT_EQ(foreColor(form().lblCalled[n - 1]), Black);
    }
    EXPECT_EQ(form().lblCurrent_Call->text(), "");
    EXPECT_TRUE(state().NewGame);
    EXPECT_FALSE(state().GameInProgress);
    EXPECT_TRUE(form().opt75Number->isEnabled());
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form().cmdNextNumber);

    pressNextNumber();
    EXPECT_EQ(state().CallCount, 1);
    EXPECT_FALSE(state().NewGame);
    EXPECT_EQ(markedSquares(), 1);
}

TEST_F(NewGame, YesInSeventyFivePlayClearsOnlyTheSeventyFiveSquaresInUse)
{
    playWholeGame();
    answerNewGame(YesNoBox::Yes);
    EXPECT_EQ(markedSquares(), 0);
    EXPECT_EQ(backColor(form().lblCalled[74]), White);
    EXPECT_FALSE(form().lblCalled[75]->isVisible());
    const std::vector<int> second = playWholeGame();
    EXPECT_EQ(std::set<int>(second.begin(), second.end()).size(), 75u) << "each number once again";
    EXPECT_EQ(markedSquares(), 75);
}

TEST_F(NewGame, NoAfterTheLastNumberGivesNextNumberBackButNothingIsCalled)
{
    playWholeGame();
    pressNextNumber();
    ASSERT_FALSE(form().cmdNextNumber->isEnabled());
    answerNewGame(YesNoBox::No);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    player.clearLog();
    pressNextNumber();
    EXPECT_TRUE(player.log().empty());
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(markedSquares(), 75);
}

TEST_F(NewGame, SizeOptionsSwitchTheBoardOnlyUntilTheFirstRequest)
{
    const auto expectSquaresAbove75 = [this](bool shown) {
        for (int n = 76; n <= 90; ++n)
            EXPECT_EQ(form().lblCalled[n - 1]->isVisible(), shown) << "square " << n;
    };
    selectNinety();
    EXPECT_EQ(shared().BingoMode, 90);
    expectSquaresAbove75(true);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(form().lblBingo[i]->isVisible());
    EXPECT_TRUE(form().lblBingo[5]->isVisible());

    click(form().opt75Number);
    EXPECT_EQ(shared().BingoMode, 75);
    expectSquaresAbove75(false);
    EXPECT_TRUE(form().lblBingo[0]->isVisible());

    pressNextNumber();
    click(form().opt90Number);
    EXPECT_TRUE(form().opt75Number->isChecked());
    EXPECT_EQ(shared().BingoMode, 75);
    answerNewGame(YesNoBox::No);
    click(form().opt90Number);
    EXPECT_EQ(shared().BingoMode, 75) << "No keeps the size locked";
    answerNewGame(YesNoBox::Yes);
    click(form().opt90Number);
    EXPECT_EQ(shared().BingoMode, 90);
}

TEST_F(NewGame, RepeatPendingAtTheResetStillPlaysAfterTheBoardWasCleared)
{
    pressNextNumber();
    const QString number = shared().CallText;
    ASSERT_TRUE(program->tmrRepeatTimer().isActive());
    answerNewGame(YesNoBox::Yes);
    ASSERT_EQ(markedSquares(), 0);
    player.clearLog();
    clock.advance(1000);
    EXPECT_EQ(player.fileNames(), QStringList({ shared().CallLetter + ".wav", number + ".wav" }));
    EXPECT_EQ(markedSquares(), 0);
}

TEST(NewGameQuestion, EnterAnswersNoAndTheBoxShowsNoIcon)
{
    QWidget owner;
    QtYesNoBox box;
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(shown->defaultButton(), shown->button(QMessageBox::No));
        QTest::keyClick(shown, Qt::Key_Return);
    });
    EXPECT_EQ(box.ask(&owner, "Are you sure? This will clear the current game!", "Important!"), YesNoBox::No);
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(box.ask(&owner, "Are you sure? This will clear the current game!", "Important!"), YesNoBox::Yes);
}

} // namespace
