#pragma once

#include <QRgb>

class QWidget;

// Colours of a board square and of the window, as 0xRRGGBB.
inline constexpr QRgb White = 0xFFFFFF;
inline constexpr QRgb Black = 0x000000;
inline constexpr QRgb Maroon = 0x800000;

// A control's background and text colours, settable one at a time.
void setBackColor(QWidget* control, QRgb colour);
void setForeColor(QWidget* control, QRgb colour);
QRgb backColor(const QWidget* control);
QRgb foreColor(const QWidget* control);

// A control drawn on a fixed white background takes its other colours (text, disabled text,
// check marks) from a usual light scheme rather than the desktop's, so that a dark or
// high-contrast scheme cannot draw its text white on that white.
void useUsualScheme(QWidget* control);
