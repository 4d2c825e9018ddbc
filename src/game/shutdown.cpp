#include "game/shutdown.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace {

// The X library exits after this handler returns, and SDL_Quit at exit would then wait on the
// dead connection for ever: leave at once instead.
int displayLost(Display*) {
    static const char line[] = "The display was lost\n";
    const ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    (void)written;
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
