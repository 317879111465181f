#pragma once

#include "calling/audio/sdloutput.h"

#include <functional>
#include <memory>
#include <optional>
#include <thread>

// An announcement ready to play: its files' samples in one format, and how many files they hold.
struct PreparedSound {
    SDL_AudioSpec format;
    QByteArray samples;
    int files = 0;
};

// SDL, from reading a wave file to stopping its audio, on one long-lived thread of its own: some
// drivers set things up per thread (COM on Windows), SDL keeps its error message per thread and
// frees it only for threads of its own, and a sound server that hangs holds only this thread.
// A caller hands it an announcement and waits for it until a deadline, not longer, through the
// wait it has in place (answerwait.h).
//
// SDL's sound-server drivers connect to the server, and start a thread, as soon as SDL's audio
// starts. Starting it for every announcement would double the connections and add that start to
// every call, so it runs from an announcement until a quarter of a minute has passed without
// one: AutoPlay and a host's steady calling share one, and an idle program holds none.
class SoundThread {
public:
    // Made on the sound thread; nothing when none of the files can be played.
    using Prepare = std::function<std::optional<PreparedSound>()>;

    SoundThread();
    // Ends the thread; one stuck in SDL is left behind, never waited for.
    ~SoundThread();
    SoundThread(const SoundThread&) = delete;
    SoundThread& operator=(const SoundThread&) = delete;

    // How many files were heard to the end, by a deadline of the sound's length and a margin
    // from now: none if it was not. Passed over at once while the thread is still stuck in SDL
    // with an announcement given up on, or closing an output that stalled or went with its
    // server, so that a hung server costs one call's wait, and no two announcements ever overlap.
    // Whatever prepare throws ends the call unheard.
    int play(Prepare prepare);

private:
    struct State;
    static void run(const std::shared_ptr<State>& state);

    // Shared with the thread, which outlives the player when it is stuck.
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
