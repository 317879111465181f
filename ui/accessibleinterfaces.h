#pragma once

#include <functional>

class QWidget;

// Teaches Qt's accessibility what our own widgets are (the call notice a notification, a
// clickable label a link that can be pressed) and makes every press and toggle a screen reader
// asks for wait for its turn among the window's input. Safe to call more than once.
void installAccessibleInterfaces();

// Hands a press on control to whatever runs it in its turn (the program's event gate). Until
// one is given, a screen reader's presses are dropped.
using PressDeferral = std::function<void(QWidget* control, std::function<void()> press)>;
void deferAccessiblePresses(PressDeferral deferral);
