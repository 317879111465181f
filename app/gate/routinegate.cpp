#include "app/gate/routinegate.h"

#include "app/gate/heldinput.h"

#include "app/gate/useraction.h"
#include "ui/platform/timer.h"

#include <QApplication>
#include <QEvent>
#include <QScopeGuard>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace {

int loopLevel() { return QThread::currentThread()->loopLevel(); }

QWidget* widgetOf(const QObject* window)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window)
            return widget;
    }
    return nullptr;
}

bool blockedByModal(const QWidget* window)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != window->window();
}

} // namespace

RoutineGate::RoutineGate(Waiter waiter, QObject* parent)
    : QObject(parent)
    , m_waiter(std::move(waiter))
{
    QCoreApplication::instance()->installEventFilter(this);
}

void RoutineGate::run(QWidget* window, const Routine& routine)
{
    if (m_shutDown)
        return;
    if (m_waiting) {
        hold({ window, routine, true });
        return;
    }
    runRoutine(routine);
}

void RoutineGate::post(QWidget* window, Routine action)
{
    if (!m_shutDown)
        hold({ window, std::move(action) });
}

void RoutineGate::tick(Timer& timer, const Routine& routine)
{
    if (m_shutDown)
        return;
    if (busy() || !m_inputs.empty() || !m_ticks.empty()) {
        holdTick(timer, routine);
        return;
    }
    runRoutine(routine);
}

// The waiter may throw (a thread it cannot start): the gate must not go on holding everything.
void RoutineGate::waitForSound(const Routine& work)
{
    if (!m_waiter) {
        work();
        return;
    }
    const bool outer = std::exchange(m_waiting, true);
    const auto resume = qScopeGuard([this, outer] {
        m_waiting = outer;
        resumeDelivery();
    });
    m_waiter(work);
}

void RoutineGate::shutDown()
{
    m_shutDown = true;
    m_inputs.clear();
    m_ticks.clear();
}

bool RoutineGate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == UserActionEvent::type()) {
        post(static_cast<QWidget*>(watched)->window(), static_cast<UserActionEvent*>(event)->action());
        return true;
    }
    if (!watched->isWindowType() || event == m_replaying || !holdsWindowInput())
        return false;
    return holdWindowEvent(watched, event);
}

bool RoutineGate::routineOfThisTurn() const { return !m_running.empty() && m_running.back() == loopLevel(); }

// A routine runs in this turn of the event loop, or a sound plays.
bool RoutineGate::busy() const { return m_waiting || routineOfThisTurn(); }

// Window input waits behind what is already held, so everything keeps its arrival order.
// A routine's own window events (Qt closes a window it hides through the window system) pass.
bool RoutineGate::holdsWindowInput() const { return m_waiting || (!routineOfThisTurn() && !m_inputs.empty()); }

bool RoutineGate::holdWindowEvent(QObject* window, QEvent* event)
{
    QWidget* widget = widgetOf(window);
    if (!widget)
        return false;
    if (event->type() == QEvent::Close) {
        event->ignore();
        hold({ widget, [widget = QPointer(widget)] {
                  if (widget)
                      widget->close();
              },
            true });
        return true;
    }
    HeldInput input = holdWindowInput(*event);
    if (!input)
        return false;
    hold({ widget, [this, target = QPointer(window), input] {
              if (!target)
                  return;
              const std::unique_ptr<QEvent> copy = input();
              const QEvent* outer = std::exchange(m_replaying, copy.get());
              QCoreApplication::sendEvent(target, copy.get());
              m_replaying = outer;
          } });
    return true;
}

void RoutineGate::hold(Input input)
{
    m_inputs.push_back(std::move(input));
    scheduleDelivery();
}

// A timer has one held tick at most; a restart makes it stale, and a later tick takes its place.
// A delivery is asked for even when the tick folds into the held one, so that no held tick ever
// waits on a delivery that is not coming.
void RoutineGate::holdTick(Timer& timer, const Routine& routine)
{
    const auto held = std::find_if(m_ticks.begin(), m_ticks.end(), [&](const HeldTick& t) { return t.timer == &timer; });
    if (held == m_ticks.end() || held->starts != timer.starts()) {
        if (held != m_ticks.end())
            m_ticks.erase(held);
        m_ticks.push_back({ &timer, timer.starts(), routine });
    }
    scheduleDelivery();
}

void RoutineGate::runRoutine(const Routine& routine)
{
    m_running.push_back(loopLevel());
    const auto finished = qScopeGuard([this] {
        m_running.pop_back();
        resumeDelivery();
    });
    routine();
}

void RoutineGate::resumeDelivery()
{
    if (!m_inputs.empty() || !m_ticks.empty())
        scheduleDelivery();
}

void RoutineGate::scheduleDelivery()
{
    if (m_deliveryScheduled || m_shutDown)
        return;
    m_deliveryScheduled = true;
    QMetaObject::invokeMethod(this, &RoutineGate::deliverNext, Qt::QueuedConnection);
}

// One held event per turn of the event loop, never inside a routine of the same turn: the
// routine that held it asks for the next delivery when it returns.
void RoutineGate::deliverNext()
{
    m_deliveryScheduled = false;
    if (m_shutDown || busy())
        return;
    const Routine next = takeNextHeld();
    // Asked for before the routine runs: should it open a modal window, that window's event loop
    // delivers the rest, as it runs what arrives meanwhile.
    resumeDelivery();
    if (next)
        runRoutine(next);
}

// The routine of the first held event, or none if that event is to be dropped.
RoutineGate::Routine RoutineGate::takeNextHeld()
{
    if (!m_inputs.empty()) {
        Input input = std::move(m_inputs.front());
        m_inputs.pop_front();
        if (!input.window || (!input.evenUnderModal && blockedByModal(input.window)))
            return {};
        return std::move(input.action);
    }
    if (m_ticks.empty())
        return {};
    HeldTick held = std::move(m_ticks.front());
    m_ticks.pop_front();
    if (!held.timer->isActive() || held.timer->starts() != held.starts)
        return {};
    return std::move(held.routine);
}
