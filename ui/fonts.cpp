#include "ui/fonts.h"

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
    // A bitmap face at its few pixels: its substitute is fitted to whole pixels, as the bitmap
    // face is drawn, so that its strokes stay solid instead of fading to grey.
    if (QLatin1String(spec.face) == QLatin1String("MS Serif"))
        font.setHintingPreference(QFont::PreferFullHinting);
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
