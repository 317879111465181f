#pragma once

#include "ui/platform/timer.h"

#include <cstdint>
#include <memory>
#include <vector>

class VirtualTimer;

// Time for tests, moved on by hand. Its timers keep the window toolkit's rules: a tick that
// falls due while a handler runs (say, during a synchronous sound) is handled after it, at
// most one tick of a timer is ever pending, and a late tick re-arms like a Qt timer does.
class VirtualClock {
public:
    ~VirtualClock();

    std::int64_t now() const { return m_now; }

    // Lets time go by between events, handling each tick as it falls due, until nothing is
    // overdue: a handler that runs past the target has its overdue ticks handled after it.
    void advance(std::int64_t milliseconds);
    // Time spent inside a handler: nothing else runs meanwhile.
    void pass(std::int64_t milliseconds) { m_now += milliseconds; }

    std::unique_ptr<Timer> makeTimer(int milliseconds);

private:
    friend class VirtualTimer;
    VirtualTimer* nextDue(std::int64_t until) const;

    std::int64_t m_now = 0;
    std::uint64_t m_starts = 0;
    std::vector<VirtualTimer*> m_timers;
};

class VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualClock& clock, int milliseconds);
    ~VirtualTimer() override;

    void start() override;
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void setInterval(int milliseconds) override;
    int interval() const override { return m_interval; }

private:
    friend class VirtualClock;
    void fire();

    VirtualClock& m_clock;
    int m_interval;
    bool m_active = false;
    std::int64_t m_due = 0;
    std::uint64_t m_startOrder = 0;
};
