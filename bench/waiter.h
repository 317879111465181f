#pragma once

#include <functional>

class QEventLoop;

// Runs the event loop until a condition holds, woken by poke() rather than by polling, so the
// program's timers keep their own times.
class Waiter {
public:
    bool until(const std::function<bool()>& done, int timeoutMs);
    void pause(int milliseconds);
    void poke();

private:
    QEventLoop* m_loop = nullptr;
    const std::function<bool()>* m_done = nullptr;
};

// The one waiter of a measuring child, poked by the program's instrumented parts.
Waiter& waiter();
