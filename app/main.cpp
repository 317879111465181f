#include "app/desktoplottovox.h"
#include "calling/audiomessages.h"
#include "ui/fonts.h"

#include <QApplication>

#ifdef LOTTOVOX_TITLEBAR_KEY
// Where the compositor leaves the title bar to the program, ours offers only the buttons each
// window asks for. It is read as each window is created; a decoration the host chose wins.
static void useOwnTitleBar()
{
    QCoreApplication::addLibraryPath(Announcer::executableFolder() + "/plugins");
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DECORATION"))
        qputenv("QT_WAYLAND_DECORATION", LOTTOVOX_TITLEBAR_KEY);
}
#endif

int main(int argc, char* argv[])
{
    routeAudioMessages();
#ifdef LOTTOVOX_TITLEBAR_KEY
    useOwnTitleBar();
#endif
    QApplication application(argc, argv);
    installFontSubstitutes();
    loadShippedFaces(Announcer::executableFolder() + "/fonts");

    DesktopLottovox lottovox;
    lottovox.program().show();
    return application.exec();
}
