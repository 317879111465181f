#include "app/gate/answeringwait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <thread>

// Not a nested QEventLoop::exec(): under X11 that left the window system's events (a click, the
// window manager's close) unread until the wait was over, so the gate never saw them arrive.
void waitAnswering(const std::function<void()>& work)
{
    std::atomic<bool> done = false;
    std::thread worker([&] {
        work();
        done = true;
        QCoreApplication::instance()->eventDispatcher()->wakeUp();
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
}
