#include "game/frame_hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/game.h"
#include "hud/flight_aids.h"
#include "hud/overlays.h"
#include "hud/panels.h"
#include "hud/survival_hud.h"

namespace {

const char* const pausedText = "Paused";
constexpr float pausedScale = 40;
const GLfloat cursorColour[4] = {0, 0.7f, 0, 1};

void selectPanelProjection(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
}

void drawStatusText(Game& game) {
    LoopState& loop = game.loop;
    const WorldState& world = currentWorld(game);
    formatStatus(loop.projectilesText,
                 "Projectiles: ", static_cast<float>(world.projectiles.size()));
    formatStatus(loop.timersText, "Timers: ", static_cast<float>(world.timers.size()));
    formatStatus(loop.healthText, "Player HP: ", game.universe.player->getHealth());
    formatStatus(loop.shipsText, "Ships: ", static_cast<float>(world.ships.size()));
    const std::string* lines[] = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                  &loop.timersText, &loop.healthText};
    float y = 0;
    for (const std::string* line : lines) {
        game.font->displayText(*line, 0, y, 20);
        y += 30;
    }
}

// The name of the system a gate leads to.
const char* leadsTo(const Game& game, const Wormhole& gate) {
    const std::vector<WorldState>& worlds = game.universe.worlds;
    return systemName(worlds[gate.destinationWorld], gate.destinationWorld);
}

// In world coordinates, under the camera: the velocity line, the predicted path.
void drawAidsInWorld(Game& game) {
    Player& player = *game.universe.player;
    drawVelocityLine(player, game.loop.viewHeight / 3);
    predictPath(currentWorld(game), player, game.predictedPath);
    drawPredictedPath(game.predictedPath);
}

// In window pixels: the system's name, the ship's speed and ring, the chosen gate.
void drawAidsOnWindow(Game& game) {
    const Player& player = *game.universe.player;
    drawSystemName(*game.font, currentWorld(game));
    const float speed = std::hypot(player.velocity.x, player.velocity.y);
    drawSpeed(*game.font, speed);
    drawShipRing(player.angle);
    const Wormhole* gate = chosenGate(game.gateChoice, game.universe);
    if (gate)
        drawGateMarker(*game.font, readAids(player, *gate), leadsTo(game, *gate),
                       game.loop.viewHeight);
}

void drawSurvivalHud(Game& game) {
    const Survival& s = game.survival;
    if (!s.on)
        return;
    drawRunScore(*game.font, s.destroyed ? s.last.kills : runKills(game.universe),
                 runSeconds(s, game.loop.lastTicks));
    if (s.destroyed)
        drawDestroyed(*game.font, s.last.kills, s.last.seconds, s.best.front().kills,
                      s.best.front().seconds);
}

} // namespace

void drawHud(Game& game) {
    glColor4fv(cursorColour);
    drawMouse(cursorTarget(game));
    drawBoundary();
    if (game.aidsShown)
        drawAidsInWorld(game);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    selectPanelProjection(0, w, 0, h);
    drawStatusText(game);
    if (game.paused)
        game.font->displayText(pausedText, (w - game.font->textWidth(pausedText, pausedScale)) / 2,
                               h / 2 + 100, pausedScale);
    drawJumpNotice(game.jumpNotice, *game.font, game.loop.lastTicks);
    drawSurvivalHud(game);
    if (game.aidsShown)
        drawAidsOnWindow(game);
    selectPanelProjection(0, w, -h, 0);
    topLeftUI(currentWorld(game), game.universe.player);
    selectPanelProjection(-w, 0, -h, 0);
    topRightUI(currentWorld(game), game.universe.player);
}

void pickNextGate(Game& game) {
    chooseNextGate(game.gateChoice, game.universe);
    const Wormhole* gate = chosenGate(game.gateChoice, game.universe);
    if (gate)
        std::fprintf(stderr, "Flight aids: the arrow points at the gate to %s\n",
                     leadsTo(game, *gate));
}
