#include "ui/answeringwait.h"

#include <QEventLoop>

#include <thread>

void waitAnswering(const std::function<void()>& work)
{
    QEventLoop loop;
    std::thread worker([&] {
        work();
        // Queued, so it takes effect even if the work ends before the loop has started.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}
