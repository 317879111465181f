#pragma once

#include "bench/protocol.h"

#include <QString>

// The idle program's CPU time and context switches over 10 s, read from outside: after
// start-up, or with AutoPlay paused after a call. Results under "idle_start_cpu",
// "idle_start_wakeups", "idle_paused_cpu" and "idle_paused_wakeups".
inline constexpr const char* IdleFlag = "--idle";
inline constexpr const char* IdlePausedFlag = "--idle-paused";
bool measureIdle(const std::string& sounds, bool paused, int runs, Results& results);
// Waits, idle, until the parent ends it.
int idleChild(const QString& sounds, bool afterAutoPlay);
