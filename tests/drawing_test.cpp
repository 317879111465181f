#include "support/lottovoxfixture.h"

#include "game/draw.h"
#include "game/randomsource.h"
#include "ui/desktop/colours.h"

#include <algorithm>
#include <limits>
#include <set>

namespace {

using Drawing = LottovoxTest;

void expectEveryNumberOnce(const std::vector<int>& calls, int mode)
{
    const std::set<int> distinct(calls.begin(), calls.end());
    EXPECT_EQ(static_cast<int>(distinct.size()), mode);
    EXPECT_EQ(*distinct.begin(), 1);
    EXPECT_EQ(*distinct.rbegin(), mode);
}

TEST_F(Drawing, SeventyFiveGameCallsEachNumberOnceThenNothing)
{
    expectEveryNumberOnce(playWholeGame(), 75);
    EXPECT_EQ(markedSquares(), 75);
    const QString lastCaption = form().lblCurrent_Call->text();
    player.clearLog();

    pressNextNumber();
    EXPECT_EQ(state().CallCount, 76);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(form().lblCurrent_Call->text(), lastCaption);
    EXPECT_TRUE(player.log().empty());
    clock.advance(60000);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled()) << "no delay timer may give the button back";
    EXPECT_FALSE(form().opt75Number->isEnabled());
}

TEST_F(Drawing, NinetyGameCallsEachNumberOnceThenNothing)
{
    selectNinety();
    ASSERT_EQ(shared().BingoMode, 90);
    expectEveryNumberOnce(playWholeGame(), 90);
    EXPECT_EQ(markedSquares(), 90);
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 91);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
}

TEST_F(Drawing, FirstRequestDrawsOnceWithoutLookingAtTheCalledNumbers)
{
    RandomSource twin([] { return Seed; });
    twin.randomize();
    const std::int16_t firstDraw = drawNumber(twin.next(), 75);
    // Were the first request to consult the record, it would redraw past this number.
    state().Called[firstDraw] = true;
    pressNextNumber();
    EXPECT_EQ(shared().CurrentNumber, firstDraw);
}

TEST_F(Drawing, LaterRequestsDrawUntilAnUncalledNumberComesUp)
{
    pressNextNumber();
    clock.advance(5000);
    const int first = shared().CurrentNumber;
    for (int n = 1; n <= 75; ++n)
        state().Called[n] = n != 42;
    pressNextNumber();
    EXPECT_EQ(shared().CurrentNumber, 42);
    EXPECT_TRUE(state().Called[first]);
}

TEST_F(Drawing, RequestCountSaturatesSoLongAutoPlayNeverWrapsIntoANewDraw)
{
    playWholeGame();
    state().CallCount = std::numeric_limits<std::int16_t>::max() - 1;
    for (int request = 0; request < 3; ++request) {
        form().cmdNextNumber->setEnabled(true);
        pressNextNumber();
        EXPECT_EQ(state().CallCount, std::numeric_limits<std::int16_t>::max());
    }
    EXPECT_EQ(markedSquares(), 75);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
}

TEST_F(Drawing, ManualCallDisablesNextNumberUntilThePacingDelayGivesItBack)
{
    click(form().chkSound);
    pressNextNumber();
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_TRUE(state().GameInProgress);
    EXPECT_FALSE(form().opt90Number->isEnabled());
    clock.advance(1499);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    clock.advance(1);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    EXPECT_FALSE(program->tmrNextNumber_delay().isActive());
}

} // namespace
