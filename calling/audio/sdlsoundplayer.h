#pragma once

#include "calling/audio/soundplayer.h"

#include <memory>

class SoundThread;

// Plays wave files through SDL2, an announcement's files back to back through one output that
// is open only while they play; it is closed just after, off the caller's path. Touches no Qt
// GUI object: it may be called from any thread, one announcement at a time. A call waits for
// its sound's length and a margin at most: a sound server that does not answer by then costs
// the call, not the program.
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

    std::unique_ptr<SoundThread> m_sound;
};
