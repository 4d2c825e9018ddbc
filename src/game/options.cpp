#include "game/options.h"

#include <cstdio>
#include <cstring>

const char usageLine[] =
    "usage: orrisk [--window WIDTHxHEIGHT | --fullscreen] [--survival] [--mute]\n"
    "              [--volume 0-100] [--record FILE | --no-record]\n"
    "       orrisk --replay FILE [--headless]\n"
    "       orrisk --help | --version";
const char helpText[] =
    "  --window WIDTHxHEIGHT  open a window of that size (default 1280x1024)\n"
    "  --fullscreen           fill the desktop\n"
    "  --survival             play for a score: each run ends when the ship is\n"
    "                         destroyed, and the next starts afresh\n"
    "  --help                 show this text\n"
    "  --version              print the version number\n"
    "  --mute                 start with sound off (O turns it on)\n"
    "  --volume 0-100         sound level in percent (default 100)\n"
    "  --record FILE          record the run to FILE (without it, the run\n"
    "                         goes to the flight recorder's last.replay)\n"
    "  --no-record            keep no recording of the run\n"
    "  --replay FILE          play a recorded run in a window\n"
    "  --headless             with --replay: play it without a window, check\n"
    "                         it and print its final digest\n"
    "In the game, F1 lists the keys.\n";
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

bool parseVolume(const char* text, WindowOptions& options) {
    int volume = 0;
    char tail = 0;
    if (std::sscanf(text, "%d%c", &volume, &tail) != 1 || volume < 0 || volume > 100)
        return false;
    options.volume = volume;
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
        } else if (std::strcmp(arg, "--window") == 0) {
            // The size is the next argument; an option without one is as malformed as a bad size.
            problem = i + 1 < argc ? argv[++i] : arg;
            if (!parseSize(problem, options))
                return OptionsResult::bad;
        } else if (std::strcmp(arg, "--survival") == 0) {
            options.survival = true;
        } else if (std::strcmp(arg, "--mute") == 0) {
            options.muted = true;
        } else if (std::strcmp(arg, "--volume") == 0) {
            problem = i + 1 < argc ? argv[++i] : arg;
            if (!parseVolume(problem, options))
                return OptionsResult::bad;
        } else if (std::strcmp(arg, "--record") == 0 || std::strcmp(arg, "--replay") == 0) {
            const char*& file =
                std::strcmp(arg, "--record") == 0 ? options.recordPath : options.replayPath;
            if (i + 1 >= argc) {
                problem = arg;
                return OptionsResult::bad;
            }
            file = argv[++i];
        } else if (std::strcmp(arg, "--no-record") == 0) {
            options.noRecord = true;
        } else if (std::strcmp(arg, "--headless") == 0) {
            options.headless = true;
        } else {
            // The game has always started whatever it was given.
            options.ignored.push_back(arg);
        }
    }
    // --headless plays a replay: alone it has nothing to play.
    if (options.headless && !options.replayPath) {
        problem = "--headless";
        return OptionsResult::bad;
    }
    return OptionsResult::run;
}
