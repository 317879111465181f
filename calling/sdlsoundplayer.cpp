#include "calling/sdlsoundplayer.h"

#include "calling/clipreader.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// If the device stops asking for samples, give up this long after the sound should have ended.
constexpr std::chrono::seconds StallAllowance { 2 };
// How often a playing announcement looks whether its device has gone with its sound server.
constexpr std::chrono::milliseconds LostCheck { 100 };
// A device that has not asked for samples for this long, many times its buffer, has stopped.
constexpr std::chrono::seconds Silent { 1 };

// Longer than the longest AutoPlay period, with the repeat's allowance.
constexpr std::chrono::seconds KeepAudio { 15 };

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

// At least 40 ms per device buffer. A sound server's stream holds about one buffer, and with
// less a busy machine lets it run dry: a hole in the call. Closing waits two buffers, so more
// would only lengthen every call.
Uint16 bufferFrames(int rate)
{
    Uint16 frames = 256;
    while (frames < 8192 && frames < rate / 25)
        frames *= 2;
    return frames;
}

// A moment on the steady clock, as an atomic can hold it; zero for none yet.
using Moment = std::atomic<Clock::rep>;

Clock::rep stamp() { return Clock::now().time_since_epoch().count(); }

Clock::time_point at(const Moment& moment) { return Clock::time_point(Clock::duration(moment.load())); }

// Shared with SDL's audio thread, which calls feed() whenever the device wants a buffer. That
// thread never waits for a lock the caller could hold: on a busy machine the caller may be kept
// off the processor for tens of milliseconds, and the device would run dry meanwhile.
struct Playback {
    Playback()
        : changed(SDL_CreateSemaphore(0))
    {
    }
    ~Playback()
    {
        if (changed)
            SDL_DestroySemaphore(changed);
    }
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Waits until the audio thread posts a change, or until the given moment.
    void waitForChange(Clock::time_point until) const
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return;
        if (!changed)
            std::this_thread::sleep_until(until);
        else
            SDL_SemWaitTimeout(changed, Uint32(left.count()));
    }

    // The audio thread's own.
    QByteArray samples;
    qsizetype next = 0;
    Uint8 silence = 0;
    int silentBuffersToFinish = 1;

    Moment started { 0 };
    Moment lastHanded { 0 };
    Moment lastAsked { 0 };
    std::atomic<bool> finished { false };
    SDL_sem* changed;
};

void SDLCALL feed(void* userData, Uint8* buffer, int length)
{
    auto& playback = *static_cast<Playback*>(userData);
    const qsizetype count = std::min<qsizetype>(playback.samples.size() - playback.next, length);
    std::memcpy(buffer, playback.samples.constData() + playback.next, std::size_t(count));
    std::memset(buffer + count, playback.silence, std::size_t(length - count));
    playback.next += count;

    const Clock::rep now = stamp();
    playback.lastAsked = now;
    if (playback.started == 0)
        playback.started = now;
    if (count > 0 && playback.next == playback.samples.size()) {
        playback.lastHanded = now;
        SDL_SemPost(playback.changed);
    }
    // Asked again after the last sample: the driver has taken the final buffer.
    if (count == 0 && !playback.finished && --playback.silentBuffersToFinish == 0) {
        playback.finished = true;
        SDL_SemPost(playback.changed);
    }
}

} // namespace

// A device whose announcement has been heard, left to close off the caller's path: SDL's close
// waits for its audio thread, which sleeps two buffers before it lets go of the device.
struct HeardOutput {
    SDL_AudioDeviceID device;
    std::unique_ptr<Playback> playback;
    Clock::time_point deadline;
};

namespace {

// Plays the samples through one device and returns once the last of them has been heard, with
// the device still open; nothing if no device would open or it stalled.
std::unique_ptr<HeardOutput> playOut(SDL_AudioSpec format, QByteArray samples)
{
    const auto duration = std::chrono::microseconds(
        samples.size() / frameSize(format) * 1'000'000 / format.freq);
    auto output = std::make_unique<HeardOutput>();
    output->playback = std::make_unique<Playback>();
    Playback& playback = *output->playback;
    playback.samples = std::move(samples);
    playback.silence = Uint8(format.format == AUDIO_U8 ? 0x80 : 0);
    format.samples = bufferFrames(format.freq);
    format.callback = feed;
    format.userdata = &playback;
    // SDL's own audio thread lets the driver drain two buffers before it closes; a driver that
    // runs its own thread, as PipeWire's does, is closed at once, and its graph may stall for a
    // moment when a stream joins. Close only once it has asked for two buffers of silence, so
    // that the last samples have left it whatever time they took.
    if (const char* driver = SDL_GetCurrentAudioDriver(); driver && std::strcmp(driver, "pipewire") == 0)
        playback.silentBuffersToFinish = 3;
    output->device = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
    if (output->device == 0)
        return nullptr;
    output->deadline = Clock::now() + duration + StallAllowance;
    SDL_PauseAudioDevice(output->device, 0);

    // A server that goes away takes the device with it: some drivers say so, others just stop
    // asking for samples, so the wait looks now and then for either.
    const auto lost = [&] { return SDL_GetAudioDeviceStatus(output->device) == SDL_AUDIO_STOPPED; };
    playback.lastAsked = stamp();
    while (playback.lastHanded == 0 && !lost() && Clock::now() < std::min(output->deadline, at(playback.lastAsked) + Silent))
        playback.waitForChange(std::min(output->deadline, Clock::now() + LostCheck));
    if (playback.lastHanded == 0 || lost()) {
        SDL_CloseAudioDevice(output->device);
        return nullptr;
    }
    // Some drivers take the first buffers faster than they play them, and a server that fell
    // behind asks for the last buffer late: the sound ends at whichever comes later.
    const auto bufferTime = std::chrono::microseconds(std::int64_t(format.samples) * 1'000'000 / format.freq);
    const auto end = std::max(at(playback.started) + duration, at(playback.lastHanded) + bufferTime);
    std::this_thread::sleep_until(end);
    // Others go on taking samples, at the pace of their buffers, from a device that is gone.
    if (lost()) {
        SDL_CloseAudioDevice(output->device);
        return nullptr;
    }
    return output;
}

} // namespace

// Called with m_mutex held, so that the next announcement and the idle stop wait for it.
void SdlSoundPlayer::closeOutput()
{
    if (!m_closing)
        return;
    const Playback& playback = *m_closing->playback;
    while (!playback.finished && Clock::now() < m_closing->deadline)
        playback.waitForChange(m_closing->deadline);
    SDL_CloseAudioDevice(m_closing->device);
    m_closing.reset();
}

SdlSoundPlayer::SdlSoundPlayer() = default;

SdlSoundPlayer::~SdlSoundPlayer()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    if (m_stopper.joinable())
        m_stopper.join();
    stopAudio();
}

bool SdlSoundPlayer::playSync(const QString& path) { return play({ path }) == 1; }

void SdlSoundPlayer::playSequence(const QStringList& paths) { play(paths); }

int SdlSoundPlayer::play(const QStringList& paths)
{
    std::vector<Clip> clips;
    for (const QString& path : paths) {
        if (std::optional<Clip> clip = loadClip(path))
            clips.push_back(std::move(*clip));
    }
    if (clips.empty())
        return 0;

    const SDL_AudioSpec format = outputFormat(clips);
    QByteArray samples;
    int count = 0;
    for (const Clip& clip : clips) {
        if (const std::optional<QByteArray> part = converted(clip, format)) {
            samples += *part;
            ++count;
        }
    }
    if (count == 0)
        return 0;

    const std::lock_guard lock(m_mutex);
    closeOutput();
    if (!ensureAudio())
        return 0;
    m_closing = playOut(format, std::move(samples));
    if (!m_closing) {
        // No output, or it went with its server: SDL's audio starts afresh for the next
        // announcement, so that it finds a server that has started or come back since, and
        // whichever output is the default by then.
        stopAudio();
        return 0;
    }
    m_stopAt = Clock::now() + KeepAudio;
    m_wake.notify_one();
    return count;
}

// Tried again on every announcement until it works: starting fails in a few milliseconds when
// no server is running, and a host may start one in the middle of a game.
bool SdlSoundPlayer::ensureAudio()
{
    if (!m_audioRunning) {
        // Left to itself SDL turns SIGINT and SIGTERM into events nobody reads, and the
        // program could no longer be stopped from outside.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Lottovox");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Call");
        m_audioRunning = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (m_audioRunning && !m_stopper.joinable())
            m_stopper = std::thread([this] { stopAudioWhenIdle(); });
    }
    return m_audioRunning;
}

// Called with m_mutex held, or once the stopper has ended, and no output open.
void SdlSoundPlayer::stopAudio()
{
    if (m_audioRunning)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_audioRunning = false;
}

// Closes each announcement's device once it has been heard, and stops SDL's audio when no
// announcement has come for a while. Sleeps without a timeout while SDL's audio is stopped, so an
// idle program never wakes.
void SdlSoundPlayer::stopAudioWhenIdle()
{
    std::unique_lock lock(m_mutex);
    while (!m_ending || m_closing) {
        if (m_closing) {
            closeOutput();
            continue;
        }
        if (!m_audioRunning) {
            m_wake.wait(lock);
            continue;
        }
        const auto stopAt = m_stopAt;
        m_wake.wait_until(lock, stopAt);
        if (!m_ending && !m_closing && Clock::now() >= m_stopAt)
            stopAudio();
    }
}
