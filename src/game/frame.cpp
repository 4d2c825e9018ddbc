#include "game/frame.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include "core/sound_events.h"
#include "game/frame_hud.h"
#include "game/frame_passes.h"
#include "game/frame_steps.h"
#include "game/game.h"

namespace {

// The frame's timing and spawn; the steps it is then simulated in.
FrameSteps beginFrame(Game& game) {
    LoopState& loop = game.loop;
    measureFrame(loop, game.simulationTime());
    loop.lastTicks = game.simulationTime();
    applyPressure(game);
    spawnEnemy(loop, game.universe.player->position, currentWorld(game).ships);
    return FrameSteps(loop.lastTicks, loop.frameDelta);
}

// A paused frame: the time since the last frame is added to the time paused, so the
// simulation's clock stands still, and counted for the frame rate only.
void holdFrame(Game& game) {
    LoopState& loop = game.loop;
    const unsigned wall = game.clock();
    const int ms = static_cast<int>(wall - (loop.lastTicks + game.pausedFor));
    game.pausedFor += static_cast<unsigned>(ms);
    loop.frameDelta = 0;
    countFrame(loop, ms);
}

void applyAction(Game& game, Action action) {
    switch (action) {
    case Action::focusLost:
        game.paused = true;
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
        game.paused = !game.paused;
        break;
    case KeyEffect::sound:
        game.audio.toggle();
        break;
    case KeyEffect::aids:
        game.aidsShown = !game.aidsShown;
        break;
    case KeyEffect::gate:
        if (game.aidsShown)
            pickNextGate(game);
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

// Every step but the last, whose times lie behind the clock.
void catchUp(Game& game, const FrameSteps& steps) {
    game.behindClock = true;
    for (int i = 0; i + 1 < steps.count(); ++i)
        simulateStep(game, steps[i]);
    game.behindClock = false;
}

void endFrame(Game& game) {
    if (game.frameEnded)
        game.frameEnded();
}

void swapBuffers() {
    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
}

void runPausedFrame(Game& game, unsigned frameStart) {
    holdFrame(game);
    takeCommand(game, false);
    game.audio.setPaused(game.paused);
    // The frame's lines are printed all the same; the picture only when it is due.
    announceHeldFrame();
    if (heldFrameDue(game.heldFramesDrawn, frameStart - game.lastHeldDraw)) {
        ++game.heldFramesDrawn;
        game.lastHeldDraw = frameStart;
        drawHeldFrame(game);
        drawHud(game);
        swapBuffers();
    }
    endFrame(game);
    if (game.paused)
        SDL_Delay(pausedRestMs(SDL_GetTicks() - frameStart));
}

} // namespace

void runFrame(Game& game) {
    const unsigned frameStart = SDL_GetTicks();
    glLoadIdentity();
    if (game.paused) {
        runPausedFrame(game, frameStart);
        return;
    }
    game.heldFramesDrawn = 0;
    const FrameSteps steps = beginFrame(game);
    takeCommand(game, true);
    catchUp(game, steps);
    simulateAndDrawStep(game, steps[steps.count() - 1]);
    game.audio.setPaused(game.paused);
    game.audio.play(soundEvents, *game.universe.player, game.input.keys);
    drawHud(game);
    swapBuffers();
    endFrame(game);
}

void simulateFrame(Game& game) {
    if (game.paused) {
        holdFrame(game);
        takeCommand(game, false);
        endFrame(game);
        return;
    }
    const FrameSteps steps = beginFrame(game);
    takeCommand(game, true);
    catchUp(game, steps);
    simulateStep(game, steps[steps.count() - 1]);
    endFrame(game);
}
