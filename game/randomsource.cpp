#include "game/randomsource.h"

#include <chrono>
#include <utility>

RandomSource::RandomSource(Seeder seeder)
    : m_seeder(std::move(seeder))
{
}

void RandomSource::randomize()
{
    const std::uint64_t seed = m_seeder();
    std::seed_seq sequence { static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32) };
    m_engine.seed(sequence);
}

float RandomSource::next()
{
    // The top 24 bits fill a float's mantissa exactly, so the result is uniform and never 1.
    constexpr float scale = 1.0f / 16777216.0f;
    return static_cast<float>(m_engine() >> 8) * scale;
}

std::uint64_t RandomSource::clockSeed()
{
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count());
    std::random_device entropy;
    const std::uint64_t noise = (static_cast<std::uint64_t>(entropy()) << 32) | entropy();
    return ticks ^ noise;
}
