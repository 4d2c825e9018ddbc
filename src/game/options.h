#pragma once

// What the command line asks of the window.
struct WindowOptions {
    int width = 1280;
    int height = 1024;
    bool fullscreen = false;
};

enum class OptionsResult { run, help, version, bad };

// Reads argv; on `bad`, `problem` names the offending argument.
OptionsResult parseOptions(int argc, char** argv, WindowOptions& options, const char*& problem);

extern const char usageLine[];
extern const char helpText[];
extern const char versionText[];
