#pragma once

#include <cstdint>
#include <functional>
#include <random>

// The program's one pseudo-random generator: single-precision values in [0, 1).
class RandomSource {
public:
    using Seeder = std::function<std::uint64_t()>;

    // The default seeder mixes the clock with the system's entropy source, so two
    // programs started in the same second still draw different sequences.
    explicit RandomSource(Seeder seeder = clockSeed);

    void randomize();
    float next();

    static std::uint64_t clockSeed();

private:
    Seeder m_seeder;
    std::mt19937 m_engine;
};
