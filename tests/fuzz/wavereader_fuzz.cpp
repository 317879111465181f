#include "calling/audio/clipreader.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>

// Any bytes as a wave file: the reader must refuse or read them without reading past what it
// was given, and what it accepts must be a clip the player can play.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto bytes = reinterpret_cast<const char*>(data);
    const qint64 fileSize = qint64(size);
    const std::optional<Clip> clip = readClip(fileSize, [&](qint64 count) {
        // A block of exactly what was asked for, so that a read past it is a sanitizer's error.
        QByteArray start(qsizetype(std::min(count, fileSize)), Qt::Uninitialized);
        std::memcpy(start.data(), bytes, std::size_t(start.size()));
        return start;
    });
    if (clip && (clip->samples.isEmpty() || clip->samples.size() % frameSize(clip->format) != 0))
        __builtin_trap();
    return 0;
}
