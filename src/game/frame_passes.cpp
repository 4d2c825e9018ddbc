#include "game/frame_passes.h"

#include <GL/glew.h>

#include <cstdio>

#include "combat/timers.h"
#include "game/frame_steps.h"
#include "game/game.h"
#include "game/passes.h"
#include "hud/gate_choice.h"
#include "hud/jump_notice.h"
#include "hud/overlays.h"

namespace {

const GLfloat worldColour[4] = {1, 0, 0, 1};
const char* const wormholesLine = "Processing wormholes";
const char* const projectilesLine = "processing projectiles";

void printLine(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

Player& player(Game& game) {
    return *game.universe.player;
}

// The frame's passes in the order the game runs them. Each update moves the world on by one
// step without OpenGL; each draw shows what its update left, with the GL state the passes
// before it left. Only the frame's last step draws.
using PassFunction = void (*)(Game&, const Step&);
struct Pass {
    PassFunction update;
    PassFunction draw;
};

void movePlayer(Game& game, const Step& step) {
    game.loop.lastTicks = step.now;
    player(game).update(step.delta, game.input.keys);
}

void drawBackdrop(Game& game, const Step&) {
    setCamera(game);
    game.drawn = drawnRect(game.loop, player(game).position);
    drawBackground();
}

void fire(Game& game, const Step& step) {
    Player& ship = player(game);
    ship.beamShown = false;
    if (game.input.fire)
        ship.shoot(step.now, currentWorld(game), cursorTarget(game.loop, ship.position), step.delta);
}

void drawBeam(Game& game, const Step&) {
    player(game).drawBeam();
}

void drawWormholePass(Game& game, const Step& step) {
    glColor4fv(worldColour);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    drawWormholes(currentWorld(game), static_cast<int>(step.now));
}

// The frame's line comes before the swirls are drawn: any GL error they report follows it.
void announceWormholes(Game&, const Step& step) {
    if (step.last)
        printLine(wormholesLine);
}

void moveThroughWormholes(Game& game, const Step& step) {
    if (!processWormholes(game.universe))
        return;
    announceArrival(game.jumpNotice, currentWorld(game), step.now);
    forgetGate(game.gateChoice);
}

void moveProjectiles(Game& game, const Step& step) {
    if (step.last)
        printLine(projectilesLine);
    updateProjectiles(currentWorld(game), step.delta, step.now);
}

void drawProjectilePass(Game& game, const Step&) {
    drawProjectiles(currentWorld(game), game.drawn);
}

void advanceFlame(Game& game, const Step& step) {
    player(game).advanceFlame(step.delta);
}

void drawTrail(Game& game, const Step&) {
    player(game).drawTrail();
}

void runTimers(Game& game, const Step& step) {
    runTimer(step.now, currentWorld(game));
}

void drawTimerPass(Game& game, const Step& step) {
    drawTimers(step.now, currentWorld(game), game.drawn);
}

void drawPlayer(Game& game, const Step&) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A wrecked ship is only its explosion.
    if (!game.survival.destroyed)
        player(game).draw();
}

void moveShips(Game& game, const Step& step) {
    updateShips(currentWorld(game), &player(game), step.delta);
}

void drawShipPass(Game& game, const Step&) {
    drawShips(currentWorld(game), game.drawn);
}

void moveStars(Game& game, const Step& step) {
    updateStars(currentWorld(game), &player(game), step.delta);
}

void drawStarPass(Game& game, const Step&) {
    drawStars(currentWorld(game), game.drawn);
}

// The wormholes are drawn before their update: a jump must not change which system's swirls
// show in the frame it happens.
constexpr Pass framePasses[] = {
    {movePlayer, drawBackdrop},
    {fire, drawBeam},
    {announceWormholes, drawWormholePass},
    {moveThroughWormholes, nullptr},
    {moveProjectiles, drawProjectilePass},
    {advanceFlame, drawTrail},
    {runTimers, drawTimerPass},
    {nullptr, drawPlayer},
    {moveShips, drawShipPass},
    {moveStars, drawStarPass},
    {survivalStep, nullptr},
};

void simulateStep(Game& game, const Step& step) {
    for (const Pass& pass : framePasses)
        if (pass.update)
            pass.update(game, step);
}

void simulateAndDrawStep(Game& game, const Step& step) {
    for (const Pass& pass : framePasses) {
        if (pass.update)
            pass.update(game, step);
        if (pass.draw)
            pass.draw(game, step);
    }
}

// Every step but the last, whose times lie behind the clock.
void catchUp(Game& game, const FrameSteps& steps) {
    game.behindClock = true;
    for (int i = 0; i + 1 < steps.count(); ++i)
        simulateStep(game, steps[i]);
    game.behindClock = false;
}

} // namespace

void playSteps(Game& game, const FrameSteps& steps) {
    if (steps.count() == 0)
        return;
    catchUp(game, steps);
    simulateStep(game, steps[steps.count() - 1]);
}

bool playAndDrawSteps(Game& game, const FrameSteps& steps) {
    catchUp(game, steps);
    simulateAndDrawStep(game, steps[steps.count() - 1]);
    return true;
}

bool drawHeldFrame(Game& game, unsigned frameStart) {
    printLine(wormholesLine);
    printLine(projectilesLine);
    if (!heldFrameDue(game.heldFramesDrawn, frameStart - game.lastHeldDraw))
        return false;
    ++game.heldFramesDrawn;
    game.lastHeldDraw = frameStart;
    const Step held{0, game.loop.lastTicks, false};
    for (const Pass& pass : framePasses)
        if (pass.draw)
            pass.draw(game, held);
    return true;
}

void setCamera(const Game& game) {
    const Frustum f = cameraFrustum(game.loop);
    const point p = game.universe.player->position;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.nearPlane, f.farPlane);
    glTranslatef(-p.x, -p.y, 0);
    glTranslatef(0, 0, game.loop.nearScale * -10000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
}
