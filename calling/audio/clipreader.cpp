#include "calling/audio/clipreader.h"

#include "calling/audio/soundfile.h"
#include "calling/audio/wavefile.h"

#include <algorithm>
#include <memory>

namespace {

// A call is a spoken word or two. Outside these bounds a file is not one of ours, and a rate
// of a few hertz would stretch a few bytes into minutes.
constexpr int MinRate = 8000;
constexpr int MaxRate = 192000;
constexpr int MaxClipSeconds = 10;
// Ten seconds at the highest rate in 32-bit stereo: no more of a file is read.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
// Enough for the chunks before the samples in most files.
constexpr qint64 FirstRead = 64 * 1024;

struct WaveFree {
    void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};

} // namespace

int frameSize(const SDL_AudioSpec& format) { return SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels; }

std::optional<Clip> readClip(qint64 fileSize, const std::function<QByteArray(qint64 count)>& readStart)
{
    TidyWave tidy { {}, FirstRead };
    // Each pass reads further, but never past what a clip of ours can need.
    while (tidy.needed > 0 && tidy.needed <= MaxFileBytes) {
        const QByteArray start = readStart(tidy.needed);
        if (start.size() < std::min(tidy.needed, fileSize))
            return std::nullopt; // shrunk, or unreadable
        tidy = tidyWave(start, fileSize);
    }
    const QByteArray& wave = tidy.wave;
    if (wave.isEmpty())
        return std::nullopt;

    Clip clip {};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(wave.constData(), int(wave.size()));
    if (!SDL_LoadWAV_RW(source, 1, &clip.format, &raw, &length))
        return std::nullopt;
    const std::unique_ptr<Uint8, WaveFree> samples(raw);
    const int frame = frameSize(clip.format);
    if (frame == 0 || clip.format.freq < MinRate || clip.format.freq > MaxRate)
        return std::nullopt;
    const qint64 frames = length / frame;
    if (frames == 0 || frames > qint64(clip.format.freq) * MaxClipSeconds)
        return std::nullopt;
    clip.samples = QByteArray(reinterpret_cast<const char*>(raw), frames * frame);
    return clip;
}

std::optional<Clip> loadClip(const QString& path)
{
    const SoundFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return readClip(file.size(), [&file](qint64 count) { return file.readStart(count); });
}
