#include "ui/desktop/fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

const char* const NamedFaces[] { "Times New Roman", "MS Sans Serif", "MS Serif" };

} // namespace

void installFontSubstitutes()
{
    const QStringList serif { "Liberation Serif", "Tinos", "DejaVu Serif", "serif" };
    const QStringList sans { "Liberation Sans", "Arimo", "DejaVu Sans", "sans-serif" };
    QFont::insertSubstitutions("Times New Roman", serif);
    QFont::insertSubstitutions("MS Serif", serif);
    QFont::insertSubstitutions("MS Sans Serif", sans);
}

QFont fontFor(const FontSpec& spec)
{
    QFont font(QString::fromLatin1(spec.face));
    font.setStyleHint(spec.kind == FontKind::Serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
#ifdef Q_OS_WIN
    // A bitmap face at its few pixels. Windows smooths its substitute to grey at that size, so
    // it is drawn unsmoothed, as the bitmap face itself would be.
    if (QLatin1String(spec.face) == QLatin1String("MS Serif"))
        font.setStyleStrategy(QFont::NoAntialias);
#endif
    return font;
}

void loadShippedFaces(const QString& folder)
{
    const QStringList installed = QFontDatabase::families();
    const bool allPresent = std::all_of(std::begin(NamedFaces), std::end(NamedFaces),
        [&installed](const char* face) { return installed.contains(QLatin1String(face), Qt::CaseInsensitive); });
    if (allPresent)
        return;
    const QDir faces(folder);
    for (const QString& file : faces.entryList({ QStringLiteral("*.ttf") }, QDir::Files))
        QFontDatabase::addApplicationFont(faces.filePath(file));
}
