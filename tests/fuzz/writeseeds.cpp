#include "audio/wavetable.h"

#include <QDir>
#include <QFile>

#include <cstdio>

// Writes the player tests' table of sloppy and bad wave files into a folder, as the fuzzer's
// first corpus.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QFile::decodeName(argv[1]));
    for (const WaveCase& file : waveCases()) {
        QFile seed(folder.filePath(file.name));
        if (!seed.open(QIODevice::WriteOnly) || seed.write(file.bytes) != file.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(seed.fileName()));
            return 1;
        }
    }
    return 0;
}
