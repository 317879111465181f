#pragma once

#include "calling/soundplayer.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// Plays wave files through SDL2, an announcement's files back to back through one output that
// is open only while they play; it is closed just after, off the caller's path. Touches no Qt
// GUI object: it may play on any thread, one announcement at a time.
//
// SDL's sound-server drivers connect to the server, and start a thread, as soon as SDL's audio
// starts. Starting it for every announcement would double the connections and add that start to
// every call, so it runs from an announcement until a quarter of a minute has passed without
// one: AutoPlay and a host's steady calling share one, and an idle program holds none.
struct HeardOutput;

class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool playSync(const QString& path) override;
    void playSequence(const QStringList& paths) override;

private:
    // How many of the files were heard.
    int play(const QStringList& paths);
    void closeOutput();
    bool ensureAudio();
    void stopAudio();
    void stopAudioWhenIdle();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_audioRunning = false;
    std::chrono::steady_clock::time_point m_stopAt;
    bool m_ending = false;
    std::unique_ptr<HeardOutput> m_closing;
    std::thread m_stopper;
};
