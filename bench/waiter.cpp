#include "bench/waiter.h"

#include <QEventLoop>
#include <QTimer>

namespace {

// A timer that goes with the loop: a single-shot one would outlive it and wake an idle
// program later.
void run(QEventLoop& loop, int milliseconds)
{
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(milliseconds);
    loop.exec();
}

} // namespace

bool Waiter::until(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    m_loop = &loop;
    m_done = &done;
    run(loop, timeoutMs);
    m_loop = nullptr;
    return done();
}

void Waiter::pause(int milliseconds)
{
    QEventLoop loop;
    run(loop, milliseconds);
}

void Waiter::poke()
{
    if (m_loop && (*m_done)())
        m_loop->quit();
}

Waiter& waiter()
{
    static Waiter instance;
    return instance;
}
