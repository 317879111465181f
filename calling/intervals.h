#pragma once

// The three timers' intervals as they are made, in milliseconds. AutoPlay's is set again from
// the seconds option when AutoPlay is switched on or an option chosen; the other two never change.
inline constexpr int AutoplayInterval = 1000;
inline constexpr int NextNumberDelayInterval = 1500;
inline constexpr int RepeatInterval = 1000;

// Extra time for the repeat of each call when Repeat Call is on.
inline constexpr int RepeatAllowance = 2000;

// The AutoPlay interval of a seconds option (index 2 to 8, captioned index + 2), before the
// repeat allowance: one second longer than its caption.
constexpr int autoPlayInterval(int optionIndex) { return (optionIndex + 3) * 1000; }
