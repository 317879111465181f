#include "bench/announcementmatch.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace {

constexpr int Loud = 200;     // about -44 dBFS
constexpr int Rounding = 4;   // a server converting through floating point may be off by a step
constexpr int Search = 4;     // samples either side of where the first sound says a file starts

struct Samples {
    const char* data;
    qsizetype count;
    int operator[](qsizetype i) const { return qFromLittleEndian<qint16>(data + 2 * i); }
};

Samples samplesOf(const QByteArray& bytes) { return { bytes.constData(), bytes.size() / 2 }; }

qsizetype firstLoud(Samples s, qsizetype from)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < s.count; ++i) {
        if (std::abs(s[i]) > Loud)
            return i;
    }
    return -1;
}

qsizetype lastLoud(Samples s)
{
    for (qsizetype i = s.count - 1; i >= 0; --i) {
        if (std::abs(s[i]) > Loud)
            return i;
    }
    return -1;
}

int worstDifference(Samples recording, qsizetype at, Samples file)
{
    if (at < 0 || at + file.count > recording.count)
        return std::numeric_limits<int>::max();
    int worst = 0;
    for (qsizetype i = 0; i < file.count; ++i)
        worst = std::max(worst, std::abs(recording[at + i] - file[i]));
    return worst;
}

// Where the file fits best around a guess, and whether it is whole there.
std::pair<qsizetype, bool> place(Samples recording, qsizetype guess, Samples file)
{
    qsizetype best = guess;
    int bestDifference = std::numeric_limits<int>::max();
    for (qsizetype at = guess - Search; at <= guess + Search; ++at) {
        const int difference = worstDifference(recording, at, file);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = at;
        }
    }
    return { best, bestDifference <= Rounding };
}

} // namespace

std::vector<HeardAnnouncement> matchAnnouncements(
    const QByteArray& recording, int rate, const std::vector<ExpectedAnnouncement>& expected)
{
    const Samples heard = samplesOf(recording);
    const qsizetype quiet = rate * 4 / 10;
    std::vector<HeardAnnouncement> found;
    qsizetype from = 0;
    for (const ExpectedAnnouncement& announcement : expected) {
        const qsizetype start = firstLoud(heard, from);
        if (start < 0)
            break;
        const Samples letter = samplesOf(announcement.letter);
        const Samples number = samplesOf(announcement.number);
        // It ends before a quiet stretch.
        qsizetype last = start;
        for (qsizetype i = start; i < heard.count && i - last < quiet; ++i) {
            if (std::abs(heard[i]) > Loud)
                last = i;
        }
        from = last + quiet;

        // The letter placed by its first sound, the number by its last.
        HeardAnnouncement result;
        result.soundAt = start;
        std::tie(result.letterAt, result.letterWhole)
            = place(heard, start - std::max<qsizetype>(firstLoud(letter, 0), 0), letter);
        qsizetype numberAt = 0;
        std::tie(numberAt, result.numberWhole) = place(heard, last - lastLoud(number), number);
        result.numberEnd = numberAt + number.count;
        result.addedSilenceMs = double(numberAt - (result.letterAt + letter.count)) * 1000 / rate;
        found.push_back(result);
    }
    return found;
}
