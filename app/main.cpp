#include "app/lottovox.h"
#include "calling/sdlsoundplayer.h"
#include "ui/browser.h"
#include "ui/fonts.h"
#include "ui/qttimer.h"
#include "ui/yesnobox.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installFontSubstitutes();

    SdlSoundPlayer player;
    QtYesNoBox confirmation;
    DesktopBrowser browser;
    const Platform platform {
        player,
        confirmation,
        browser,
        RandomSource::clockSeed,
        Announcer::executableFolder,
        [](int milliseconds, QObject* owner) { return std::make_unique<QtTimer>(milliseconds, owner); },
    };
    Lottovox lottovox(platform);
    lottovox.show();
    return application.exec();
}
