#include "virtualclock.h"

#include <gtest/gtest.h>

#include <algorithm>

VirtualClock::~VirtualClock() = default;

std::unique_ptr<Timer> VirtualClock::makeTimer(int milliseconds)
{
    return std::make_unique<VirtualTimer>(*this, milliseconds);
}

VirtualTimer* VirtualClock::nextDue(std::int64_t until) const
{
    VirtualTimer* next = nullptr;
    for (VirtualTimer* timer : m_timers) {
        if (!timer->m_active || timer->m_due > until)
            continue;
        if (!next || timer->m_due < next->m_due
            || (timer->m_due == next->m_due && timer->m_startOrder < next->m_startOrder))
            next = timer;
    }
    return next;
}

void VirtualClock::advance(std::int64_t milliseconds)
{
    const std::int64_t target = m_now + milliseconds;
    // A handler slower than its own timer would keep the loop busy forever, in Qt as here.
    constexpr int MaxTicks = 1'000'000;
    for (int ticks = 0; ticks < MaxTicks; ++ticks) {
        VirtualTimer* timer = nextDue(std::max(target, m_now));
        if (!timer) {
            m_now = std::max(target, m_now);
            return;
        }
        m_now = std::max(m_now, timer->m_due);
        timer->fire();
    }
    ADD_FAILURE() << "virtual clock: timers never settled";
}

VirtualTimer::VirtualTimer(VirtualClock& clock, int milliseconds)
    : m_clock(clock)
    , m_interval(milliseconds)
{
    m_clock.m_timers.push_back(this);
}

VirtualTimer::~VirtualTimer() { std::erase(m_clock.m_timers, this); }

void VirtualTimer::start()
{
    m_active = true;
    m_due = m_clock.m_now + m_interval;
    m_startOrder = m_clock.m_starts++;
    started();
}

void VirtualTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    if (m_active) {
        m_due = m_clock.m_now + m_interval;
        started();
    }
}

// Re-armed before the handler runs, as Qt does: the next tick keeps the rhythm unless the
// timer has fallen a whole period behind. The handler may still stop or restart it.
void VirtualTimer::fire()
{
    m_due += m_interval;
    if (m_due < m_clock.m_now)
        m_due = m_clock.m_now + m_interval;
    tick();
}
