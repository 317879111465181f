#include "app/desktoplottovox.h"

#include "app/executablefolder.h"
#include "app/gate/answeringwait.h"
#include "ui/desktop/qttimer.h"

DesktopLottovox::DesktopLottovox()
    : m_program(Platform {
        m_player,
        m_confirmation,
        m_browser,
        RandomSource::clockSeed,
        executableFolder,
        [](int milliseconds, QObject* owner) { return std::make_unique<QtTimer>(milliseconds, owner); },
        waitAnswering,
    })
{
}
