#pragma once

// Every key and what it does: the list F1 shows in the game, and the README's table of
// controls says the same in the same words.
struct ControlLine {
    const char* input;
    const char* effect;
};

extern const ControlLine controlLines[];
extern const int controlLineCount;
