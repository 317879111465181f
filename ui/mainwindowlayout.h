#pragma once

#include "ui/layout.h"

#include <array>

// Every position, size, font and text of the main window, in one place.
namespace MainWindowLayout {

inline constexpr int ClientWidth = 10470;
inline constexpr int ClientHeight = 6210;

inline constexpr ControlSpec lblCurrent_Call { "", { 360, 180, 4830, 2970 }, timesNewRoman(114.75, true) };

inline constexpr std::array<ControlSpec, 6> lblBingo { {
    { "B", { 5295, 180, 855, 360 }, timesNewRoman(18, true) },
    { "I", { 6120, 180, 855, 360 }, timesNewRoman(18, true) },
    { "N", { 6975, 180, 855, 360 }, timesNewRoman(18, true) },
    { "G", { 7830, 180, 855, 360 }, timesNewRoman(18, true) },
    { "O", { 8670, 180, 855, 360 }, timesNewRoman(18, true) },
    { "Bingo", { 2400, 4050, 1215, 495 }, timesNewRoman(21.75, true) },
} };
inline constexpr int ColumnLetterCount = 5;

inline constexpr ControlSpec opt75Number { "Playing 75 Number Bingo", { 360, 3345, 2175, 375 }, timesNewRoman(8.25) };
inline constexpr ControlSpec opt90Number { "Playing 90 Number Bingo", { 3015, 3360, 2175, 375 }, timesNewRoman(8.25) };
inline constexpr ControlSpec cmdNextNumber { "Next Number", { 345, 3900, 1215, 315 }, msSansSerif,
    "Calls numbers manually" };
inline constexpr ControlSpec lblbyzentrova { "Zentrova", { 3525, 4275, 900, 195 }, msSansSerif,
    "click to go to zentrova website" };
inline constexpr ControlSpec lbltrademark { "tm", { 4470, 4350, 135, 150 }, msSerif6 };
inline constexpr ControlSpec chkSound { "Sound", { 345, 4320, 1215, 240 }, msSansSerif };
inline constexpr ControlSpec chkRepeat { "Repeat Call", { 345, 4590, 1215, 330 }, msSansSerif };
inline constexpr ControlSpec chkAutoPlay { "AutoPlay/Pause", { 345, 4905, 1635, 330 }, msSansSerif,
    "Click to Start/Pause AutoPlay" };
inline constexpr ControlSpec optAutoPlayInterval { "Auto Play Currently Turned Off", { 345, 5355, 4830, 570 },
    msSansSerif, "Selects the time between number calls in seconds during AutoPlay" };

// The seconds options sit inside the frame; elements 2 to 8, positions relative to the frame.
inline constexpr int FirstSecondsOption = 2;
inline constexpr int LastSecondsOption = 8;
inline constexpr std::array<ControlSpec, 7> optSeconds { {
    { "4", { 210, 240, 375, 240 }, msSansSerif },
    { "5", { 840, 240, 375, 240 }, msSansSerif },
    { "6", { 1455, 240, 375, 240 }, msSansSerif },
    { "7", { 2100, 240, 375, 240 }, msSansSerif },
    { "8", { 2760, 240, 375, 240 }, msSansSerif },
    { "9", { 3420, 240, 375, 240 }, msSansSerif },
    { "10", { 4035, 240, 540, 240 }, msSansSerif },
} };

// The board: six columns of fifteen squares, filled column by column. The columns are not
// evenly spaced, so neighbouring squares touch or overlap slightly.
inline constexpr std::array<int, 6> BoardColumnLeft { 5295, 6120, 6975, 7830, 8670, 9510 };
inline constexpr int BoardTop = 525;
inline constexpr int SquareWidth = 855;
inline constexpr int SquareHeight = 360;
inline constexpr FontSpec SquareFont = timesNewRoman(15.75, true);

constexpr TwipRect boardSquare(int index)
{
    const int column = index / 15;
    const int row = index % 15;
    return { BoardColumnLeft[column], BoardTop + SquareHeight * row, SquareWidth, SquareHeight };
}

} // namespace MainWindowLayout
