#pragma once

#include "app/lottovox.h"
#include "bench/timedplayer.h"
#include "ui/desktop/desktopbrowser.h"
#include "ui/desktop/qttimer.h"
#include "ui/desktop/qtyesnobox.h"

#include <QObject>

#include <vector>

class QWidget;

// A QtTimer that notes when it was armed and when each tick came.
class StampedTimer final : public Timer {
public:
    StampedTimer(int milliseconds, QObject* owner);

    void start() override;
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    void setInterval(int milliseconds) override;
    int interval() const override { return m_timer.interval(); }

    double armed = 0;
    std::vector<double> ticks;

private:
    void rearmed();

    QtTimer m_timer;
};

// The program as main.cpp builds it, with the timers and the player open to inspection,
// shown and exposed.
struct BenchProgram {
    explicit BenchProgram(const QString& sounds);

    frmBingo& form() { return lottovox.form(); }
    StampedTimer& timer(Timer& timer) { return static_cast<StampedTimer&>(timer); }
    // A mouse click through the window system, as a host's click comes.
    void click(QWidget* control);
    bool nextEnabled();

    TimedPlayer player;
    QtYesNoBox confirmation;
    DesktopBrowser browser;
    Lottovox lottovox;
};

// Wakes the waiter whenever the control it watches is enabled or disabled.
class EnabledWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override;
};
