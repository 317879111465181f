#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// How a measuring child talks to the parent: one "key value" line on its output for each
// sample, timestamps on monotonicMs()'s clock. Each child is this same binary started anew.
using Results = std::map<std::string, std::vector<double>>;

inline constexpr const char* ThisProgram = "/proc/self/exe";

void report(const char* key, double value);
// Reads "key value" lines until the child closes its output, or until the key `until`.
void readResults(FILE* output, Results& results, const char* until = nullptr);
// Says what went wrong on the error output and returns the exit code of a failed run.
int failed(const char* what);
