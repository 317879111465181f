#include "bench/childprocess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

Child spawn(const std::vector<std::string>& arguments)
{
    int pipe[2];
    if (::pipe(pipe) != 0) {
        std::perror("lottovox_bench: pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("lottovox_bench: posix_spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    child.output = fdopen(pipe[0], "r");
    return child;
}

void readResults(Child& child, Results& results, const char* until)
{
    char line[256];
    while (std::fgets(line, sizeof line, child.output)) {
        char key[64];
        double value = 0;
        if (std::sscanf(line, "%63s %lf", key, &value) != 2)
            continue;
        results[key].push_back(value);
        if (until && std::strcmp(key, until) == 0)
            return;
    }
}

bool finish(Child& child)
{
    std::fclose(child.output);
    int status = 0;
    waitpid(child.pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void terminate(Child& child)
{
    std::fclose(child.output);
    ::kill(child.pid, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int wait = 0; wait < 300 && (ended = waitpid(child.pid, &status, WNOHANG)) == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ended == 0) {
        std::fprintf(stderr, "the program did not stop on SIGTERM within 3 s\n");
        ::kill(child.pid, SIGKILL);
        waitpid(child.pid, &status, 0);
    }
}
