#include "game/draw.h"

#include "game/randomsource.h"

#include <cassert>
#include <cmath>
#include <limits>

std::int16_t drawNumber(float r, std::int16_t bingoMode)
{
    assert(r >= 0.0f && r < 1.0f);
    const double b = static_cast<float>(bingoMode);
    return static_cast<std::int16_t>(std::floor(b * static_cast<double>(r) + 1.0));
}

std::int16_t drawUncalled(CalledNumbers& called, std::int16_t previous, std::int16_t bingoMode, RandomSource& random)
{
    std::int16_t number = previous;
    while (called[number])
        number = drawNumber(random.next(), bingoMode);
    called[number] = true;
    return number;
}

QChar letterOf(std::int16_t number)
{
    assert(number >= 1 && number <= 5 * NumbersPerLetter);
    static constexpr char letters[] = "BINGO";
    return QChar::fromLatin1(letters[(number - 1) / NumbersPerLetter]);
}

std::int16_t nextCallCount(std::int16_t callCount)
{
    if (callCount == std::numeric_limits<std::int16_t>::max())
        return callCount;
    return static_cast<std::int16_t>(callCount + 1);
}
