#include "app/executablefolder.h"

#include <QDir>

#include <windows.h>

#include <vector>

// Windows names files in UTF-16, which a QString holds unchanged, even a lone surrogate; SDL's
// and Qt's lookups both convert the name on the way.
QString executableFolder()
{
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        // A name that fills the buffer may have been cut short.
        if (length < name.size()) {
            const QString path(reinterpret_cast<const QChar*>(name.data()), qsizetype(length));
            return path.left(path.lastIndexOf(u'\\'));
        }
        name.resize(name.size() * 2);
    }
}
