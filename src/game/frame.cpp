#include "game/frame.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cstdio>

#include "core/sound_events.h"
#include "game/frame_hud.h"
#include "game/frame_passes.h"
#include "game/frame_steps.h"
#include "game/game.h"
#include "game/hud_reading.h"

namespace {

// A moving frame's clock: its time, its spawn, and the steps it is simulated in. The clock is
// read twice, once for the frame's delta and once for its time.
FrameSteps beginFrame(Game& game) {
    game.heldFramesDrawn = 0;
    const unsigned measured = game.simulationTime();
    const unsigned now = game.simulationTime();
    applyPressure(game, now);
    startFrame(game.loop, measured, now, game.universe.player->position, currentWorld(game).ships);
    return FrameSteps(now, game.loop.frameDelta);
}

// A paused frame: the time since the last frame is added to the time paused, so the
// simulation's clock stands still, and counted for the frame rate only. No steps.
FrameSteps holdFrame(Game& game) {
    LoopState& loop = game.loop;
    const unsigned wall = game.clock();
    const int ms = static_cast<int>(wall - (loop.lastTicks + game.pausedFor));
    game.pausedFor += static_cast<unsigned>(ms);
    holdClock(loop, ms);
    return FrameSteps::none(loop.lastTicks);
}

// The pause the player sees: while the list of keys shows, the one it puts back on closing.
bool& playerPause(Game& game) {
    return game.controlsShown ? game.pausedUnderControls : game.paused;
}

void showControls(Game& game, bool shown) {
    if (shown == game.controlsShown)
        return;
    if (shown)
        game.pausedUnderControls = game.paused;
    game.paused = shown || game.pausedUnderControls;
    game.controlsShown = shown;
}

// G with the aids on: standard error says where the newly chosen gate leads.
void sayNextGate(const Wormhole* gate, const Universe& universe) {
    if (gate)
        std::fprintf(stderr, "Flight aids: the arrow points at the gate to %s\n",
                     leadsTo(universe, *gate));
}

void applyAction(Game& game, Action action) {
    switch (action) {
    case Action::focusLost:
        playerPause(game) = true;
        return;
    case Action::exposed:
    case Action::other:
        game.heldFramesDrawn = 0;
        return;
    default:
        break;
    }
    // A zoom or a key may change what a paused frame shows.
    game.heldFramesDrawn = 0;
    switch (applyAction(game.loop, action, game.universe.player->weapon)) {
    case KeyEffect::quit:
        game.quit();
        break;
    case KeyEffect::pause:
        playerPause(game) = !playerPause(game);
        break;
    case KeyEffect::controls:
        showControls(game, !game.controlsShown);
        break;
    case KeyEffect::dismiss:
        showControls(game, false);
        break;
    case KeyEffect::sound:
        game.audio.toggle();
        break;
    case KeyEffect::aids:
        game.aidsShown = !game.aidsShown;
        break;
    case KeyEffect::gate:
        if (game.aidsShown)
            sayNextGate(chooseNextGate(game.gateChoice, game.universe), game.universe);
        break;
    case KeyEffect::none:
        break;
    }
}

// The frame's command from its source, its presses applied in order. A paused frame takes only
// the presses: the ship and the cursor stand still with the rest.
void takeCommand(Game& game, bool moving) {
    if (!game.commandSource)
        return;
    Command& command = game.command;
    game.commandSource(command);
    for (int i = 0; i < command.actionCount; ++i)
        applyAction(game, command.actions[i]);
    if (!moving)
        return;
    // A wreck takes no orders.
    game.input = game.survival.destroyed ? HeldInput() : HeldInput{command.keys, command.fire};
    moveCursor(game.loop, command.cursorDx, command.cursorDy);
}

void endFrame(Game& game) {
    if (game.frameEnded)
        game.frameEnded();
}

void swapBuffers() {
    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace

// Clock, command, steps, drawing. A paused frame has no steps; its lines are printed all the
// same, and its still picture drawn only when due.
void runFrame(Game& game) {
    const unsigned frameStart = SDL_GetTicks();
    glLoadIdentity();
    const bool moving = !game.paused;
    const FrameSteps steps = moving ? beginFrame(game) : holdFrame(game);
    takeCommand(game, moving);
    const bool drawn = moving ? playAndDrawSteps(game, steps) : drawHeldFrame(game, frameStart);
    game.audio.setPaused(game.paused);
    if (moving)
        game.audio.play(soundEvents, *game.universe.player, game.input.keys);
    if (drawn) {
        readHud(game);
        drawHud(game);
        swapBuffers();
    }
    endFrame(game);
    if (!moving && game.paused)
        SDL_Delay(pausedRestMs(SDL_GetTicks() - frameStart));
}

void simulateFrame(Game& game) {
    const bool moving = !game.paused;
    const FrameSteps steps = moving ? beginFrame(game) : holdFrame(game);
    takeCommand(game, moving);
    playSteps(game, steps);
    endFrame(game);
}
