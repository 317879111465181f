#include "ui/colours.h"

#include <QPalette>
#include <QStyle>
#include <QWidget>

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

void useUsualScheme(QWidget* control)
{
    const QPalette own = control->palette();
    QPalette usual = control->style()->standardPalette();
    if (control->autoFillBackground())
        usual.setColor(control->backgroundRole(), own.color(control->backgroundRole()));
    control->setPalette(usual);
}
