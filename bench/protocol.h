#pragma once

#include <map>
#include <string>
#include <vector>

// How a measuring child talks to the parent: one "key value" line on its output for each
// sample, timestamps on the monotonic clock that every process on the machine shares.
using Results = std::map<std::string, std::vector<double>>;

double nowMs();
void report(const char* key, double value);
// Says what went wrong on the error output and returns the exit code of a failed run.
int failed(const char* what);
