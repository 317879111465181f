// What the windows make of the states a window system or its title bar asks of them.
#include "support/lottovoxfixture.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace {

using AboutWindow = LottovoxTest;
using MainWindow = LottovoxTest;
using WindowStates = LottovoxTest;

// Whatever a window system or its title bar asks, the main window stays as it is and the program
// goes on calling: a maximise or full-screen request is undone. Under a compositor the answers
// take a round trip, and the calls repaint the window at whatever size it then has.
TEST_F(WindowStates, MaximiseAndFullScreenAreUndoneAndCallsGoOn)
{
    const QSize size = form().size();
    for (const Qt::WindowState request : { Qt::WindowMaximized, Qt::WindowFullScreen, Qt::WindowMaximized }) {
        form().windowHandle()->setWindowStates(request);
        QTest::qWait(500);
        pressNextNumber();
        clock.advance(5000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form().windowState() == Qt::WindowNoState; }, 3000)) << request;
        EXPECT_TRUE(QTest::qWaitFor([&] { return form().size() == size; }, 3000)) << request;
    }
    EXPECT_EQ(state().CallCount, 3);
}

// Minimised, the main window stays open and AutoPlay goes on calling, there and once restored.
// Not among the window states tried under Wayland, whose clients are never told they are minimised.
TEST_F(MainWindow, MinimisedItStaysOpenAndCallsGoOn)
{
    startAutoPlay();
    form().windowHandle()->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().isMinimized(); }, 3000));
    letTheEventLoopRun();
    EXPECT_TRUE(form().isVisible());
    clock.advance(10000);
    EXPECT_EQ(state().CallCount, 1);
    form().windowHandle()->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().windowState() == Qt::WindowNoState; }, 3000));
    clock.advance(10000);
    EXPECT_EQ(state().CallCount, 2);
    EXPECT_TRUE(form().isVisible());
}

// Hidden, a modal window would leave the main window taking no input; so a minimised About
// window closes, and a maximised one is put back.
TEST_F(AboutWindow, MinimisedItClosesAndMaximisedItKeepsItsSize)
{
    whenModalOpens([](QWidget* modal) {
        const QSize size = modal->size();
        modal->windowHandle()->setWindowStates(Qt::WindowMaximized);
        EXPECT_TRUE(QTest::qWaitFor([&] { return modal->size() == size && !modal->isMaximized(); }, 3000));
        modal->windowHandle()->setWindowState(Qt::WindowMinimized);
        if (!QTest::qWaitFor([&] { return !modal->isVisible(); }, 3000)) {
            ADD_FAILURE() << "a minimised About window stays modal";
            modal->close();
        }
    });
    choose(form().mnuAbout);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 1) << "the main window takes input again";
}

} // namespace
