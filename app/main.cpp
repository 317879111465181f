#include "app/desktoplottovox.h"
#include "app/executablefolder.h"
#include "calling/audio/audiomessages.h"
#include "ui/desktop/fonts.h"
#include "ui/titlebar/titlebarchoice.h"

#include <QApplication>

#ifdef LOTTOVOX_TITLEBAR_KEY
// Where the compositor leaves the title bar to the program, ours offers only the buttons each
// window asks for. It is read as each window is created; a decoration the host chose wins.
// Under another Qt than the one it was built for, its folder is not added at all: Qt could
// still pick it by itself where the host chose no bar.
static void useOwnTitleBar()
{
    if (!TitleBarChoice::runsUnderTheQtItWasBuiltFor())
        return;
    QCoreApplication::addLibraryPath(executableFolder() + "/plugins");
    TitleBarChoice::chooseOwn(LOTTOVOX_TITLEBAR_KEY);
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
    loadShippedFaces(executableFolder() + "/fonts");

    DesktopLottovox lottovox;
    lottovox.program().show();
    return application.exec();
}
