#include "tests/stats/fairness.h"

#include "game/randomsource.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double Epsilon = 1e-15;
constexpr double Tiny = std::numeric_limits<double>::min() / Epsilon;
constexpr int MaxTerms = 1'000'000;

// exp(-x) x^a / Gamma(a), the factor both expansions share.
double gammaFactor(double a, double x) { return std::exp(-x + a * std::log(x) - std::lgamma(a)); }

// P(a, x) by its power series, which converges quickly for x < a + 1.
double lowerBySeries(double a, double x)
{
    double term = 1 / a;
    double sum = term;
    for (int n = 1; n < MaxTerms && std::abs(term) > std::abs(sum) * Epsilon; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * gammaFactor(a, x);
}

// Q(a, x) by its continued fraction (modified Lentz), for x >= a + 1.
double upperByFraction(double a, double x)
{
    double b = x + 1 - a;
    double c = 1 / Tiny;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i < MaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::abs(d) < Tiny)
            d = Tiny;
        c = b + an / c;
        if (std::abs(c) < Tiny)
            c = Tiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < Epsilon)
            break;
    }
    return gammaFactor(a, x) * h;
}

ChiSquareTest chiSquare(double statistic, double degreesOfFreedom)
{
    return { statistic, degreesOfFreedom, chiSquarePValue(statistic, degreesOfFreedom) };
}

} // namespace

double chiSquarePValue(double statistic, double degreesOfFreedom)
{
    if (statistic <= 0)
        return 1;
    const double a = degreesOfFreedom / 2;
    const double x = statistic / 2;
    return x < a + 1 ? 1 - lowerBySeries(a, x) : upperByFraction(a, x);
}

void drawWholeGame(std::int16_t bingoMode, RandomSource& random, CallOrder& order)
{
    CalledNumbers called {};
    std::int16_t number = drawNumber(random.next(), bingoMode);
    called[number] = true;
    order[0] = number;
    for (int k = 1; k < bingoMode; ++k) {
        number = drawUncalled(called, number, bingoMode, random);
        order[k] = number;
    }
}

FairnessReport checkFairness(
    std::int16_t bingoMode, long games, std::uint64_t seed, const GameDraw& draw)
{
    const int n = bingoMode;
    RandomSource random([seed] { return seed; });
    random.randomize();

    // atPosition[k * n + number - 1]: games whose k-th call (from 0) was that number.
    std::vector<long> atPosition(std::size_t(n) * n);
    // before[a * n + b], a < b (from 0): games in which a was called before b.
    std::vector<std::uint32_t> before(std::size_t(n) * n);
    CallOrder order {};
    std::array<std::uint8_t, MaxNumber> position {};
    for (long game = 0; game < games; ++game) {
        draw(bingoMode, random, order);
        for (int k = 0; k < n; ++k) {
            ++atPosition[std::size_t(k) * n + order[k] - 1];
            position[order[k] - 1] = std::uint8_t(k);
        }
        for (int a = 0; a < n; ++a) {
            std::uint32_t* row = &before[std::size_t(a) * n];
            const std::uint8_t first = position[a];
            for (int b = a + 1; b < n; ++b)
                row[b] += first < position[b] ? 1 : 0;
        }
    }

    FairnessReport report;
    report.bingoMode = bingoMode;
    report.games = games;

    const double expected = double(games) / n;
    double total = 0;
    report.worstPosition.pValue = 2;
    for (int k = 0; k < n; ++k) {
        double statistic = 0;
        for (int number = 0; number < n; ++number) {
            const double deviation = double(atPosition[std::size_t(k) * n + number]) - expected;
            statistic += deviation * deviation / expected;
        }
        total += statistic;
        const ChiSquareTest test = chiSquare(statistic, n - 1);
        if (test.pValue < report.worstPosition.pValue) {
            report.worstPosition = test;
            report.worstPositionIndex = k + 1;
        }
    }
    // Each game adds a permutation to the table, so every row and column sums to the number
    // of games and the cells are not independent: the plain sum is n / (n - 1) times a
    // chi-square variable with (n - 1) squared degrees of freedom.
    report.positions = chiSquare(total * (n - 1) / n, double(n - 1) * (n - 1));
    report.worstPositionCorrected = std::min(1.0, report.worstPosition.pValue * n);

    const double pairs = n * (n - 1) / 2.0;
    const double root = std::sqrt(double(games));
    std::vector<double> rankScore(n);
    double sum = 0;
    report.worstPair.pValue = 2;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            const double standardized
                = (2.0 * before[std::size_t(a) * n + b] - double(games)) / root;
            sum += standardized * standardized;
            rankScore[a] += standardized;
            rankScore[b] -= standardized;
            const double p = chiSquarePValue(standardized * standardized, 1);
            if (p < report.worstPair.pValue) {
                report.worstPair = { standardized * standardized, 1, p };
                report.worstPairFirst = a + 1;
                report.worstPairSecond = b + 1;
            }
        }
    }
    double ranks = 0;
    for (const double score : rankScore)
        ranks += score * score;
    ranks /= n;
    report.pairRanks = chiSquare(ranks * 3 / (n + 1), n - 1);
    report.pairRest = chiSquare((sum - ranks) * 3, pairs - (n - 1));
    report.worstPairCorrected = std::min(1.0, report.worstPair.pValue * pairs);
    return report;
}
