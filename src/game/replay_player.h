#pragma once

// Plays the replay at path: headless, as fast as the machine allows, checking each digest; or in
// a window at the recording's own pace, where only Q, P and the window's close answer. Returns
// the exit status: 0 when it played through, 1 when the file cannot be played (after one line
// on standard error), 3 when the world differs from the recording's.
int playReplay(const char* path, bool headless);

// A headless replay prints its final digest alone on standard output: from here on the game's
// own lines go nowhere, and the digest to what standard output was.
void setStandardOutputAside();
