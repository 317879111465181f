#pragma once

#include "bench/childprocess.h"

#include <QByteArray>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Runs a shell command beside the benchmark and keeps what it writes to standard output,
// noting when each piece arrived: a sink's monitor recorded as raw samples, or a sound
// server's events.
class CommandOutput {
public:
    explicit CommandOutput(const std::string& command);
    ~CommandOutput();

    bool started() const { return m_command.started(); }
    void stop();

    QByteArray bytes() const;
    // When the byte at this offset passed, in milliseconds on the monotonic clock, for output
    // that flows at a steady rate (a recording). The first byte of a piece passed no later than
    // the piece arrived, so the piece that came with the least delay within two seconds anchors
    // the rest: a recorder's fragment size and its late wake-ups drop out.
    double sampleClockMs(qsizetype offset, double bytesPerMs) const;
    // The median size of what arrived at once: a recorder that writes out every cycle of its
    // server's graph, unbuffered, delivers one cycle's samples each time.
    qsizetype medianPieceBytes() const;
    // For a recording: how much shorter it is than the time it took to arrive, in milliseconds,
    // from its second piece on (the first holds what the recorder had buffered). A recorder that
    // fell behind and dropped samples shows here, not in the sink.
    double shortfallMs(double bytesPerMs) const;

private:
    void read();

    struct Piece {
        qsizetype end;
        double arrivedMs;
    };
    ChildProcess m_command;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    QByteArray m_bytes;
    std::vector<Piece> m_pieces;
};
