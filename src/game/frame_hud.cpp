#include "game/frame_hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

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
