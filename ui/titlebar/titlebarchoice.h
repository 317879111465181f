#pragma once

#include <QProcessEnvironment>

#include <optional>

// Under Wayland the program asks Qt for its own title bar through the environment, where Qt
// reads it as each window is made. The programs it starts would inherit that choice with the
// rest of the environment; they are started with the host's own choice, or none, instead.
namespace TitleBarChoice {

// The title bar is built on Qt's private interface, which holds only under the very Qt it was
// built against: under any other, Qt's own bar is left.
bool runsUnderTheQtItWasBuiltFor();

// Asks Qt for this title bar, unless the host asked for one. Only at start-up, before any
// thread is started: the environment is never edited once others may read it.
void chooseOwn(const char* key);

// The environment as the host gave it, for another program to start in; nothing when the
// program's own is that already, having chosen no title bar of its own.
std::optional<QProcessEnvironment> hostsEnvironment();

} // namespace TitleBarChoice
