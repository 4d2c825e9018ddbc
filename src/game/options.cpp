#include "game/options.h"

#include <cstdio>
#include <cstring>

const char usageLine[] =
    "usage: orrisk [--window WIDTHxHEIGHT | --fullscreen | --help | --version]";
const char helpText[] = "  --window WIDTHxHEIGHT  open a window of that size (default 1280x1024)\n"
                        "  --fullscreen           fill the desktop\n"
                        "  --help                 show this text\n"
                        "  --version              print the version number\n";
// The build passes the project's version in.
const char versionText[] = ORRISK_VERSION;

namespace {

bool parseSize(const char* text, WindowOptions& options) {
    int width = 0;
    int height = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &tail) != 2)
        return false;
    if (width < 320 || height < 240 || width > 16384 || height > 16384)
        return false;
    options.width = width;
    options.height = height;
    return true;
}

} // namespace

OptionsResult parseOptions(int argc, char** argv, WindowOptions& options, const char*& problem) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0)
            return OptionsResult::help;
        if (std::strcmp(arg, "--version") == 0)
            return OptionsResult::version;
        if (std::strcmp(arg, "--fullscreen") == 0) {
            options.fullscreen = true;
        } else if (std::strcmp(arg, "--window") == 0 && i + 1 < argc) {
            if (!parseSize(argv[++i], options)) {
                problem = argv[i];
                return OptionsResult::bad;
            }
        } else {
            problem = arg;
            return OptionsResult::bad;
        }
    }
    return OptionsResult::run;
}
