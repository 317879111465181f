#include "ui/fonts.h"

#include <QStringList>

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
    return font;
}
