#include "hud/panels.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "bodies/world_state.h"
#include "core/report_error.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"
#include "graphics/window_size.h"
#include "player/player.h"

namespace {

constexpr float panelSize = 200;
constexpr float radarRange = 10000;
constexpr float radarScale = 82.5f / radarRange;
constexpr float radarBlipHalfSize = 500;
constexpr float mapRange = 200000;
constexpr float mapScale = 84.0f / mapRange;
constexpr float mapStarHalfSize = 10000;
constexpr float mapPlanetHalfSize = 8000;
constexpr float mapPlayerHalfSize = 10000;
constexpr float mapWormholeHalfSize = 8000;
// Violet, a colour no other blip or dot uses, so a gate is never taken for a ship or a body.
constexpr GLfloat wormholeBlipColour[3] = {0.75f, 0.35f, 1};

// Replaces the projection (saved on its stack) so that game coordinates land on a panel, with
// the player at the panel's centre; z is flattened so that nothing is clipped by depth.
void pushPanelProjection(double left, double right, double bottom, double top, float scale,
                         point centre) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glScalef(scale, scale, 0);
    glTranslatef(-centre.x, -centre.y, 0);
    glMatrixMode(GL_MODELVIEW);
}

void popPanelProjection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    reportError();
}

// The gates of the world closer than range to the centre, as tinted dots. The current colour
// and the texture environment are put back, so the panels leave the state they always have.
void drawWormholeBlips(const WorldState& world, point centre, float range, float halfSize) {
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor3fv(wormholeBlipColour);
    for (const Wormhole& wormhole : world.wormholes)
        if (pointDistance(wormhole.position, centre) < range)
            drawRadarBlip(wormhole.position, texWhiteDot, halfSize);
    glPopAttrib();
}

// The enemies closer than the radar's range, all in one batch of quads on one texture: a draw
// and a bind per blip cost the driver far more than their few pixels.
void drawEnemyBlips(const WorldState& world, point centre) {
    const float s = radarBlipHalfSize;
    glBindTexture(GL_TEXTURE_2D, textures[texEnemyRadar]);
    glBegin(GL_QUADS);
    for (const Ship& ship : world.ships) {
        if (pointDistance(ship.position, centre) >= radarRange)
            continue;
        const point p = ship.position;
        glTexCoord2f(0, 0);
        glVertex2f(p.x - s, p.y - s);
        glTexCoord2f(0, 1);
        glVertex2f(p.x - s, p.y + s);
        glTexCoord2f(1, 1);
        glVertex2f(p.x + s, p.y + s);
        glTexCoord2f(1, 0);
        glVertex2f(p.x + s, p.y - s);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

void drawRadarBlip(point p, int slot, float halfSize) {
    drawSpriteAt(p, slot, halfSize);
}

void topLeftUI(WorldState& world, Player* player) {
    glBindTexture(GL_TEXTURE_2D, textures[texRadar]);
    texturedQuad({0, 0}, {0, -panelSize}, {panelSize, -panelSize}, {panelSize, 0});

    const point centre = player->position;
    const double half = panelSize / 2;
    pushPanelProjection(-half, w - half, half - h, half, radarScale, centre);

    // The player goes first so that enemies and bodies near it stay visible on top.
    drawRadarBlip(centre, texPlayerRadar, radarBlipHalfSize);
    drawWormholeBlips(world, centre, radarRange, radarBlipHalfSize);
    drawEnemyBlips(world, centre);
    for (Star& star : world.stars) {
        if (pointDistance(star.position, centre) < radarRange)
            star.draw();
        // A planet may be in range while its star is not.
        for (Planet& planet : star.planets)
            if (pointDistance(planet.position, centre) < radarRange)
                planet.draw();
    }

    popPanelProjection();
}

void topRightUI(WorldState& world, Player* player) {
    glBindTexture(GL_TEXTURE_2D, textures[texMap]);
    texturedQuad({-panelSize, -panelSize}, {-panelSize, 0}, {0, 0}, {0, -panelSize});

    const point centre = player->position;
    const double half = panelSize / 2;
    // One unit per window pixel, like the radar, so that the map's centre and its 84-pixel
    // range land where its background is drawn.
    pushPanelProjection(half - w, half, half - h, half, mapScale, centre);

    // The dots are one white sprite tinted by the current colour.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (const Star& star : world.stars) {
        if (pointDistance(star.position, centre) < mapRange) {
            glColor3f(1, 0.2f, 0.2f);
            drawRadarBlip(star.position, texWhiteDot, mapStarHalfSize);
        }
        for (const Planet& planet : star.planets) {
            if (pointDistance(planet.position, centre) < mapRange) {
                glColor3f(0, 1, 0.2f);
                drawRadarBlip(planet.position, texWhiteDot, mapPlanetHalfSize);
            }
        }
    }
    // Gates sit close to their star; drawn after the bodies, they stay whole.
    drawWormholeBlips(world, centre, mapRange, mapWormholeHalfSize);
    // The player's blip keeps its own colours and sits over the dots.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawRadarBlip(centre, texPlayerRadar, mapPlayerHalfSize);

    popPanelProjection();
}
