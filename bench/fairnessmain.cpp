// Plays many games of each size through the program's draw routines and prints chi-square
// tests of the call order as a Markdown table.
// Usage: lottovox_fairness [games per size, default 1000000] [seed, default 20261207]

#include "tests/stats/fairness.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string cell(const ChiSquareTest& test)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.1f (%g dof), p = %.3f", test.statistic,
        test.degreesOfFreedom, test.pValue);
    return text;
}

// The most extreme of many tests, with its p-value multiplied by their number (Bonferroni).
std::string worst(const std::string& which, const ChiSquareTest& test, double correctedP)
{
    char text[128];
    std::snprintf(text, sizeof text, "%s: %.1f (%g dof), p = %.2g, corrected p = %.3f",
        which.c_str(), test.statistic, test.degreesOfFreedom, test.pValue, correctedP);
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    const long games = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261207;
    if (games <= 0) {
        std::fprintf(stderr, "usage: %s [games per size] [seed]\n", argv[0]);
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    const FairnessReport reports[]
        = { checkFairness(75, games, seed), checkFairness(90, games, seed) };
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%ld games of each size, seed %llu, %.1f s\n\n", games,
        static_cast<unsigned long long>(seed), seconds);
    std::printf("| test | 75-number bingo | 90-number bingo |\n|---|---|---|\n");
    const auto row = [&](const char* test, auto text) {
        std::printf("| %s | %s | %s |\n", test, text(reports[0]).c_str(), text(reports[1]).c_str());
    };
    row("each call position uniform, all positions",
        [](const FairnessReport& r) { return cell(r.positions); });
    row("worst single position (Bonferroni over positions)", [](const FairnessReport& r) {
        return worst("call " + std::to_string(r.worstPositionIndex), r.worstPosition,
            r.worstPositionCorrected);
    });
    row("pair order, part explained by average ranks",
        [](const FairnessReport& r) { return cell(r.pairRanks); });
    row("pair order, the rest", [](const FairnessReport& r) { return cell(r.pairRest); });
    row("worst single pair (Bonferroni over pairs)", [](const FairnessReport& r) {
        return worst(
            std::to_string(r.worstPairFirst) + " before " + std::to_string(r.worstPairSecond),
            r.worstPair, r.worstPairCorrected);
    });
    return 0;
}
