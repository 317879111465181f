#pragma once

// Each announcement goes through an output of its own, opened, played and closed on the
// thread that runs SDL's audio.

#include <QByteArray>

#include <SDL.h>

#include <chrono>
#include <memory>

using SoundClock = std::chrono::steady_clock;

struct Playback;

// An output whose announcement has been heard, left open for the driver to finish with it:
// SDL's close waits for its audio thread, which sleeps two buffers before it lets go of the
// device, so the output is closed off the caller's path.
struct HeardOutput {
    HeardOutput();
    ~HeardOutput();
    HeardOutput(const HeardOutput&) = delete;
    HeardOutput& operator=(const HeardOutput&) = delete;

    SDL_AudioDeviceID device = 0;
    std::unique_ptr<Playback> playback;
};

// Plays the samples through a new output and returns once the last of them has been heard,
// with the output still open; nothing if no output would open, it stalled or went with its
// server, or the deadline came first.
std::unique_ptr<HeardOutput> playOut(SDL_AudioSpec format, QByteArray samples, SoundClock::time_point deadline);

// Closes the output once the driver has let go of its last samples, or at the deadline. False
// when the output went with its server or never let go: SDL's audio is not to be trusted then.
bool closeOutput(std::unique_ptr<HeardOutput> output, SoundClock::time_point deadline);
