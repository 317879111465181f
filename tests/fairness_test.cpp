// A small, fixed-seed run of the fairness check that `scripts/bench --fairness` runs on a
// million games of each size.

#include "tests/stats/fairness.h"

#include "game/randomsource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Q(m, x) for whole m by its finite Poisson sum, summed in logarithms so large m works.
double evenDegreesPValue(double statistic, int degreesOfFreedom)
{
    const double x = statistic / 2;
    double largest = -INFINITY;
    std::vector<double> logTerms;
    for (int k = 0; k < degreesOfFreedom / 2; ++k) {
        logTerms.push_back(-x + k * std::log(x) - std::lgamma(k + 1.0));
        largest = std::max(largest, logTerms.back());
    }
    double sum = 0;
    for (const double logTerm : logTerms)
        sum += std::exp(logTerm - largest);
    return std::exp(largest) * sum;
}

TEST(ChiSquarePValue, AgreesWithClosedFormsAcrossDegreesOfFreedom)
{
    EXPECT_NEAR(chiSquarePValue(3.841458820694124, 1), 0.05, 1e-12);
    EXPECT_EQ(chiSquarePValue(0, 7), 1);
    for (const double x : { 0.01, 0.5, 1.0, 4.0, 20.0, 60.0 }) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(chiSquarePValue(x, 1), std::erfc(std::sqrt(x / 2)), 1e-12);
        EXPECT_NEAR(chiSquarePValue(x, 2), std::exp(-x / 2), 1e-12);
        EXPECT_NEAR(chiSquarePValue(x, 3),
            std::erfc(std::sqrt(x / 2)) + std::sqrt(2 * x / std::numbers::pi) * std::exp(-x / 2),
            1e-12);
    }
    // Up to the sizes the fairness check uses: 74 squared and 89 squared degrees of freedom.
    for (const int dof : { 10, 88, 5476, 7922 }) {
        for (const double ratio : { 0.8, 0.97, 1.0, 1.03, 1.2 }) {
            SCOPED_TRACE(testing::Message() << dof << " degrees, statistic " << ratio * dof);
            const double expected = evenDegreesPValue(ratio * dof, dof);
            EXPECT_NEAR(chiSquarePValue(ratio * dof, dof), expected, 1e-9 + expected * 1e-9);
        }
    }
}

TEST(Fairness, TenThousandGamesOfEachSizeShowNoBias)
{
    for (const std::int16_t mode : { std::int16_t(75), std::int16_t(90) }) {
        SCOPED_TRACE(mode);
        const FairnessReport report = checkFairness(mode, 10'000, 20261207);
        EXPECT_EQ(report.positions.degreesOfFreedom, (mode - 1) * (mode - 1));
        EXPECT_GT(report.positions.pValue, 0.001);
        EXPECT_GT(report.worstPositionCorrected, 0.001) << "position " << report.worstPositionIndex;
        EXPECT_GT(report.pairRanks.pValue, 0.001);
        EXPECT_GT(report.pairRest.pValue, 0.001);
        EXPECT_GT(report.worstPairCorrected, 0.001)
            << report.worstPairFirst << " before " << report.worstPairSecond;
    }
}

// A tempting shortcut past the redraws: take the nearest uncalled number above the draw.
void nextFreeAbove(std::int16_t bingoMode, RandomSource& random, CallOrder& order)
{
    CalledNumbers called {};
    for (int k = 0; k < bingoMode; ++k) {
        int number = drawNumber(random.next(), bingoMode);
        while (called[number])
            number = number % bingoMode + 1;
        called[number] = true;
        order[k] = std::int16_t(number);
    }
}

// The shortcut looks fair at every single position, by symmetry; only the order shows it.
TEST(Fairness, CatchesADrawThatFavoursTheNumberAfterACalledOne)
{
    const FairnessReport report = checkFairness(75, 10'000, 20261207, nextFreeAbove);
    EXPECT_GT(report.positions.pValue, 0.001);
    EXPECT_LT(report.pairRest.pValue, 1e-9);
    EXPECT_LT(report.worstPairCorrected, 1e-9);
}

} // namespace
