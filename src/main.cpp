#include <cstdlib>

#include "game/game.h"
#include "game/options.h"

namespace {

// `--version` is answered before static initialisation, which reads the emitter files and prints
// what it finds: the version stands alone. glibc hands constructors the command line, and
// priority 101 runs this one before every ordinary static initialiser.
__attribute__((constructor(101))) void answerVersionFirst(int argc, char** argv, char**) {
    WindowOptions options;
    const char* problem = nullptr;
    if (parseOptions(argc, argv, options, problem) == OptionsResult::version)
        std::exit(runGame(argc, argv));
}

} // namespace

int main(int argc, char** argv) {
    return runGame(argc, argv);
}
