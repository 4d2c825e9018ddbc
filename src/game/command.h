#pragma once
#include <cstdint>

#include "player/player.h"

// What the player asks of one frame, as the frame and the simulation see it: the input module
// makes it from SDL's events and held keys, a recording stores it, a replay gives it back.
enum class Action : std::uint8_t {
    other, // a key or button that changes nothing but wakes a paused picture
    spawnSlower,
    spawnFaster,
    nearOut,
    nearIn,
    farOut,
    farIn,
    weapon1,
    weapon2,
    weapon3,
    pause,
    sound,
    aids,
    zoomIn,
    zoomOut,
    exposed,   // the window needs drawing again
    focusLost, // pauses the game
    quit,
    controls, // the list of keys, shown and hidden (F1)
    dismiss,  // closes the list of keys; otherwise only wakes a paused picture (Esc)
    gate, // the flight aids' arrow moves on to the system's next gate
    count
};

// Presses beyond this in one frame wait for the next one.
constexpr int maxActions = 32;

struct Command {
    // Held through the frame.
    FlightKeys keys{false, false, false, false};
    bool fire = false;
    // Relative mouse motion since the last frame, in screen pixels (y grows downwards).
    int cursorDx = 0;
    int cursorDy = 0;
    // Presses and window events, in the order they came.
    int actionCount = 0;
    Action actions[maxActions] = {};

    // False when full.
    bool add(Action action) {
        if (actionCount == maxActions)
            return false;
        actions[actionCount++] = action;
        return true;
    }
};
