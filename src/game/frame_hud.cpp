#include "game/frame_hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/game.h"
#include "hud/controls_overlay.h"
#include "hud/flight_aids.h"
#include "hud/hud_layout.h"
#include "hud/jump_notice.h"
#include "hud/overlays.h"
#include "hud/panels.h"
#include "hud/paused_text.h"
#include "hud/status_lines.h"
#include "hud/survival_hud.h"

namespace {

// The flight aids draw the system's name at this scale.
constexpr float nameScale = 18;
constexpr float textOutline = 1.5f;
const GLfloat cursorColour[4] = {0, 0.7f, 0, 1};

void selectPanelProjection(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
}

float shipSpeed(const Player& player) {
    return std::hypot(player.velocity.x, player.velocity.y);
}

// Every text the HUD shows this frame, measured for the layout.
HudTexts measureTexts(Game& game, const StatusLines& status) {
    const Font& font = *game.font;
    const Survival& s = game.survival;
    HudTexts texts;
    texts.status = statusExtent(font, status);
    if (game.aidsShown && !currentWorld(game).stars.empty())
        texts.systemName = measureText(font, currentWorld(game).stars.front().name, nameScale);
    if (game.aidsShown)
        texts.speed = measureSpeed(font, shipSpeed(*game.universe.player));
    if (s.on)
        texts.score = runScoreExtent(font, s.shownKills, s.shownSeconds);
    if (s.on && s.destroyed)
        texts.destroyed = destroyedExtent(font, s.last.kills, s.last.seconds, s.best.front().kills,
                                          s.best.front().seconds);
    if (jumpNoticeShown(game.jumpNotice, game.loop.lastTicks))
        texts.arrival = measureJumpNotice(game.jumpNotice, font);
    if (game.paused)
        texts.paused = pausedTextExtent(font);
    return texts;
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
void drawAidsOnWindow(Game& game, const HudLayout& layout) {
    const Player& player = *game.universe.player;
    drawSystemName(*game.font, currentWorld(game));
    const float speed = shipSpeed(player);
    drawSpeed(*game.font, speed, layout.speedY);
    drawShipRing(player.angle);
    const Wormhole* gate = chosenGate(game.gateChoice, game.universe);
    if (gate)
        drawGateMarker(*game.font, readAids(player, *gate), leadsTo(game, *gate),
                       game.loop.viewHeight, layout.status);
}

void drawSurvivalHud(Game& game, const HudLayout& layout) {
    const Survival& s = game.survival;
    if (!s.on)
        return;
    drawRunScore(*game.font, s.shownKills, s.shownSeconds, layout.scoreY, layout.scoreScale);
    if (s.destroyed)
        drawDestroyed(*game.font, s.last.kills, s.last.seconds, s.best.front().kills,
                      s.best.front().seconds, layout.destroyedY);
}

} // namespace

void drawHud(Game& game) {
    Player& player = *game.universe.player;
    const WorldState& world = currentWorld(game);
    const point cursor = cursorTarget(game.loop, player.position);
    formatStatusLines(game.loop, world.ships.size(), world.projectiles.size(), world.timers.size(),
                      player.getHealth());
    glColor4fv(cursorColour);
    drawMouse(cursor);
    drawBoundary();
    if (game.aidsShown)
        drawAidsInWorld(game);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    selectPanelProjection(0, w, 0, h);
    // With the aids on the HUD is busiest: its texts get an outline and keep clear of each other.
    Font& font = *game.font;
    font.outline = game.aidsShown ? textOutline : 0;
    const LoopState& loop = game.loop;
    const StatusLines status = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                &loop.timersText, &loop.healthText};
    const HudLayout layout = layoutHud(static_cast<float>(w), static_cast<float>(h),
                                       measureTexts(game, status), game.aidsShown);
    drawStatusLines(font, status, layout.statusX, layout.statusY);
    if (game.paused)
        drawPausedText(font, layout.pausedY);
    drawJumpNotice(game.jumpNotice, font, game.loop.lastTicks, layout.arrivalY);
    drawSurvivalHud(game, layout);
    if (game.aidsShown)
        drawAidsOnWindow(game, layout);
    selectPanelProjection(0, w, -h, 0);
    topLeftUI(currentWorld(game), game.universe.player);
    selectPanelProjection(-w, 0, -h, 0);
    topRightUI(currentWorld(game), game.universe.player);
    if (game.controlsShown) {
        selectPanelProjection(0, w, 0, h);
        drawControlsOverlay(font, static_cast<float>(w), static_cast<float>(h));
    }
}

void pickNextGate(Game& game) {
    chooseNextGate(game.gateChoice, game.universe);
    const Wormhole* gate = chosenGate(game.gateChoice, game.universe);
    if (gate)
        std::fprintf(stderr, "Flight aids: the arrow points at the gate to %s\n",
                     leadsTo(game, *gate));
}
