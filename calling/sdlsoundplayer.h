#pragma once

#include "calling/soundplayer.h"

// Plays wave files through SDL2, an announcement's files back to back through one output.
// SDL's audio runs only while an announcement plays, so an idle program holds no connection
// to a sound server and no audio thread. Touches no Qt GUI object: it may play on any thread,
// one announcement at a time.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer() = default;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool playSync(const QString& path) override;
    void playSequence(const QStringList& paths) override;

private:
    // How many of the files were heard.
    int play(const QStringList& paths);

    bool m_audioUnavailable = false;
};
