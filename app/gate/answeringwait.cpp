#include "app/gate/answeringwait.h"

#include "calling/audio/answerwait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// Not a nested QEventLoop::exec(): under X11 that left the window system's events (a click, the
// window manager's close) unread until the wait was over, so the gate never saw them arrive.
class EventLoopWait final : public AnswerWait {
public:
    EventLoopWait()
        : m_dispatcher(QCoreApplication::instance()->eventDispatcher())
    {
    }

    void waitUntil(std::chrono::steady_clock::time_point until) override
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        // Its tick is an event, which ends the wait.
        QTimer limit;
        limit.setTimerType(Qt::PreciseTimer);
        limit.setSingleShot(true);
        limit.start(left);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    void wake() override { m_dispatcher->wakeUp(); }

private:
    QAbstractEventDispatcher* m_dispatcher;
};

} // namespace

void waitAnswering(const std::function<void()>& work)
{
    EventLoopWait wait;
    work();
}
