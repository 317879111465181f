#pragma once

#include "bench/protocol.h"

#include <QString>

// A host's session: manual calls with sound and repeat, then AutoPlay at its shortest period.
// Results: "press_to_label", "press_to_first_sample", "playback_overhead", "repeat_error",
// "autoplay_error" and "peak_rss_kib".
inline constexpr const char* SessionFlag = "--session";
bool measureSession(const std::string& sounds, int runs, Results& results);
int sessionChild(const QString& sounds, int manualCalls, int autoPlayTicks);
