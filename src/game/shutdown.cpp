#include "game/shutdown.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <signal.h>

#include <csignal>
#include <cstdio>
#include <initializer_list>

namespace {

void (*replayWriteOut)() = nullptr;
char replayLine[4200];
std::size_t replayLineLength = 0;

// A handler's line: only write(2).
void writeReplayLine() {
    if (replayWriteOut)
        replayWriteOut();
    if (replayLineLength > 0) {
        const ssize_t written = write(STDERR_FILENO, replayLine, replayLineLength);
        (void)written;
    }
}

constexpr int crashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction before[sizeof crashSignals / sizeof crashSignals[0]];

// The handler there was before (a sanitizer's, or the default that leaves a core) is put back.
// A fault happens again as the handler returns and reaches it as it would have; a signal that
// was sent (abort, kill) is sent again.
void crashed(int signal, siginfo_t* info, void*) {
    writeReplayLine();
    for (std::size_t i = 0; i < sizeof crashSignals / sizeof crashSignals[0]; ++i)
        if (crashSignals[i] == signal)
            sigaction(signal, &before[i], nullptr);
    if (info->si_code <= 0)
        raise(signal);
}

// The X library exits after this handler returns, and SDL_Quit at exit would then wait on the
// dead connection for ever: leave at once instead.
int displayLost(Display*) {
    static const char line[] = "The display was lost\n";
    const ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    (void)written;
    writeReplayLine();
    _exit(1);
}

volatile std::sig_atomic_t quitRequested = 0;

void requestQuit(int) {
    quitRequested = 1;
}

} // namespace

void endWhenDisplayLost() {
    XSetIOErrorHandler(displayLost);
}

void quitOnSignals() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, requestQuit);
}

bool quitSignalled() {
    return quitRequested != 0;
}

void nameReplayOnSuddenEnd(void (*writeOut)(), const char* replayPath) {
    replayWriteOut = writeOut;
    const int n = std::snprintf(replayLine, sizeof replayLine,
                                "orrisk: the replay of this run is %s\n", replayPath);
    replayLineLength = n > 0 && static_cast<std::size_t>(n) < sizeof replayLine ? n : 0;
}

void printReplayLine() {
    writeReplayLine();
}

void nameReplayOnCrash() {
    struct sigaction action {};
    action.sa_sigaction = crashed;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < sizeof crashSignals / sizeof crashSignals[0]; ++i)
        sigaction(crashSignals[i], &action, &before[i]);
}
