#include "support/virtualclock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    VirtualClock& clock;
    std::vector<std::int64_t> ticks;
    void operator()() { ticks.push_back(clock.now()); }
};

TEST(VirtualClock, TicksEveryIntervalUntilStopped)
{
    VirtualClock clock;
    auto timer = clock.makeTimer(1000);
    Recorder recorder { clock, {} };
    timer->setTickHandler([&] { recorder(); });
    timer->start();
    clock.advance(3500);
    EXPECT_EQ(recorder.ticks, (std::vector<std::int64_t> { 1000, 2000, 3000 }));
    timer->stop();
    clock.advance(5000);
    EXPECT_EQ(recorder.ticks.size(), 3u);
}

TEST(VirtualClock, TickDueDuringAHandlerRunsOnceAfterItAndNoBurstFollows)
{
    VirtualClock clock;
    auto slow = clock.makeTimer(1000);
    auto fast = clock.makeTimer(300);
    Recorder fastTicks { clock, {} };
    slow->setTickHandler([&] {
        clock.pass(2000);
        slow->stop();
    });
    fast->setTickHandler([&] { fastTicks(); });
    slow->start();
    clock.advance(900);
    fast->start();
    clock.advance(2000);
    // Fast fell due at 1200 while the slow handler ran until 3000: one late tick, not four.
    EXPECT_EQ(fastTicks.ticks, (std::vector<std::int64_t> { 3000 }));
    clock.advance(1300);
    // Then its rhythm starts again from the late tick.
    EXPECT_EQ(fastTicks.ticks, (std::vector<std::int64_t> { 3000, 3300, 3600, 3900, 4200 }));
}

TEST(VirtualClock, ALateTickWithinOnePeriodKeepsTheRhythm)
{
    VirtualClock clock;
    auto timer = clock.makeTimer(1000);
    Recorder recorder { clock, {} };
    timer->setTickHandler([&] {
        recorder();
        if (recorder.ticks.size() == 1)
            clock.pass(400);
    });
    timer->start();
    clock.advance(3000);
    EXPECT_EQ(recorder.ticks, (std::vector<std::int64_t> { 1000, 2000, 3000 }));
}

TEST(VirtualClock, SettingTheIntervalOfARunningTimerRestartsItsCount)
{
    VirtualClock clock;
    auto timer = clock.makeTimer(1000);
    Recorder recorder { clock, {} };
    timer->setTickHandler([&] { recorder(); });
    timer->start();
    clock.advance(700);
    timer->setInterval(500);
    clock.advance(1000);
    EXPECT_EQ(recorder.ticks, (std::vector<std::int64_t> { 1200, 1700 }));
}

} // namespace
