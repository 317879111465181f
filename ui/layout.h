#pragma once

#include "ui/desktop/fontspec.h"

#include <QRect>

// Window geometry is written in twips, 1/1440 inch; 15 twips make one device-independent
// pixel, and Qt's high-DPI scaling takes it from there.
inline constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const { return { pixels(left), pixels(top), pixels(width), pixels(height) }; }
};

struct ControlSpec {
    const char* caption;
    TwipRect rect;
    FontSpec font;
    const char* toolTip = nullptr;
};

inline constexpr FontSpec timesNewRoman(double points, bool bold = false, bool italic = false)
{
    return { "Times New Roman", FontKind::Serif, points, bold, italic };
}

inline constexpr FontSpec msSansSerif { "MS Sans Serif", FontKind::SansSerif, 8.25 };
inline constexpr FontSpec msSerif6 { "MS Serif", FontKind::Serif, 6 };
