#pragma once

// Each announcement goes through an output of its own, opened, played and closed on the
// thread that runs SDL's audio.

#include <QByteArray>

#include <SDL.h>

#include <chrono>
#include <memory>

using SoundClock = std::chrono::steady_clock;

struct Playback;

// An output opened for an announcement, left open once the call has its answer: SDL's close waits
// for its audio thread, which sleeps two buffers before it lets go of the device, or, when the
// driver has stalled, as long as the driver holds it; so the output is closed off the caller's
// path.
struct OpenOutput {
    OpenOutput();
    ~OpenOutput();
    OpenOutput(const OpenOutput&) = delete;
    OpenOutput& operator=(const OpenOutput&) = delete;

    SDL_AudioDeviceID device = 0;
    std::unique_ptr<Playback> playback;
    // The last sample was heard by the deadline.
    bool heard = false;
};

// Plays the samples through a new output and returns once the last of them has been heard, or
// the output stalled or went with its server, or the deadline came first: the output still open,
// heard or not. Nothing if no output would open.
std::unique_ptr<OpenOutput> playOut(SDL_AudioSpec format, QByteArray samples, SoundClock::time_point deadline);

// Closes the output: one heard once the driver has let go of its last samples, or at the
// deadline. False when it was not heard, went with its server or never let go: SDL's audio is
// not to be trusted then.
bool closeOutput(std::unique_ptr<OpenOutput> output, SoundClock::time_point deadline);
