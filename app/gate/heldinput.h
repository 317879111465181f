#pragma once

#include <QEvent>

#include <functional>
#include <memory>

// Makes, when called, a copy of a window's mouse, wheel or key event to deliver then; empty for
// any other event. Qt's mouse events share their point with the events that follow, so a copy
// made now would have moved a held press to where the next event happened. The device is held
// weakly: one unplugged meanwhile is replaced by the primary device of its kind.
using HeldInput = std::function<std::unique_ptr<QEvent>()>;
HeldInput holdWindowInput(const QEvent& event);
