#include "bench/table.h"

#include <algorithm>
#include <cstdio>

void printTableHeading()
{
    std::printf("| measurement | median | min | max | samples | target | |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
}

void printRow(const Row& row, std::vector<double> values, double scale)
{
    if (values.empty()) {
        std::printf("| %s | no result | | | 0 | %s | |\n", row.what, row.targetText);
        return;
    }
    for (double& value : values)
        value *= scale;
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    const double judged = row.everySample ? std::max(-values.front(), values.back()) : median;
    std::printf("| %s | %.1f%s%s | %.1f | %.1f | %zu | %s | %s |\n", row.what, median, *row.unit ? " " : "",
        row.unit, values.front(), values.back(), values.size(), row.targetText,
        judged <= row.target ? "met" : "**missed**");
}
