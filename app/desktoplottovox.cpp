#include "app/desktoplottovox.h"

#include "ui/answeringwait.h"
#include "ui/qttimer.h"

DesktopLottovox::DesktopLottovox()
    : m_program(Platform {
        m_player,
        m_confirmation,
        m_browser,
        RandomSource::clockSeed,
        Announcer::executableFolder,
        [](int milliseconds, QObject* owner) { return std::make_unique<QtTimer>(milliseconds, owner); },
        waitAnswering,
    })
{
}
