#pragma once

#include "calling/soundplayer.h"

// Plays wave files through SDL2. SDL's audio subsystem starts with the first play and stops
// with the player; a device is open only while a clip plays.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer() = default;
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool playSync(const QString& path) override;

private:
    bool ensureAudio();

    enum class Audio { Untried, Ready, Unavailable };
    Audio m_audio = Audio::Untried;
};
