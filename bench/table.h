#pragma once

#include <vector>

// One row of the results table. A row is met when its median is within the target; a timer's
// row only when every sample is.
struct Row {
    const char* what;
    const char* unit;
    double target;
    const char* targetText;
    bool everySample = false;
};

void printTableHeading();
void printRow(const Row& row, std::vector<double> values, double scale = 1);
