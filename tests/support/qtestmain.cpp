#include "ui/desktop/fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installFontSubstitutes();
    // The faces the build puts beside the program, as the installed program finds them.
    loadShippedFaces(QCoreApplication::applicationDirPath() + "/../app/fonts");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
