#include "calling/audio/sdlsoundplayer.h"

#include "calling/audio/clipreader.h"
#include "calling/audio/soundthread.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// One format that loses nothing of any clip: the highest rate, the most channels, the widest
// sample type.
SDL_AudioSpec outputFormat(const std::vector<Clip>& clips)
{
    const auto width = [](SDL_AudioFormat format) {
        return SDL_AUDIO_BITSIZE(format) * 2 + (SDL_AUDIO_ISFLOAT(format) ? 1 : 0);
    };
    SDL_AudioSpec output = clips.front().format;
    for (const Clip& clip : clips) {
        output.freq = std::max(output.freq, clip.format.freq);
        output.channels = std::max(output.channels, clip.format.channels);
        if (width(clip.format.format) > width(output.format))
            output.format = clip.format.format;
    }
    return output;
}

std::optional<QByteArray> converted(const Clip& clip, const SDL_AudioSpec& output)
{
    SDL_AudioCVT conversion;
    if (SDL_BuildAudioCVT(&conversion, clip.format.format, clip.format.channels, clip.format.freq,
            output.format, output.channels, output.freq)
        < 0)
        return std::nullopt;
    if (!conversion.needed)
        return clip.samples;
    QByteArray samples(clip.samples.size() * conversion.len_mult, Qt::Uninitialized);
    std::memcpy(samples.data(), clip.samples.constData(), std::size_t(clip.samples.size()));
    conversion.buf = reinterpret_cast<Uint8*>(samples.data());
    conversion.len = int(clip.samples.size());
    if (SDL_ConvertAudio(&conversion) != 0)
        return std::nullopt;
    samples.truncate(conversion.len_cvt / frameSize(output) * frameSize(output));
    if (samples.isEmpty())
        return std::nullopt;
    return samples;
}

// The files' samples back to back in one format; run on the sound thread, since SDL reads and
// converts them.
std::optional<PreparedSound> prepared(const QStringList& paths)
{
    std::vector<Clip> clips;
    for (const QString& path : paths) {
        if (std::optional<Clip> clip = loadClip(path))
            clips.push_back(std::move(*clip));
    }
    if (clips.empty())
        return std::nullopt;

    PreparedSound sound { outputFormat(clips), {}, 0 };
    for (const Clip& clip : clips) {
        if (const std::optional<QByteArray> part = converted(clip, sound.format)) {
            sound.samples += *part;
            ++sound.files;
        }
    }
    if (sound.files == 0)
        return std::nullopt;
    return sound;
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer()
    : m_sound(std::make_unique<SoundThread>())
{
}

SdlSoundPlayer::~SdlSoundPlayer() = default;

bool SdlSoundPlayer::playSync(const QString& path) { return play({ path }) == 1; }

void SdlSoundPlayer::playSequence(const QStringList& paths) { play(paths); }

int SdlSoundPlayer::play(const QStringList& paths)
{
    // A call that cannot even be handed over (no memory left) is not heard; the program goes on.
    try {
        return m_sound->play([paths] { return prepared(paths); });
    } catch (...) {
        return 0;
    }
}
