#include "ui/desktop/qttimer.h"

#include <QTimer>

QtTimer::QtTimer(int milliseconds, QObject* parent)
    : m_timer(new QTimer(parent))
{
    // Coarse timers may drift by 5 %, which a host would hear in the one-second repeat.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(milliseconds);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { tick(); });
}

// The timer's tick calls into this wrapper, so it goes with it, whatever its parent.
QtTimer::~QtTimer() { delete m_timer; }

void QtTimer::start()
{
    m_timer->start();
    started();
}

void QtTimer::stop() { m_timer->stop(); }

bool QtTimer::isActive() const { return m_timer->isActive(); }

// Qt restarts a running timer whose interval is set.
void QtTimer::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
    if (m_timer->isActive())
        started();
}

int QtTimer::interval() const { return m_timer->interval(); }
