#pragma once

#include <QChar>

#include <array>
#include <cstdint>

class RandomSource;

// Largest game size and the number of numbers under each column letter.
inline constexpr int MaxNumber = 90;
inline constexpr int NumbersPerLetter = 15;

// One draw: a number from 1 to bingoMode, given a value r with 0 <= r < 1.
std::int16_t drawNumber(float r, std::int16_t bingoMode);

// Which numbers have been called in this game, indexed by number; index 0 is never used.
using CalledNumbers = std::array<bool, 91>;

// Draws from the previous number on until one not yet called comes up, and marks it. A
// rejection draw: every uncalled number is equally likely to end it. The previous number is
// always already marked, so this draws at least once; at least one number must be left.
std::int16_t drawUncalled(CalledNumbers& called, std::int16_t previous, std::int16_t bingoMode, RandomSource& random);

// The column letter (B, I, N, G or O) of a number from 1 to 75.
QChar letterOf(std::int16_t number);

// The next request count, held below the 16-bit limit so it can never wrap back into the
// range of real calls however long AutoPlay runs after the last number.
std::int16_t nextCallCount(std::int16_t callCount);
