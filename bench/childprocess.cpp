#include "bench/childprocess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

ChildProcess::ChildProcess(const char* program, const std::vector<std::string>& arguments)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, program, &actions, nullptr, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (m_pid > 0)
        m_output = fdopen(pipe[0], "r");
    else
        ::close(pipe[0]);
}

ChildProcess::~ChildProcess()
{
    terminate();
    if (m_output)
        std::fclose(m_output);
}

bool ChildProcess::finish()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ChildProcess::terminate()
{
    if (m_pid <= 0)
        return true;
    ::kill(m_pid, SIGTERM);
    pid_t ended = 0;
    for (int wait = 0; wait < 300 && (ended = waitpid(m_pid, nullptr, WNOHANG)) == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ended == 0) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
    return ended != 0;
}
