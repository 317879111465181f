#pragma once

#include "game/draw.h"

#include <array>
#include <cstdint>
#include <functional>

class RandomSource;

// The chance that a chi-square variable with this many degrees of freedom reaches the
// statistic: the upper regularized incomplete gamma function Q(dof / 2, statistic / 2).
double chiSquarePValue(double statistic, double degreesOfFreedom);

// A whole game's calls in order, numbers 1 to bingoMode.
using CallOrder = std::array<std::int16_t, MaxNumber>;
using GameDraw
    = std::function<void(std::int16_t bingoMode, RandomSource& random, CallOrder& order)>;

// The program's own way through a game: the first number straight from the formula, every
// later one by the rejection draw.
void drawWholeGame(std::int16_t bingoMode, RandomSource& random, CallOrder& order);

struct ChiSquareTest {
    double statistic = 0;
    double degreesOfFreedom = 0;
    double pValue = 1;
};

struct FairnessReport {
    std::int16_t bingoMode = 0;
    long games = 0;
    // Is the k-th call uniform over the numbers? All positions at once, as a table with fixed
    // margins, and the worst single position with its Bonferroni-corrected p-value.
    ChiSquareTest positions;
    ChiSquareTest worstPosition;
    int worstPositionIndex = 0;
    double worstPositionCorrected = 1;
    // Is a called before b half the time? The sum over all pairs splits into two independent
    // chi-square parts, scaled (n + 1) / 3 and 1 / 3, since pairs that share a number are
    // correlated: the part each number's average rank explains, and what is left.
    ChiSquareTest pairRanks;
    ChiSquareTest pairRest;
    ChiSquareTest worstPair;
    int worstPairFirst = 0;
    int worstPairSecond = 0;
    double worstPairCorrected = 1;
};

FairnessReport checkFairness(
    std::int16_t bingoMode, long games, std::uint64_t seed, const GameDraw& draw = drawWholeGame);
