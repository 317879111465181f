#include "app/desktoplottovox.h"
#include "ui/fonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installFontSubstitutes();
    loadShippedFaces(Announcer::executableFolder() + "/fonts");

    DesktopLottovox lottovox;
    lottovox.program().show();
    return application.exec();
}
