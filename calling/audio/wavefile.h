#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The playable part of a RIFF WAVE file rebuilt as a tidy one, its format chunk and its samples
// with sizes that agree, so that a strict decoder can take it. Forgives what real recorders
// leave behind: a RIFF size that is wrong, a data size of 0 or 0xFFFFFFFF (meaning "to the end
// of the file"), samples cut off by the end of the file, a chunk of odd size without its pad
// byte.
struct TidyWave {
    QByteArray wave;    // empty if there is nothing to play...
    qint64 needed = 0;  // ...or if the file's first `needed` bytes are needed to know
};

// `start` is the start of a file of `fileSize` bytes.
TidyWave tidyWave(QByteArrayView start, qint64 fileSize);
