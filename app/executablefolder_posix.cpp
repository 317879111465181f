#include "app/executablefolder.h"

#include "calling/audio/pathbytes.h"

#include <QCoreApplication>
#include <QDir>

#include <SDL.h>

// Read as bytes: a folder name that is not valid UTF-8 would lose them on the way to a QString,
// and the voice files with them.
QString executableFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    QByteArray folder(base);
    SDL_free(base);
    if (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return pathFromBytes(folder);
}
