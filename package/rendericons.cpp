#include "ui/artwork.h"
#include "ui/desktop/fonts.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

// Build tool: renders the application icon for the desktop's icon theme, so the installed
// icons and the window icon come from one drawing.
// Usage: rendericons FOLDER SIZE... writes FOLDER/lottovox-SIZE.png for each size.
int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    installFontSubstitutes();

    QTextStream errors(stderr);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        errors << "usage: rendericons FOLDER SIZE...\n";
        return 2;
    }
    const QDir folder(arguments[1]);
    for (const QString& argument : arguments.sliced(2)) {
        bool isNumber = false;
        const int size = argument.toInt(&isNumber);
        const QString path = folder.filePath(QString("lottovox-%1.png").arg(size));
        if (!isNumber || size <= 0) {
            errors << "not a size: " << argument << '\n';
            return 2;
        }
        if (!applicationIconPicture(size).save(path, "PNG")) {
            errors << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
