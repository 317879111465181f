#include "bench/commandoutput.h"

#include "bench/clock.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <limits>

// exec, so that stopping the shell stops the command itself.
CommandOutput::CommandOutput(const std::string& command)
    : m_command("/bin/sh", { "sh", "-c", "exec " + command })
{
    if (m_command.started())
        m_reader = std::thread([this] { read(); });
}

CommandOutput::~CommandOutput() { stop(); }

void CommandOutput::stop()
{
    m_command.terminate();
    if (m_reader.joinable())
        m_reader.join();
}

// Straight from the descriptor, not through stdio's buffer, so that each piece is timed as it
// arrives. The output stays open until the reader has been joined.
void CommandOutput::read()
{
    const int descriptor = ::fileno(m_command.output());
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count <= 0)
            break;
        const double now = monotonicMs();
        const std::lock_guard lock(m_mutex);
        m_bytes.append(buffer, count);
        m_pieces.push_back({ m_bytes.size(), now });
    }
}

QByteArray CommandOutput::bytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

double CommandOutput::sampleClockMs(qsizetype offset, double bytesPerMs) const
{
    const std::lock_guard lock(m_mutex);
    const double window = 2000 * bytesPerMs;
    double anchor = std::numeric_limits<double>::infinity();
    qsizetype start = 0;
    for (const Piece& piece : m_pieces) {
        if (std::abs(double(start - offset)) <= window)
            anchor = std::min(anchor, piece.arrivedMs - double(start) / bytesPerMs);
        start = piece.end;
    }
    return std::isinf(anchor) ? 0 : anchor + double(offset) / bytesPerMs;
}

qsizetype CommandOutput::medianPieceBytes() const
{
    const std::lock_guard lock(m_mutex);
    std::vector<qsizetype> sizes;
    qsizetype start = 0;
    for (const Piece& piece : m_pieces) {
        sizes.push_back(piece.end - start);
        start = piece.end;
    }
    if (sizes.empty())
        return 0;
    std::nth_element(sizes.begin(), sizes.begin() + std::ptrdiff_t(sizes.size() / 2), sizes.end());
    return sizes[sizes.size() / 2];
}

double CommandOutput::shortfallMs(double bytesPerMs) const
{
    const std::lock_guard lock(m_mutex);
    if (m_pieces.size() < 3)
        return 0;
    const Piece& first = m_pieces.front();
    const Piece& last = m_pieces.back();
    return (last.arrivedMs - first.arrivedMs) - double(last.end - first.end) / bytesPerMs;
}
