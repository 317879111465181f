#pragma once

#include "calling/audio/sdloutput.h"

#include <memory>
#include <thread>

// SDL's audio, started, played through and stopped on one long-lived thread of its own: some
// drivers set things up per thread (COM on Windows), and a sound server that hangs holds only
// this thread. A caller hands it an announcement and waits for it until a deadline, not longer.
//
// SDL's sound-server drivers connect to the server, and start a thread, as soon as SDL's audio
// starts. Starting it for every announcement would double the connections and add that start to
// every call, so it runs from an announcement until a quarter of a minute has passed without
// one: AutoPlay and a host's steady calling share one, and an idle program holds none.
class SoundThread {
public:
    SoundThread();
    // Ends the thread; one stuck in SDL is left behind, never waited for.
    ~SoundThread();
    SoundThread(const SoundThread&) = delete;
    SoundThread& operator=(const SoundThread&) = delete;

    // Whether the samples were heard to the end by the deadline. Passed over at once while the
    // thread is still stuck in SDL with an announcement given up on, so that a hung server costs
    // one call's wait, and no two announcements ever overlap.
    bool play(const SDL_AudioSpec& format, QByteArray samples, SoundClock::time_point deadline);

private:
    struct State;
    static void run(const std::shared_ptr<State>& state);

    // Shared with the thread, which outlives the player when it is stuck.
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
