#pragma once

#include <QChar>

#include <cstdint>

// Largest game size and the number of numbers under each column letter.
inline constexpr int MaxNumber = 90;
inline constexpr int NumbersPerLetter = 15;

// One draw: a number from 1 to bingoMode, given a value r with 0 <= r < 1.
std::int16_t drawNumber(float r, std::int16_t bingoMode);

// The column letter (B, I, N, G or O) of a number from 1 to 75.
QChar letterOf(std::int16_t number);

// The next request count, held below the 16-bit limit so it can never wrap back into the
// range of real calls however long AutoPlay runs after the last number.
std::int16_t nextCallCount(std::int16_t callCount);
