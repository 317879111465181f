#include "app/desktoplottovox.h"
#include "calling/audiomessages.h"
#include "ui/fonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    routeAudioMessages();
    QApplication application(argc, argv);
    installFontSubstitutes();
    loadShippedFaces(Announcer::executableFolder() + "/fonts");

    DesktopLottovox lottovox;
    lottovox.program().show();
    return application.exec();
}
