#include "bench/timedplayer.h"

#include "bench/clock.h"
#include "bench/waiter.h"

#include <QCoreApplication>

bool TimedPlayer::playSync(const QString& path)
{
    const double start = monotonicMs();
    const bool played = m_player.playSync(path);
    log.push_back({ { path }, start, monotonicMs() });
    QMetaObject::invokeMethod(qApp, [] { waiter().poke(); }, Qt::QueuedConnection);
    return played;
}

void TimedPlayer::playSequence(const QStringList& paths)
{
    const double start = monotonicMs();
    m_player.playSequence(paths);
    log.push_back({ paths, start, monotonicMs() });
    QMetaObject::invokeMethod(qApp, [] { waiter().poke(); }, Qt::QueuedConnection);
}
