#include <cstdlib>

#include "game/game.h"
#include "game/options.h"
#include "game/replay_player.h"

namespace {

// `--help` and `--version` are answered before static initialisation, which reads the emitter
// files and prints what it finds: the help and the version stand alone, and so does a headless
// replay's final digest. glibc hands constructors the command line, and priority 101 runs this
// one before every ordinary static initialiser.
__attribute__((constructor(101))) void answerHelpAndVersionFirst(int argc, char** argv, char**) {
    WindowOptions options;
    const char* problem = nullptr;
    const OptionsResult result = parseOptions(argc, argv, options, problem);
    if (result == OptionsResult::help || result == OptionsResult::version)
        std::exit(runGame(argc, argv));
    if (result == OptionsResult::run && options.replayPath && options.headless)
        setStandardOutputAside();
}

} // namespace

int main(int argc, char** argv) {
    return runGame(argc, argv);
}
