#include "bench/protocol.h"

#include <cstring>

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

void readResults(FILE* output, Results& results, const char* until)
{
    char line[256];
    while (output && std::fgets(line, sizeof line, output)) {
        char key[64];
        double value = 0;
        if (std::sscanf(line, "%63s %lf", key, &value) != 2)
            continue;
        results[key].push_back(value);
        if (until && std::strcmp(key, until) == 0)
            return;
    }
}

int failed(const char* what)
{
    std::fprintf(stderr, "lottovox_bench: %s\n", what);
    return 1;
}
