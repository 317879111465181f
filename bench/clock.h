#pragma once

#include <chrono>

// Milliseconds on the monotonic clock, which every process on the machine shares: a measuring
// child's timestamps compare with its parent's, and a recorder's arrivals with the presses.
inline double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
