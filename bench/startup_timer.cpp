#include "startup_timer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace {

// Spawns program with standard output on outFd and standard error discarded; -1 on failure.
pid_t spawnWithOutput(const std::string& program, int outFd, int unusedFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, outFd);
    posix_spawn_file_actions_addclose(&actions, unusedFd);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// True once count lines equal to marker have been read; false at the end of the stream.
bool readUntil(FILE* in, const char* marker, int count) {
    char line[512];
    while (std::fgets(line, sizeof line, in)) {
        line[std::strcspn(line, "\n")] = '\0';
        if (std::strcmp(line, marker) == 0 && --count == 0)
            return true;
    }
    return false;
}

} // namespace

double millisecondsToLine(const std::string& program, const char* marker, int count) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawnWithOutput(program, fds[1], fds[0]);
    close(fds[1]);
    FILE* in = fdopen(fds[0], "r");
    const bool seen = pid > 0 && in && readUntil(in, marker, count);
    const auto end = std::chrono::steady_clock::now();
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (in)
        std::fclose(in);
    else
        close(fds[0]);
    if (!seen)
        return -1;
    return std::chrono::duration<double, std::milli>(end - start).count();
}
