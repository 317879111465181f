#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <vector>

class Timer;
class QWidget;

// The one door through which every window event reaches its routine. While a routine waits for
// its sound to end, the event loop goes on answering the accessibility bridge, but nothing that
// would start another routine may run then: a click, a menu item, a timer tick or a window close
// arriving meanwhile is held and run, in order, once the routine that waited has returned. A
// timer keeps at most one held tick, dropped if the timer has been stopped by then, as the tick
// of a blocked window timer would be.
class RoutineGate final : public QObject {
    Q_OBJECT
public:
    using Routine = std::function<void()>;
    // Runs work that blocks until the sound has ended; empty: run it right here.
    using Waiter = std::function<void(const Routine& work)>;

    RoutineGate(Waiter waiter, QObject* parent);

    void run(const Routine& routine);
    void tick(Timer& timer, const Routine& routine);
    void guardClose(QWidget* window);
    void waitForSound(const Routine& work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hold(Routine routine);
    void releaseHeld();

    Waiter m_waiter;
    bool m_waiting = false;
    // The event-loop level each running routine was started from, outermost first. A modal
    // window's loop may start a routine while the one that opened the window is still running.
    std::vector<int> m_running;
    // Held routines run once the routines are back at this depth: below the outermost routine
    // started from the same event loop as the one that waited.
    std::optional<std::size_t> m_releaseDepth;
    std::deque<Routine> m_held;
    std::set<Timer*> m_heldTicks;
};
