#pragma once

#include "bench/protocol.h"

// Cold start: from spawning a new process to the end of the event-loop pass that painted the
// main window's first frame. Results under "startup".
inline constexpr const char* StartupFlag = "--startup";
bool measureStartup(int runs, Results& results);
// The child: composes the program exactly as main.cpp does and reports its first frame.
int startupChild(int argc, char* argv[]);
