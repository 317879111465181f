#include "calling/sdlsoundplayer.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Calls are short spoken clips: a bigger file is not one of ours and is never read whole.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// If the device stops asking for samples, give up this long after the clip should have ended.
constexpr std::chrono::seconds StallAllowance { 2 };

QByteArray readSmallFile(const QString& path)
{
    const QFileInfo info(path);
    // Regular files only: opening a FIFO would block until someone writes to it.
    if (!info.isFile() || info.size() <= 0 || info.size() > MaxFileSize)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(info.size());
}

// SDL 2.26 allocates whatever size the data chunk declares before reading it, so a 200-byte
// file can make it ask for 4 GiB. Accept only files whose chunks, up to and including the
// samples, lie inside the file.
bool hasSoundChunks(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.sliced(8, 4) != "WAVE")
        return false;
    bool hasFormat = false;
    for (qint64 offset = 12; offset + 8 <= bytes.size();) {
        const char* header = bytes.constData() + offset;
        const qint64 size = qFromLittleEndian<quint32>(header + 4);
        if (offset + 8 + size > bytes.size())
            return false;
        if (std::memcmp(header, "fmt ", 4) == 0)
            hasFormat = true;
        else if (std::memcmp(header, "data", 4) == 0)
            return hasFormat;
        offset += 8 + size + (size & 1); // chunks are padded to an even length
    }
    return false;
}

// About 10-20 ms per device buffer. SDL_LoadWAV proposes 4096 samples, which delays both the
// first sound and the return by most of a tenth of a second; closing waits two buffers too.
Uint16 bufferFrames(int rate)
{
    Uint16 frames = 64;
    while (frames < 4096 && frames * 2 <= rate / 50)
        frames *= 2;
    return frames;
}

struct WaveFree {
    void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};

// Shared with SDL's audio thread, which calls feed() whenever the device wants a buffer.
struct Playback {
    const Uint8* next;
    Uint32 remaining;
    Uint8 silence;
    std::mutex mutex {};
    std::condition_variable drained {};
    std::optional<Clock::time_point> started {};
    bool finished = false;
};

void SDLCALL feed(void* userData, Uint8* buffer, int length)
{
    auto& playback = *static_cast<Playback*>(userData);
    const Uint32 count = std::min(playback.remaining, static_cast<Uint32>(length));
    std::memcpy(buffer, playback.next, count);
    std::memset(buffer + count, playback.silence, static_cast<std::size_t>(length) - count);
    playback.next += count;
    playback.remaining -= count;

    const std::lock_guard lock(playback.mutex);
    if (!playback.started)
        playback.started = Clock::now();
    // Asked again after the last sample: the driver has taken the final buffer.
    if (count == 0 && !playback.finished) {
        playback.finished = true;
        playback.drained.notify_one();
    }
}

} // namespace

SdlSoundPlayer::~SdlSoundPlayer()
{
    if (m_audio == Audio::Ready)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::playSync(const QString& path)
{
    const QByteArray bytes = readSmallFile(path);
    if (!hasSoundChunks(bytes) || !ensureAudio())
        return false;

    SDL_AudioSpec spec {};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
    if (!SDL_LoadWAV_RW(source, 1, &spec, &raw, &length))
        return false;
    const std::unique_ptr<Uint8, WaveFree> samples(raw);
    const Uint32 frameSize = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    if (frameSize == 0 || length < frameSize)
        return false;
    const auto duration
        = std::chrono::microseconds(qint64(length / frameSize) * 1'000'000 / spec.freq);

    Playback playback { samples.get(), length, Uint8(spec.format == AUDIO_U8 ? 0x80 : 0) };
    spec.samples = bufferFrames(spec.freq);
    spec.callback = feed;
    spec.userdata = &playback;
    // A device for each clip rather than one kept open: an open device, even paused, keeps SDL's
    // audio thread waking the CPU every buffer, while opening one takes under a millisecond (with
    // the disk and dummy drivers). Closing waits for the driver to drain its last buffers, so
    // on return the clip has been heard.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
    if (device == 0)
        return false;
    const auto deadline = Clock::now() + duration + StallAllowance;
    SDL_PauseAudioDevice(device, 0);

    std::unique_lock lock(playback.mutex);
    const bool finished
        = playback.drained.wait_until(lock, deadline, [&] { return playback.finished; });
    const auto end = finished ? *playback.started + duration : Clock::now();
    lock.unlock();
    // Some drivers take the first buffers faster than they play them.
    std::this_thread::sleep_until(end);
    SDL_CloseAudioDevice(device);
    return finished;
}

// Probing the drivers again on every call would repeat the cost of failing, so a failure is final.
bool SdlSoundPlayer::ensureAudio()
{
    if (m_audio == Audio::Untried) {
        // Left to itself SDL turns SIGINT and SIGTERM into events nobody reads, and the
        // program could no longer be stopped from outside.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        m_audio = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 ? Audio::Ready : Audio::Unavailable;
    }
    return m_audio == Audio::Ready;
}
