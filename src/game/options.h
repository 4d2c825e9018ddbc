#pragma once

// What the command line asks of the window.
struct WindowOptions {
    int width = 1280;
    int height = 1024;
    bool fullscreen = false;
};

enum class OptionsResult { run, help, version, bad };

// Reads argv; on `bad`, `problem` names the malformed value (or the option that lacks one).
// An argument it does not know is named on standard error and passed over.
OptionsResult parseOptions(int argc, char** argv, WindowOptions& options, const char*& problem);

extern const char usageLine[];
extern const char helpText[];
extern const char versionText[];
