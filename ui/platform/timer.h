#pragma once

#include <cstdint>
#include <functional>

// A window timer: once started it ticks every interval until stopped. Setting the interval
// of a running timer starts its count again. A tick that falls due while a handler runs is
// handled after it, and at most one tick is ever pending.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;

    void setTickHandler(std::function<void()> handler) { m_tick = std::move(handler); }
    // How often the timer has been started or restarted: a tick held back from an earlier run
    // is stale, as the window system would have dropped it.
    std::uint64_t starts() const { return m_starts; }

protected:
    void started() { ++m_starts; }
    void tick() const
    {
        if (m_tick)
            m_tick();
    }

private:
    std::function<void()> m_tick;
    std::uint64_t m_starts = 0;
};
