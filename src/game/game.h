#pragma once
#include <functional>
#include <memory>

#include "audio/audio.h"
#include "bodies/world_state.h"
#include "game/command.h"
#include "game/frame.h"
#include "game/hud_reading.h"
#include "game/frame_passes.h"
#include "game/loop_rules.h"
#include "game/startup.h"
#include "game/survival.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/gate_choice.h"
#include "hud/jump_notice.h"
#include "hud/predicted_path.h"
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
    // What is held this frame: from the command, or given by a driver without one.
    HeldInput input;
    // This frame's command, and where commands come from: the input, a replay, or nobody (a
    // driver that sets input itself).
    Command command;
    std::function<void(Command&)> commandSource;
    // Called when each frame has run, for a recording to keep it or a replay to check it.
    std::function<void()> frameEnded;
    // What the quit key and the window's close do: end the process with status 0.
    std::function<void()> quit;
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
    // The list of keys (F1) pauses the game while it shows; closing it puts back the pause as
    // it was, with any P pressed or focus lost meanwhile.
    bool controlsShown = false;
    bool pausedUnderControls = false;
    // The gate the aids point at, and the path they predict (refilled each frame they are drawn).
    GateChoice gateChoice;
    PredictedPath predictedPath;
    // What the HUD shows, read afresh for each frame drawn.
    HudReading hud;

    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    // The time an effect made now is stamped with: the clock, or the step's time while behind it.
    unsigned effectTime() const;
    // The tick count the simulation has reached: the clock less the time spent paused.
    unsigned simulationTime() const { return clock() - pausedFor; }
};

// The current star system, looked up afresh so a wormhole jump takes effect at once.
WorldState& currentWorld(Game& game);

// The game's entry point: start-up, then frames until the player quits.
int runGame(int argc, char** argv);
