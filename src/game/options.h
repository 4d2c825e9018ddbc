#pragma once

#include <vector>

// What the command line asks of the game.
struct WindowOptions {
    int width = 1280;
    int height = 1024;
    bool fullscreen = false;
    // Sound: off at start, and its level in percent.
    bool muted = false;
    int volume = 100;
    // Arguments the game does not know: passed over, and named by the caller.
    std::vector<const char*> ignored;
    bool survival = false;
    // Recording: to recordPath when given, else to the flight recorder's file unless noRecord.
    const char* recordPath = nullptr;
    bool noRecord = false;
    // Playing a recording instead of the player, in a window or headless.
    const char* replayPath = nullptr;
    bool headless = false;
};

enum class OptionsResult { run, help, version, bad };

// Reads argv without printing anything; on `bad`, `problem` names the malformed value (or the
// option that lacks one).
OptionsResult parseOptions(int argc, char** argv, WindowOptions& options, const char*& problem);

extern const char usageLine[];
extern const char helpText[];
extern const char versionText[];
