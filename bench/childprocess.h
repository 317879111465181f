#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <sys/types.h>

// A program started beside the benchmark with its standard output piped back, so that the
// benchmark reads what it writes and can watch it from outside. One still running when the
// object goes is ended as a desktop session would end it.
class ChildProcess {
public:
    // `arguments` begins with the name the program is to see as its own.
    ChildProcess(const char* program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // The read end of its output (null if it did not start), open as long as this object.
    FILE* output() const { return m_output; }

    // Waits for it to end of itself; true if it ended well.
    bool finish();
    // SIGTERM, then SIGKILL if it has not stopped within 3 s; false if it took the SIGKILL.
    bool terminate();

private:
    pid_t m_pid = -1;
    FILE* m_output = nullptr;
};
