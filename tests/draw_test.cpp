#include "game/draw.h"
#include "game/randomsource.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr float LargestBelowOne = 1.0f - 1.0f / 16777216.0f;

TEST(Draw, StaysWithinOneToTheGameSizeAtBothEndsOfTheGeneratorRange)
{
    for (const std::int16_t mode : { std::int16_t(75), std::int16_t(90) }) {
        EXPECT_EQ(drawNumber(0.0f, mode), 1);
        EXPECT_EQ(drawNumber(LargestBelowOne, mode), mode);
        EXPECT_EQ(drawNumber(std::nextafter(1.0f / 75.0f, 0.0f), 75), 1);
        EXPECT_EQ(drawNumber(1.0f / 75.0f, 75), 2);
    }
}

TEST(Draw, EachValueOfTheGeneratorMapsOntoOneNumberEvenly)
{
    RandomSource random([] { return std::uint64_t { 42 }; });
    random.randomize();
    constexpr int Draws = 90 * 2000;
    std::array<int, 91> counts {};
    for (int i = 0; i < Draws; ++i)
        ++counts[drawNumber(random.next(), 90)];
    EXPECT_EQ(counts[0], 0);
    double chiSquare = 0;
    constexpr double expected = Draws / 90.0;
    for (int n = 1; n <= 90; ++n)
        chiSquare += (counts[n] - expected) * (counts[n] - expected) / expected;
    // 89 degrees of freedom: above 135 would happen by chance less than once in a thousand.
    EXPECT_LT(chiSquare, 135.0);
}

TEST(Draw, LetterIsTheHeadingOfTheNumbersColumn)
{
    const struct {
        std::int16_t number;
        char letter;
    } cases[] = { { 1, 'B' }, { 15, 'B' }, { 16, 'I' }, { 30, 'I' }, { 31, 'N' }, { 45, 'N' }, { 46, 'G' },
        { 60, 'G' }, { 61, 'O' }, { 75, 'O' } };
    for (const auto& c : cases)
        EXPECT_EQ(letterOf(c.number), QChar(c.letter)) << c.number;
}

TEST(Draw, RequestCountStopsAtTheSixteenBitLimitInsteadOfWrapping)
{
    constexpr auto limit = std::numeric_limits<std::int16_t>::max();
    EXPECT_EQ(nextCallCount(0), 1);
    EXPECT_EQ(nextCallCount(91), 92);
    EXPECT_EQ(nextCallCount(limit - 1), limit);
    EXPECT_EQ(nextCallCount(limit), limit);
}

TEST(RandomSource, SameSeedSameSequenceOtherSeedOtherSequence)
{
    auto firstDraws = [](std::uint64_t seed) {
        RandomSource random([seed] { return seed; });
        random.randomize();
        std::array<float, 8> values {};
        for (float& value : values) {
            value = random.next();
            EXPECT_GE(value, 0.0f);
            EXPECT_LT(value, 1.0f);
        }
        return values;
    };
    EXPECT_EQ(firstDraws(7), firstDraws(7));
    EXPECT_NE(firstDraws(7), firstDraws(8));
    // Seeds that differ only in their high half, as two clocks a few seconds apart may.
    EXPECT_NE(firstDraws(1), firstDraws(1 + (std::uint64_t { 1 } << 32)));
}

} // namespace
