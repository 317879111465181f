#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class Timer;
class QWidget;

// The one door through which every window event reaches its routine, so that routines run one
// at a time, as in a window program with a single thread whose sound holds the window.
//
// While a routine waits for its sound, the event loop goes on answering the accessibility bridge
// and repainting, but whatever would start another routine is held: window input (mouse, keys,
// a close), user actions that came by another way (a menu item, an accessibility action, the
// Enter shortcut) and timer ticks. Once the routine has returned to the event loop, or has opened
// a modal window whose own event loop runs, the held events are delivered by that event loop, one
// in each of its turns: input first, in arrival order, then ticks. A timer holds at most one tick,
// dropped if the timer was stopped or restarted meanwhile. A held event is dropped when its window
// is gone, and a user action also when a modal window blocks its window, as a click is; a close
// is not. Once the main window has closed, nothing runs any more.
class RoutineGate final : public QObject {
    Q_OBJECT
public:
    using Routine = std::function<void()>;
    // Runs work that blocks until the sound has ended; empty: run it right here.
    using Waiter = std::function<void(const Routine& work)>;

    RoutineGate(Waiter waiter, QObject* parent);

    // A routine raised by a control's own event in a window: it runs at once, nested in whatever
    // raised it, or, raised during a sound, is held like input.
    void run(QWidget* window, const Routine& routine);
    // A user action that did not come as window input: it runs in a turn of its own, so the
    // caller (a screen reader's request, say) is answered first.
    void post(QWidget* window, Routine action);
    void tick(Timer& timer, const Routine& routine);
    void waitForSound(const Routine& work);
    void shutDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Input {
        QPointer<QWidget> window;
        Routine action;
        bool evenUnderModal = false;
    };
    struct HeldTick {
        Timer* timer;
        std::uint64_t starts;
        Routine routine;
    };

    bool routineOfThisTurn() const;
    bool busy() const;
    bool holdsWindowInput() const;
    bool holdWindowEvent(QObject* window, QEvent* event);
    void hold(Input input);
    void holdTick(Timer& timer, const Routine& routine);
    Routine takeNextHeld();
    void runRoutine(const Routine& routine);
    void resumeDelivery();
    void scheduleDelivery();
    void deliverNext();

    Waiter m_waiter;
    bool m_waiting = false;
    bool m_shutDown = false;
    bool m_deliveryScheduled = false;
    // The event-loop level each running routine was started from, outermost first. A modal
    // window's loop runs routines of its own while the one that opened the window still runs.
    std::vector<int> m_running;
    std::deque<Input> m_inputs;
    std::deque<HeldTick> m_ticks;
    const QEvent* m_replaying = nullptr;
};
