#pragma once

// Extra time for the repeat of each call when Repeat Call is on.
inline constexpr int RepeatAllowance = 2000;

// The AutoPlay interval of a seconds option (index 2 to 8, captioned index + 2), before the
// repeat allowance: one second longer than its caption.
constexpr int autoPlayInterval(int optionIndex) { return (optionIndex + 3) * 1000; }
