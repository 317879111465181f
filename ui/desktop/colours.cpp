#include "ui/desktop/colours.h"

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

void setBackColor(QWidget* control, QRgb colour)
{
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), QColor::fromRgb(colour));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void setForeColor(QWidget* control, QRgb colour)
{
    QPalette palette = control->palette();
    palette.setColor(control->foregroundRole(), QColor::fromRgb(colour));
    control->setPalette(palette);
}

QRgb backColor(const QWidget* control)
{
    return control->palette().color(control->backgroundRole()).rgb() & 0xFFFFFF;
}

QRgb foreColor(const QWidget* control)
{
    return control->palette().color(control->foregroundRole()).rgb() & 0xFFFFFF;
}

namespace {

// Fusion's own light scheme, the same on every platform: the Windows styles' "standard" palette
// is the desktop's scheme whenever visual themes are on, dark or high-contrast ones included.
QPalette usualScheme()
{
    static const QPalette usual = [] {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        return fusion->standardPalette();
    }();
    return usual;
}

} // namespace

void useUsualScheme(QWidget* control)
{
    const QPalette own = control->palette();
    QPalette usual = usualScheme();
    if (control->autoFillBackground())
        usual.setColor(control->backgroundRole(), own.color(control->backgroundRole()));
    control->setPalette(usual);
}
