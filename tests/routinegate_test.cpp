#include "app/gate/routinegate.h"
#include "support/virtualclock.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What reaches the gate while a call's sound plays.
enum class Arrival {
    ClickA,
    ClickB,
    ClickStop,
    MenuItem,
    MenuRestart,
    // A menu item whose routine opens a modal window: an event loop of its own, inside the routine.
    MenuModal,
    // A press of the second window's button by the program, not as window input.
    SecondWindowPress,
    SecondWindowGone,
    FirstTimerTicks,
    BothTimersTick,
    Close
};

struct Row {
    const char* rule;
    std::vector<Arrival> arrivals;
    // What runs once the call has returned, each with the depth of routines it runs at.
    std::vector<std::string> ran;
    // What arrives once the first held routine has run, before the next turn of the event loop.
    std::vector<Arrival> afterFirst = {};
    // The wait ends in an exception, which the routine's caller catches.
    bool waitThrows = false;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.rule; }

const Row Rows[] = {
    { "window input and user actions run before a tick, in arrival order",
        { Arrival::FirstTimerTicks, Arrival::ClickA, Arrival::MenuItem, Arrival::ClickB },
        { "A@1", "menu@1", "B@1", "T1@1" } },
    { "a timer holds one tick, and ticks keep their arrival order",
        { Arrival::BothTimersTick, Arrival::FirstTimerTicks }, { "T1@1", "T2@1" } },
    { "the tick of a timer stopped meanwhile is dropped", { Arrival::FirstTimerTicks, Arrival::ClickStop },
        { "stop@1" } },
    { "the tick of a timer restarted meanwhile is dropped", { Arrival::FirstTimerTicks, Arrival::MenuRestart },
        { "restart@1" } },
    { "a close runs in its turn, and nothing that came after it",
        { Arrival::ClickA, Arrival::Close, Arrival::ClickB, Arrival::MenuItem, Arrival::FirstTimerTicks },
        { "A@1", "close@1" } },
    { "a tick held as a modal window opens is delivered by its event loop",
        { Arrival::FirstTimerTicks, Arrival::MenuModal }, { "modal@1", "T1@2" } },
    { "a tick that falls due between held clicks waits behind them", { Arrival::ClickA, Arrival::ClickStop },
        { "A@1", "stop@1" }, { Arrival::FirstTimerTicks } },
    { "a held routine of a window that is gone is dropped",
        { Arrival::SecondWindowPress, Arrival::SecondWindowGone, Arrival::ClickA }, { "A@1" } },
    { "a wait that ends in an exception still lets what it held run",
        { Arrival::FirstTimerTicks, Arrival::ClickA, Arrival::MenuItem }, { "A@1", "menu@1", "T1@1" }, {}, true },
};

class Window final : public QWidget {
public:
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        onClose();
        QWidget::closeEvent(event);
    }
};

class Gate : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        window.resize(300, 100);
        for (const char* name : { "A", "B", "stop" }) {
            auto* button = new QPushButton(name, &window);
            button->setGeometry(100 * int(buttons.size()), 0, 90, 90);
            QObject::connect(button, &QPushButton::clicked, button, [this, name] {
                gate.run(&window, routine(name, [this, name] {
                    if (std::string(name) == "stop")
                        first->stop();
                }));
            });
            buttons[name] = button;
        }
        auto* press = new QPushButton("D", secondWindow.get());
        QObject::connect(press, &QPushButton::clicked, press, [this, press] {
            gate.run(secondWindow.get(), routine("D", [press] { press->setText("pressed"); }));
        });
        window.onClose = [this] { gate.run(&window, routine("close", [this] { gate.shutDown(); })); };
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        first->setTickHandler([this] { gate.tick(*first, routine("T1")); });
        second->setTickHandler([this] { gate.tick(*second, routine("T2")); });
        first->start();
        second->start();
    }

    std::function<void()> routine(const std::string& name, std::function<void()> effect = {})
    {
        return [this, name, effect] {
            ++depth;
            ran.push_back(name + "@" + std::to_string(depth));
            if (effect)
                effect();
            --depth;
        };
    }

    void arrive(Arrival arrival)
    {
        switch (arrival) {
        case Arrival::ClickA:
        case Arrival::ClickB:
        case Arrival::ClickStop: {
            const char* name = arrival == Arrival::ClickA ? "A" : arrival == Arrival::ClickB ? "B" : "stop";
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, buttons[name]->geometry().center());
            break;
        }
        case Arrival::MenuItem:
            gate.post(&window, routine("menu"));
            break;
        case Arrival::MenuRestart:
            gate.post(&window, routine("restart", [this] { first->setInterval(100); }));
            break;
        case Arrival::MenuModal:
            gate.post(&window, routine("modal", [] { runModalLoop(); }));
            break;
        case Arrival::SecondWindowPress:
            secondWindow->findChild<QPushButton*>()->click();
            break;
        case Arrival::SecondWindowGone:
            secondWindow.reset();
            break;
        case Arrival::FirstTimerTicks:
            clock.advance(100);
            break;
        case Arrival::BothTimersTick:
            clock.advance(300);
            break;
        case Arrival::Close:
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
                window.windowHandle());
            break;
        }
    }

    // Twenty turns of an event loop of its own, as a modal window's, then closed.
    static void runModalLoop()
    {
        QEventLoop loop;
        int turns = 0;
        std::function<void()> turn = [&] {
            if (++turns == 20)
                loop.quit();
            else
                QMetaObject::invokeMethod(&loop, turn, Qt::QueuedConnection);
        };
        QMetaObject::invokeMethod(&loop, turn, Qt::QueuedConnection);
        loop.exec();
    }

    VirtualClock clock;
    std::unique_ptr<Timer> first = clock.makeTimer(100);
    std::unique_ptr<Timer> second = clock.makeTimer(250);
    std::vector<Arrival> arrivals;
    bool waitThrows = false;
    RoutineGate gate { [this](const RoutineGate::Routine& work) {
                          work();
                          for (const Arrival arrival : arrivals)
                              arrive(arrival);
                          if (waitThrows)
                              throw std::runtime_error("the wait failed");
                      },
        nullptr };
    Window window;
    std::unique_ptr<QWidget> secondWindow = std::make_unique<QWidget>();
    std::map<std::string, QPushButton*> buttons;
    int depth = 0;
    std::vector<std::string> ran;
};

TEST_P(Gate, HeldEventsRunAfterTheCallEachInItsOwnTurnOfTheEventLoop)
{
    const Row& row = GetParam();
    arrivals = row.arrivals;
    waitThrows = row.waitThrows;
    try {
        gate.run(&window, routine("call", [this] { gate.waitForSound([] {}); }));
        EXPECT_FALSE(row.waitThrows) << "the exception was lost";
    } catch (const std::runtime_error&) {
        EXPECT_TRUE(row.waitThrows);
        --depth;
    }
    EXPECT_EQ(ran, std::vector<std::string> { "call@1" }) << "nothing runs inside the call";
    for (int turn = 0; turn < 20; ++turn) {
        const std::size_t before = ran.size();
        QCoreApplication::processEvents();
        if (before == 1 && ran.size() > 1) {
            for (const Arrival arrival : row.afterFirst)
                arrive(arrival);
        }
    }
    std::vector<std::string> expected { "call@1" };
    expected.insert(expected.end(), row.ran.begin(), row.ran.end());
    EXPECT_EQ(ran, expected) << row.rule;
}

INSTANTIATE_TEST_SUITE_P(Arrivals, Gate, ::testing::ValuesIn(Rows));

} // namespace
