#include "game/frame_hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "game/game.h"
#include "hud/controls_overlay.h"
#include "hud/flight_aids.h"
#include "hud/hud_layout.h"
#include "hud/hud_measure.h"
#include "hud/hud_text_drawing.h"
#include "hud/overlays.h"
#include "hud/panels.h"

namespace {

constexpr float textOutline = 1.5f;
const GLfloat cursorColour[4] = {0, 0.7f, 0, 1};

void selectPanelProjection(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void readHud(Game& game) {
    const Player& player = *game.universe.player;
    const WorldState& world = currentWorld(game);
    LoopState& loop = game.loop;
    HudReading& hud = game.hud;
    hud.cursor = cursorTarget(loop, player.position);
    formatStatusLines(loop, world.ships.size(), world.projectiles.size(), world.timers.size(),
                      player.getHealth());
    hud.gate = game.aidsShown ? chosenGate(game.gateChoice, game.universe) : nullptr;
    const char* destination = hud.gate ? leadsTo(game.universe, *hud.gate) : "";
    if (hud.gate) {
        hud.gateAids = readAids(player, *hud.gate);
        hud.gateMarker = gateMarker(hud.gateAids, loop.viewHeight);
    }
    if (game.aidsShown)
        predictPath(world, player, game.predictedPath);
    const float arrivalOpacity = jumpNoticeOpacity(game.jumpNotice, loop.lastTicks);

    HudLines& lines = hud.lines;
    clearHudLines(lines);
    const std::string* status[] = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                   &loop.timersText, &loop.healthText};
    std::copy(std::begin(status), std::end(status), lines.status);
    if (game.paused)
        lines.paused.assign("Paused");
    lines.arrivalOpacity = arrivalOpacity;
    if (arrivalOpacity > 0)
        lines.arrival.assign(game.jumpNotice.text);
    const Survival& s = game.survival;
    if (s.on)
        sayScore(lines, s.shownKills, s.shownSeconds);
    if (s.on && s.destroyed)
        sayDestroyed(lines, s.last.kills, s.last.seconds, s.best.front().kills,
                     s.best.front().seconds);
    if (game.aidsShown && !world.stars.empty())
        lines.systemName.assign(world.stars.front().name);
    if (game.aidsShown)
        saySpeed(lines, std::hypot(player.velocity.x, player.velocity.y));
    if (hud.gate)
        sayGate(lines, destination, hud.gateAids.gateDistance, hud.gateAids.closingSpeed);
}

void drawHud(Game& game) {
    const Player& player = *game.universe.player;
    const HudReading& hud = game.hud;
    glColor4fv(cursorColour);
    drawMouse(hud.cursor);
    drawBoundary();
    if (game.aidsShown) {
        drawVelocityLine(player, game.loop.viewHeight / 3);
        drawPredictedPath(game.predictedPath);
    }

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    selectPanelProjection(0, w, 0, h);
    // With the aids on the HUD is busiest: its texts get an outline and keep clear of each other.
    Font& font = *game.font;
    font.outline = game.aidsShown ? textOutline : 0;
    const HudTexts texts = measureHud(font, hud.lines);
    const HudLayout layout =
        layoutHud(static_cast<float>(w), static_cast<float>(h), texts, game.aidsShown);
    drawHudTexts(font, hud.lines, layout);
    if (game.aidsShown)
        drawShipRing(player.angle);
    if (hud.gate)
        drawGateMarker(font, hud.gateAids, hud.gateMarker, hud.lines, layout.status);
    selectPanelProjection(0, w, -h, 0);
    topLeftUI(currentWorld(game), game.universe.player);
    selectPanelProjection(-w, 0, -h, 0);
    topRightUI(currentWorld(game), game.universe.player);
    if (game.controlsShown) {
        selectPanelProjection(0, w, 0, h);
        drawControlsOverlay(font, static_cast<float>(w), static_cast<float>(h));
    }
}
