#include "game/frame_hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <string>

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
    const LoopState& loop = game.loop;
    const std::string* lines[] = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                  &loop.timersText, &loop.healthText};
    float y = 0;
    for (const std::string* line : lines) {
        game.font->displayText(*line, 0, y, 20);
        y += 30;
    }
}

void drawSurvivalHud(Game& game) {
    const Survival& s = game.survival;
    if (!s.on)
        return;
    drawRunScore(*game.font, s.shownKills, s.shownSeconds);
    if (s.destroyed)
        drawDestroyed(*game.font, s.last.kills, s.last.seconds, s.best.front().kills,
                      s.best.front().seconds);
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
        drawVelocityLine(player, game.loop.viewHeight / 3);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    selectPanelProjection(0, w, 0, h);
    drawStatusText(game);
    if (game.paused)
        game.font->displayText(pausedText, (w - game.font->textWidth(pausedText, pausedScale)) / 2,
                               h / 2 + 100, pausedScale);
    drawJumpNotice(game.jumpNotice, *game.font, game.loop.lastTicks);
    drawSurvivalHud(game);
    if (game.aidsShown) {
        drawSystemName(*game.font, currentWorld(game));
        drawWormholeMarker(*game.font, currentWorld(game), player.position, game.loop.viewHeight);
    }
    selectPanelProjection(0, w, -h, 0);
    topLeftUI(currentWorld(game), game.universe.player);
    selectPanelProjection(-w, 0, -h, 0);
    topRightUI(currentWorld(game), game.universe.player);
}
