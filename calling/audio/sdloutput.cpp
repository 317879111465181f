#include "calling/audio/sdloutput.h"

#include "calling/audio/clipreader.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace {

using Clock = SoundClock;

// How often a playing announcement looks whether its device has gone with its sound server.
constexpr std::chrono::milliseconds LostCheck { 100 };
// A device that has not asked for samples for this long, many times its buffer, has stopped.
constexpr std::chrono::seconds Silent { 1 };

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

} // namespace

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

namespace {

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

OpenOutput::OpenOutput() = default;

OpenOutput::~OpenOutput() = default;

std::unique_ptr<OpenOutput> playOut(SDL_AudioSpec format, QByteArray samples, Clock::time_point deadline)
{
    const auto duration = std::chrono::microseconds(
        samples.size() / frameSize(format) * 1'000'000 / format.freq);
    auto output = std::make_unique<OpenOutput>();
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
    // A server that took this long to open the output has a caller who gave up on it: nothing
    // may sound after the call has returned.
    if (Clock::now() >= deadline)
        return output;
    SDL_PauseAudioDevice(output->device, 0);

    // A server that goes away takes the device with it: some drivers say so, others just stop
    // asking for samples, so the wait looks now and then for either.
    const auto lost = [&] { return SDL_GetAudioDeviceStatus(output->device) == SDL_AUDIO_STOPPED; };
    playback.lastAsked = stamp();
    while (playback.lastHanded == 0 && !lost() && Clock::now() < std::min(deadline, at(playback.lastAsked) + Silent))
        playback.waitForChange(std::min(deadline, Clock::now() + LostCheck));
    if (playback.lastHanded == 0 || lost())
        return output;
    // Some drivers take the first buffers faster than they play them, and a server that fell
    // behind asks for the last buffer late: the sound ends at whichever comes later.
    const auto bufferTime = std::chrono::microseconds(std::int64_t(format.samples) * 1'000'000 / format.freq);
    const auto end = std::max(at(playback.started) + duration, at(playback.lastHanded) + bufferTime);
    std::this_thread::sleep_until(std::min(end, deadline));
    // Others go on taking samples, at the pace of their buffers, from a device that is gone.
    output->heard = !lost() && end <= deadline;
    return output;
}

bool closeOutput(std::unique_ptr<OpenOutput> output, Clock::time_point deadline)
{
    if (!output->heard) {
        SDL_CloseAudioDevice(output->device);
        return false;
    }
    const Playback& playback = *output->playback;
    const auto lost = [&] { return SDL_GetAudioDeviceStatus(output->device) == SDL_AUDIO_STOPPED; };
    while (!playback.finished && !lost() && Clock::now() < deadline)
        playback.waitForChange(std::min(deadline, Clock::now() + LostCheck));
    const bool finished = playback.finished && !lost();
    SDL_CloseAudioDevice(output->device);
    return finished;
}
