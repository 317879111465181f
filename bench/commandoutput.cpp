#include "bench/commandoutput.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

extern char** environ;

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CommandOutput::CommandOutput(const std::string& command)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    // exec, so that stopping the shell stops the command itself.
    const std::string shell = "exec " + command;
    const char* argv[] = { "sh", "-c", shell.c_str(), nullptr };
    if (posix_spawn(&m_pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (m_pid <= 0) {
        ::close(pipe[0]);
        return;
    }
    m_reader = std::thread([this, descriptor = pipe[0]] { read(descriptor); });
}

CommandOutput::~CommandOutput() { stop(); }

void CommandOutput::stop()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    if (m_reader.joinable())
        m_reader.join();
}

void CommandOutput::read(int descriptor)
{
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
    ::close(descriptor);
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
