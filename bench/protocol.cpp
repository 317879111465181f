#include "bench/protocol.h"

#include <chrono>
#include <cstdio>

double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

int failed(const char* what)
{
    std::fprintf(stderr, "lottovox_bench: %s\n", what);
    return 1;
}
