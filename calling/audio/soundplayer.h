#pragma once

#include <QString>
#include <QStringList>

// Plays wave files synchronously: a call returns once the last sample has been heard. A file
// that cannot be played (missing, empty, malformed, no audio device) is passed over quickly
// and silently.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // One file; false when it could not be played.
    virtual bool playSync(const QString& path) = 0;

    // One announcement: the files back to back, each to its end, a file that cannot be played
    // skipped and the rest still played.
    virtual void playSequence(const QStringList& paths)
    {
        for (const QString& path : paths)
            playSync(path);
    }
};
