#pragma once
#include <functional>
#include <memory>

#include "audio/audio.h"
#include "bodies/world_state.h"
#include "game/loop_rules.h"
#include "game/survival.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/jump_notice.h"
#include "player/player.h"

// What is held down in a frame: the flight keys and the fire key (space).
struct HeldInput {
    FlightKeys keys{false, false, false, false};
    bool fire = false;
};

// Everything the frame loop keeps for the whole run.
struct Game {
    LoopState loop;
    Universe universe;
    std::unique_ptr<Font> font;
    JumpNotice jumpNotice;
    Audio audio;
    // Read from the keyboard by runFrame; given by the driver of simulateFrame.
    HeldInput input;
    // What the camera set this frame can show; a wormhole jump or a planet carrying the ship later
    // in the frame moves the ship, not the camera.
    ViewRect drawn{0, 0, 0, 0};
    // The millisecond clock; SDL's tick count unless a driver wants a scripted time.
    std::function<unsigned()> clock;
    // True while a long frame simulates the steps before its last, whose times lie behind the
    // clock.
    bool behindClock = false;
    // While paused the simulation's clock stands still: it runs pausedFor behind the clock.
    bool paused = false;
    unsigned pausedFor = 0;
    // Held frames drawn since the pause began (or the window was exposed, or a key or button
    // pressed), and when.
    int heldFramesDrawn = 0;
    unsigned lastHeldDraw = 0;
    Survival survival;
    // The flight aids (H): on from the start in survival, off otherwise.
    bool aidsShown = false;

    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    // The time an effect made now is stamped with: the clock, or the step's time while behind it.
    unsigned effectTime() const;
    // The tick count the simulation has reached: the clock less the time spent paused.
    unsigned simulationTime() const { return clock() - pausedFor; }
};

// Start-up: window, GL state, textures, tables, shaders, player, font and star systems.
// False when the game cannot start (its reason already printed); the caller then ends with 1.
bool startGame(Game& game, bool fullscreen);

// Exactly one frame of the loop: timing, spawn, input, motion, drawing and the buffer swap.
// Quitting ends the process with status 0.
void runFrame(Game& game);

// One frame without input or drawing: its timing, spawn and every step's update, or, while
// paused, only the clock running on. For drivers that play the world headless.
void simulateFrame(Game& game);

// The camera round the player: perspective projection and the modelview the world is drawn in.
void setCamera(const Game& game);

// The current star system, looked up afresh so a wormhole jump takes effect at once.
WorldState& currentWorld(Game& game);

// The game's entry point: start-up, then frames until the player quits.
int runGame(int argc, char** argv);
