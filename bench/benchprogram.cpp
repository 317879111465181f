#include "bench/benchprogram.h"

#include "app/gate/answeringwait.h"
#include "bench/clock.h"
#include "bench/waiter.h"
#include "ui/frmbingo.h"

#include <QPushButton>
#include <QTest>

#include <cstdio>

StampedTimer::StampedTimer(int milliseconds, QObject* owner)
    : m_timer(milliseconds, owner)
{
    m_timer.setTickHandler([this] {
        ticks.push_back(monotonicMs());
        tick();
        waiter().poke();
    });
}

void StampedTimer::start()
{
    m_timer.start();
    rearmed();
}

void StampedTimer::setInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
    if (m_timer.isActive())
        rearmed();
}

void StampedTimer::rearmed()
{
    armed = monotonicMs();
    ticks.clear();
}

BenchProgram::BenchProgram(const QString& sounds)
    : lottovox(Platform {
        player,
        confirmation,
        browser,
        RandomSource::clockSeed,
        [sounds] { return sounds; },
        [](int milliseconds, QObject* owner) { return std::make_unique<StampedTimer>(milliseconds, owner); },
        waitAnswering,
    })
{
    lottovox.show();
    if (!QTest::qWaitForWindowExposed(&form()))
        std::fprintf(stderr, "the main window was never shown\n");
}

void BenchProgram::click(QWidget* control)
{
    QWidget* window = control->window();
    QTest::mouseClick(
        window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, QPoint(4, control->height() / 2)));
}

bool BenchProgram::nextEnabled() { return form().cmdNextNumber->isEnabled(); }

bool EnabledWatch::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        waiter().poke();
    return false;
}
