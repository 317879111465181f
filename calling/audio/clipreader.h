#pragma once

#include <QByteArray>
#include <QString>

#include <SDL.h>

#include <functional>
#include <optional>

// A wave file's samples as SDL decoded them, in the format it gives them.
struct Clip {
    SDL_AudioSpec format;
    QByteArray samples;
};

int frameSize(const SDL_AudioSpec& format);

// The clip of a file of `fileSize` bytes, whose first `count` bytes `readStart(count)` gives
// (fewer if it cannot): nothing if the file is not a wave file, or not one of ours.
std::optional<Clip> readClip(qint64 fileSize, const std::function<QByteArray(qint64 count)>& readStart);
std::optional<Clip> loadClip(const QString& path);
