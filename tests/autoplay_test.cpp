#include "support/lottovoxfixture.h"

#include <QFileInfo>

#include <utility>

namespace {

// The state of AutoPlay as the host sees it.
enum class Mode { Paused, Running, Halted };

class AutoPlay : public LottovoxTest {
protected:
    void expectMode(Mode mode)
    {
        const bool on = mode != Mode::Paused;
        EXPECT_EQ(state().AutoPlayOn, on);
        EXPECT_EQ(form().chkAutoPlay->isChecked(), on);
        EXPECT_EQ(form().optAutoPlayInterval->isEnabled(), mode == Mode::Running);
        EXPECT_EQ(form().optAutoPlayInterval->title(),
            on ? "Auto Play Time Interval (seconds)" : "Auto Play Currently Turned Off");
        EXPECT_EQ(program->tmrAutoplay().isActive(), mode == Mode::Running);
    }
};

// When each announcement began: its letter file, in 75-number play.
std::vector<std::int64_t> callTimes(const FakeSoundPlayer& player)
{
    std::vector<std::int64_t> times;
    for (const FakeSoundPlayer::Playback& playback : player.log()) {
        if (QFileInfo(playback.path).baseName().front().isLetter())
            times.push_back(playback.start);
    }
    return times;
}

TEST_F(AutoPlay, CallsOneFullIntervalAfterTheStartThenEveryInterval)
{
    const std::int64_t start = clock.now();
    startAutoPlay();
    expectMode(Mode::Running);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(program->tmrAutoplay().interval(), 10000);
    clock.advance(9999);
    EXPECT_EQ(state().CallCount, 0);
    clock.advance(30001);
    // Each call is announced twice; the first of each pair starts on the beat.
    std::vector<std::int64_t> calls;
    for (std::size_t i = 0; i < player.log().size(); i += 4)
        calls.push_back(player.log()[i].start - start);
    EXPECT_EQ(calls, (std::vector<std::int64_t> { 10000, 20000, 30000, 40000 }));
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_FALSE(program->tmrNextNumber_delay().isActive());
}

TEST_F(AutoPlay, IntervalFollowsTheSelectedOptionAndRepeatCallAtTheMomentItIsSet)
{
    startAutoPlay();
    click(form().optSeconds(2));
    EXPECT_EQ(program->tmrAutoplay().interval(), 7000);
    click(form().chkRepeat);
    EXPECT_EQ(program->tmrAutoplay().interval(), 7000) << "Repeat Call alone leaves the interval";
    click(form().optSeconds(8));
    EXPECT_EQ(program->tmrAutoplay().interval(), 11000);
    click(form().optSeconds(2));
    EXPECT_EQ(program->tmrAutoplay().interval(), 5000);
}

TEST_F(AutoPlay, RestartingUsesTheOptionShownSelected)
{
    startAutoPlay();
    click(form().optSeconds(2));
    click(form().chkAutoPlay);
    expectMode(Mode::Paused);
    startAutoPlay();
    EXPECT_TRUE(form().optSeconds(2)->isChecked());
    EXPECT_EQ(program->tmrAutoplay().interval(), 7000);
    click(form().chkAutoPlay);
    click(form().chkRepeat);
    startAutoPlay();
    EXPECT_EQ(program->tmrAutoplay().interval(), 5000);
}

TEST_F(AutoPlay, StartingWithinTheManualDelayKeepsNextNumberDisabled)
{
    pressNextNumber();
    clock.advance(200);
    startAutoPlay();
    clock.advance(3000);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_FALSE(program->tmrNextNumber_delay().isActive());
}

TEST_F(AutoPlay, PausingRightAfterAnAutomaticCallGivesNextNumberBackAtOnce)
{
    startAutoPlay();
    clock.advance(10000);
    ASSERT_EQ(state().CallCount, 1);
    click(form().chkAutoPlay);
    expectMode(Mode::Paused);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    clock.advance(60000);
    EXPECT_EQ(state().CallCount, 1);
}

TEST_F(AutoPlay, TicksThatFallDueDuringALongAnnouncementRunOnceAfterIt)
{
    click(form().chkRepeat);
    startAutoPlay();
    click(form().optSeconds(2));
    bool heldOnce = false;
    player.onPlay([&](const QString&) {
        if (!std::exchange(heldOnce, true))
            clock.pass(11000);
    });
    const std::int64_t start = clock.now();
    clock.advance(5000);
    // The first call held the window until 17200, over two whole periods: one late call
    // follows it at once, not two, and the rhythm starts again from that call.
    EXPECT_EQ(state().CallCount, 2);
    EXPECT_EQ(clock.now(), start + 18400);
    clock.advance(3800);
    EXPECT_EQ(callTimes(player), (std::vector<std::int64_t> { start + 5000, start + 17200, start + 22200 }));
}

TEST_F(AutoPlay, RunningPastTheLastNumberTicksOnSilentlyUntilPaused)
{
    playWholeGame();
    startAutoPlay();
    player.clearLog();
    clock.advance(100000);
    EXPECT_EQ(state().CallCount, 75 + 10);
    EXPECT_TRUE(player.log().empty());
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    EXPECT_FALSE(form().opt75Number->isEnabled());
    click(form().chkAutoPlay);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    pressNextNumber();
    EXPECT_EQ(markedSquares(), 75);
}

TEST_F(AutoPlay, NewGameYesWhileRunningPausesIt)
{
    startAutoPlay();
    clock.advance(10000);
    answerNewGame(YesNoBox::Yes);
    expectMode(Mode::Paused);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(markedSquares(), 0);
}

TEST_F(AutoPlay, NewGameNoWhileRunningHaltsItAndTheBoxThenPausesAndRestarts)
{
    startAutoPlay();
    clock.advance(10000);
    answerNewGame(YesNoBox::No);
    expectMode(Mode::Halted);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    clock.advance(30000);
    EXPECT_EQ(state().CallCount, 1);

    // A manual call while halted is not paced: Next Number stays disabled after it.
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 2);
    clock.advance(30000);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());

    click(form().chkAutoPlay);
    expectMode(Mode::Paused);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    startAutoPlay();
    expectMode(Mode::Running);
}

TEST_F(AutoPlay, NewGameYesWhileHaltedPausesIt)
{
    startAutoPlay();
    answerNewGame(YesNoBox::No);
    answerNewGame(YesNoBox::Yes);
    expectMode(Mode::Paused);
}

TEST_F(AutoPlay, ManualPacingWaitsForTheRepeatWhenItEndsLater)
{
    player.setDefaultDuration(800);
    pressNextNumber();
    const std::int64_t announcementEnd = clock.now();
    clock.advance(999);
    EXPECT_FALSE(form().cmdNextNumber->isEnabled());
    // The repeat starts now and lasts 1600 ms, past the 1500 ms delay, which runs after it.
    clock.advance(1);
    EXPECT_TRUE(form().cmdNextNumber->isEnabled());
    EXPECT_EQ(clock.now(), announcementEnd + 2600);
}

} // namespace
