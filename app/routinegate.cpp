#include "app/routinegate.h"

#include "ui/timer.h"

#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QWidget>

RoutineGate::RoutineGate(Waiter waiter, QObject* parent)
    : QObject(parent)
    , m_waiter(std::move(waiter))
{
}

void RoutineGate::run(const Routine& routine)
{
    if (m_waiting) {
        hold(routine);
        return;
    }
    m_running.push_back(QThread::currentThread()->loopLevel());
    routine();
    m_running.pop_back();
    if (m_running.size() == m_releaseDepth)
        releaseHeld();
}

void RoutineGate::tick(Timer& timer, const Routine& routine)
{
    if (!m_waiting) {
        run(routine);
        return;
    }
    if (!m_heldTicks.insert(&timer).second)
        return;
    hold([this, &timer, routine] {
        m_heldTicks.erase(&timer);
        if (timer.isActive())
            routine();
    });
}

void RoutineGate::guardClose(QWidget* window) { window->installEventFilter(this); }

void RoutineGate::waitForSound(const Routine& work)
{
    if (!m_waiter) {
        work();
        return;
    }
    if (!m_releaseDepth) {
        std::size_t outermost = m_running.size();
        while (outermost > 0 && m_running[outermost - 1] == QThread::currentThread()->loopLevel())
            --outermost;
        m_releaseDepth = outermost;
    }
    m_waiting = true;
    m_waiter(work);
    m_waiting = false;
    if (m_running.size() == m_releaseDepth)
        releaseHeld();
}

// A close asked for while a sound plays is held like a click: the window closes afterwards.
bool RoutineGate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Close || !m_waiting)
        return false;
    event->ignore();
    hold([window = QPointer(static_cast<QWidget*>(watched))] {
        if (window)
            window->close();
    });
    return true;
}

void RoutineGate::hold(Routine routine) { m_held.push_back(std::move(routine)); }

void RoutineGate::releaseHeld()
{
    m_releaseDepth.reset();
    while (!m_held.empty()) {
        Routine next = std::move(m_held.front());
        m_held.pop_front();
        run(next);
    }
}
