#pragma once

#include "ui/platform/timer.h"

class QObject;
class QTimer;

class QtTimer final : public Timer {
public:
    QtTimer(int milliseconds, QObject* parent);
    ~QtTimer() override;
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    void start() override;
    void stop() override;
    bool isActive() const override;
    void setInterval(int milliseconds) override;
    int interval() const override;

private:
    QTimer* m_timer;
};
