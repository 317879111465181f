#pragma once

#include "ui/layout.h"

// Every position, size, font and text of the About window, in one place.
namespace AboutWindowLayout {

inline constexpr int ClientWidth = 5745;
inline constexpr int ClientHeight = 2205;

inline constexpr ControlSpec cmdOK { "OK", { 4275, 1260, 1260, 345 }, msSansSerif };
inline constexpr ControlSpec picIcon { "", { 135, 195, 1260, 1260 }, msSansSerif };
inline constexpr ControlSpec lblDescription {
    "Lottovox Version 2.1 picks your bingo numbers for you and will \"call\" them out as well. "
    "Play in manual or fully automatic mode.",
    { 1575, 465, 4110, 1335 }, msSansSerif
};
inline constexpr ControlSpec lblbyzentrova { "Zentrova", { 1635, 45, 1410, 330 }, timesNewRoman(14.25, true, true) };
inline constexpr ControlSpec lblTM { "TM", { 3060, 60, 315, 240 }, timesNewRoman(9.75, true, true) };

} // namespace AboutWindowLayout
