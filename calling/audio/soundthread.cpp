#include "calling/audio/soundthread.h"

#include "calling/audio/answerwait.h"
#include "calling/audio/clipreader.h"

#include <QScopeGuard>

#include <condition_variable>
#include <mutex>
#include <utility>

namespace {

using Clock = SoundClock;

// Longer than the longest AutoPlay period, with the repeat's allowance.
constexpr std::chrono::seconds KeepAudio { 15 };
// How long an ending player lets its thread close the last output and stop SDL's audio.
constexpr std::chrono::seconds EndAllowance { 2 };
// What a call may take beyond its sound, to read its files and to open and close its output,
// before it is given up.
constexpr std::chrono::seconds Margin { 2 };

struct Announcement {
    SoundThread::Prepare prepare;
    Clock::time_point handedAt;
    // The caller's, told of each change; never once the caller has given up.
    AnswerWait* wait;
    // Known once the files have been read: until then the caller waits out the margin alone.
    std::optional<Clock::time_point> deadline;
    // The files heard, once the thread has done with it.
    std::optional<int> heard;
    bool givenUp = false;

    Clock::time_point waitLimit() const { return deadline.value_or(handedAt + Margin); }
};

std::chrono::microseconds lengthOf(const PreparedSound& sound)
{
    return std::chrono::microseconds(sound.samples.size() / frameSize(sound.format) * 1'000'000 / sound.format.freq);
}

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
    // ... and a caller has given up waiting for it, or it is closing an output not heard.
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

int SoundThread::play(Prepare prepare)
{
    State& state = *m_state;
    std::unique_lock lock(state.mutex);
    if (state.stuck)
        return 0;
    const auto announcement = std::make_shared<Announcement>(
        Announcement { std::move(prepare), Clock::now(), AnswerWait::current(), std::nullopt, std::nullopt, false });
    // However the wait ends, an answer not had is given up on, and the caller's wait forgotten.
    auto giveUp = qScopeGuard([&] {
        if (!lock.owns_lock())
            lock.lock();
        announcement->givenUp = true;
        if (state.next == announcement)
            state.next.reset();
        state.stuck = state.inSdl;
    });
    state.next = announcement;
    state.wake.notify_one();
    for (;;) {
        if (announcement->heard) {
            giveUp.dismiss();
            return *announcement->heard;
        }
        const Clock::time_point limit = announcement->waitLimit();
        if (Clock::now() >= limit)
            return 0;
        if (AnswerWait* const wait = announcement->wait) {
            lock.unlock();
            wait->waitUntil(limit);
            lock.lock();
        } else {
            state.answered.wait_until(lock, limit);
        }
    }
}

// Reads and plays each announcement, closes its output once the caller has its answer, and stops
// SDL's audio when none has come for a while. Sleeps without a timeout while SDL's audio is
// stopped, so an idle program never wakes. Nothing thrown leaves it: the announcement is not
// heard, and SDL's audio starts afresh for the next.
void SoundThread::run(const std::shared_ptr<State>& shared)
{
    State& state = *shared;
    Audio audio;
    std::unique_ptr<OpenOutput> output;
    Clock::time_point closeBy;
    bool restart = false;
    Clock::time_point stopAt;

    std::unique_lock lock(state.mutex);
    // The work runs without the lock; inSdl marks work that a hung sound server can hold, and
    // stuck work a caller need not wait for.
    const auto outside = [&](bool inSdl, bool stuck, const auto& work) {
        state.inSdl = inSdl;
        state.stuck = stuck;
        lock.unlock();
        const auto relock = qScopeGuard([&] {
            lock.lock();
            state.inSdl = false;
            state.stuck = false;
        });
        work();
    };
    const auto tell = [&](const Announcement& announcement) {
        if (announcement.wait && !announcement.givenUp)
            announcement.wait->wake();
        state.answered.notify_all();
    };
    for (;;) {
        if (output) {
            // An output not heard has stalled or gone with its server, and its close may hang
            // with them: calls meanwhile are passed over, as when a caller has given up.
            outside(true, !output->heard, [&] { restart = !closeOutput(std::move(output), closeBy) || restart; });
        } else if (restart) {
            // An output lost, or SDL too slow for a caller: its audio starts afresh for the next
            // announcement, so that it finds a server that has come back since, and whichever
            // output is the default by then.
            outside(true, false, [&] { audio.stop(); });
            restart = false;
        } else if (const std::shared_ptr<Announcement> announcement = std::exchange(state.next, nullptr)) {
            int files = 0;
            try {
                std::optional<PreparedSound> sound;
                outside(false, false, [&] { sound = announcement->prepare(); });
                if (sound && !announcement->givenUp) {
                    announcement->deadline = announcement->handedAt + lengthOf(*sound) + Margin;
                    tell(*announcement);
                    bool started = false;
                    outside(true, false, [&] { started = audio.start(); });
                    if (started && !announcement->givenUp) {
                        outside(true, false, [&] {
                            output = playOut(sound->format, std::move(sound->samples), *announcement->deadline);
                        });
                    }
                    files = output && output->heard && !announcement->givenUp ? sound->files : 0;
                    restart = files == 0;
                    closeBy = *announcement->deadline;
                    stopAt = Clock::now() + KeepAudio;
                }
            } catch (...) {
                files = 0;
                restart = true;
                stopAt = Clock::now() + KeepAudio;
            }
            announcement->heard = files;
            tell(*announcement);
        } else if (state.ending) {
            break;
        } else if (!audio.running()) {
            state.wake.wait(lock);
        } else if (state.wake.wait_until(lock, stopAt) == std::cv_status::timeout && !state.next && !state.ending) {
            outside(true, false, [&] { audio.stop(); });
        }
    }
    outside(true, false, [&] {
        audio.stop();
        // SDL frees what it keeps per thread (its error message) only for threads of its own.
        SDL_TLSCleanup();
    });
    state.ended = true;
    state.answered.notify_all();
}
