#include "game/shutdown.h"

#include <X11/Xlib.h>
#include <unistd.h>

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

void crashed(int signal) {
    writeReplayLine();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
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
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(signal, crashed);
}
