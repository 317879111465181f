#pragma once

// Teaches Qt's accessibility what our own widgets are (the call notice a notification, a
// clickable label a link that can be pressed) and makes every press and toggle a screen reader
// asks for wait for its turn among the window's input. Safe to call more than once.
void installAccessibleInterfaces();
