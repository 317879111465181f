#pragma once

// Teaches Qt's accessibility what our own widgets are: the call notice a notification, a
// clickable label a link that can be pressed. Safe to call more than once.
void installAccessibleInterfaces();
