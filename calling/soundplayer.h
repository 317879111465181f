#pragma once

#include <QString>

// Plays one wave file synchronously: the call returns once the last sample has been heard.
// A file that cannot be played (missing, empty, malformed, no audio device) returns false,
// quickly and silently.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual bool playSync(const QString& path) = 0;
};
