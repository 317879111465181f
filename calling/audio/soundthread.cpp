#include "calling/audio/soundthread.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

namespace {

using Clock = SoundClock;

// Longer than the longest AutoPlay period, with the repeat's allowance.
constexpr std::chrono::seconds KeepAudio { 15 };
// How long an ending player lets its thread close the last output and stop SDL's audio.
constexpr std::chrono::seconds EndAllowance { 2 };

struct Announcement {
    SDL_AudioSpec format;
    QByteArray samples;
    Clock::time_point deadline;
    std::optional<bool> heard;
    bool givenUp = false;
};

// SDL's audio as the thread holds it.
class Audio {
public:
    // Tried again on every announcement until it works: starting fails in a few milliseconds
    // when no server is running, and a host may start one in the middle of a game.
    bool start()
    {
        if (!m_running) {
            // Left to itself SDL turns SIGINT and SIGTERM into events nobody reads, and the
            // program could no longer be stopped from outside.
            SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
            SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Lottovox");
            SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Call");
            m_running = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        }
        return m_running;
    }
    void stop()
    {
        if (m_running)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_running = false;
    }
    bool running() const { return m_running; }

private:
    bool m_running = false;
};

} // namespace

struct SoundThread::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable answered;
    std::shared_ptr<Announcement> next;
    // The thread is in SDL: starting or stopping its audio, playing or closing an output.
    bool inSdl = false;
    // ... and a caller has given up waiting for it.
    bool stuck = false;
    bool ending = false;
    bool ended = false;
};

SoundThread::SoundThread()
    : m_state(std::make_shared<State>())
    , m_thread([state = m_state] { run(state); })
{
}

SoundThread::~SoundThread()
{
    State& state = *m_state;
    std::unique_lock lock(state.mutex);
    state.ending = true;
    state.wake.notify_one();
    if (!state.stuck)
        state.answered.wait_for(lock, EndAllowance, [&] { return state.ended; });
    const bool ended = state.ended;
    lock.unlock();
    // Joining a thread stuck in a hung server's driver would hang the program's exit with it.
    if (ended)
        m_thread.join();
    else
        m_thread.detach();
}

bool SoundThread::play(const SDL_AudioSpec& format, QByteArray samples, Clock::time_point deadline)
{
    State& state = *m_state;
    std::unique_lock lock(state.mutex);
    if (state.stuck)
        return false;
    const auto announcement = std::make_shared<Announcement>(Announcement { format, std::move(samples), deadline, std::nullopt, false });
    state.next = announcement;
    state.wake.notify_one();
    if (state.answered.wait_until(lock, deadline, [&] { return announcement->heard.has_value(); }))
        return *announcement->heard;
    announcement->givenUp = true;
    if (state.next == announcement)
        state.next.reset();
    state.stuck = state.inSdl;
    return false;
}

// Plays each announcement, closes its output once it has been heard, and stops SDL's audio
// when none has come for a while. Sleeps without a timeout while SDL's audio is stopped, so an
// idle program never wakes.
void SoundThread::run(const std::shared_ptr<State>& shared)
{
    State& state = *shared;
    Audio audio;
    std::unique_ptr<HeardOutput> heard;
    Clock::time_point closeBy;
    bool restart = false;
    Clock::time_point stopAt;

    std::unique_lock lock(state.mutex);
    const auto inSdl = [&](const auto& work) {
        state.inSdl = true;
        lock.unlock();
        work();
        lock.lock();
        state.inSdl = false;
        state.stuck = false;
    };
    for (;;) {
        if (heard) {
            inSdl([&] { restart = !closeOutput(std::move(heard), closeBy) || restart; });
        } else if (restart) {
            // An output lost, or SDL too slow for a caller: its audio starts afresh for the next
            // announcement, so that it finds a server that has come back since, and whichever
            // output is the default by then.
            inSdl([&] { audio.stop(); });
            restart = false;
        } else if (const std::shared_ptr<Announcement> announcement = std::exchange(state.next, nullptr)) {
            bool started = false;
            inSdl([&] { started = audio.start(); });
            if (started && !announcement->givenUp) {
                inSdl([&] {
                    heard = playOut(announcement->format, std::move(announcement->samples), announcement->deadline);
                });
            }
            announcement->heard = heard && !announcement->givenUp;
            restart = !*announcement->heard;
            closeBy = announcement->deadline;
            stopAt = Clock::now() + KeepAudio;
            state.answered.notify_all();
        } else if (state.ending) {
            break;
        } else if (!audio.running()) {
            state.wake.wait(lock);
        } else if (state.wake.wait_until(lock, stopAt) == std::cv_status::timeout && !state.next && !state.ending) {
            inSdl([&] { audio.stop(); });
        }
    }
    inSdl([&] {
        audio.stop();
        // SDL frees what it keeps per thread (its error message) only for threads of its own.
        SDL_TLSCleanup();
    });
    state.ended = true;
    state.answered.notify_all();
}
