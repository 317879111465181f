#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

// Files as recorders, other programs and mistakes leave them: what each holds, and what the
// player must make of it. The player's tests play them; the reader's fuzzer starts from them.
struct WaveCase {
    std::string what;
    QString name;
    QByteArray bytes;
    QByteArray heard = {}; // nothing: passed over
};

// The sloppy files, the bad ones, and every length of file too short for a header.
std::vector<WaveCase> waveCases();
