#include "hud/flight_aids.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "bodies/world_state.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "player/player.h"

namespace {

const GLfloat aidColour[4] = {0.3f, 1, 0.9f, 0.9f};
const GLfloat gateColour[4] = {0.75f, 0.35f, 1, 1}; // the map's gate colour
constexpr float markerMargin = 60;
// Below the panels and the figures between them.
constexpr float markerTopMargin = 260;
constexpr float markerSize = 14;
constexpr float labelScale = 16;
constexpr float nameScale = 18;
constexpr float nameDrop = 100; // under the arrival name, between the panels

// Lines and shapes with no texture, the colour and texture state put back afterwards.
void beginShapes(const GLfloat* colour) {
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_TEXTURE_BIT);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(2);
    glColor4fv(colour);
}

// Kept from frame to frame so that the labels reuse their memory.
std::string& label(const char* text) {
    static std::string line;
    line.assign(text);
    return line;
}

} // namespace

void drawVelocityLine(const Player& player, float maxLength) {
    const point v = player.getVelocity();
    const float speed = std::sqrt(v.x * v.x + v.y * v.y);
    if (speed <= 0)
        return;
    const float length = std::min(speed * velocityLineScale, maxLength);
    const point p = player.position;
    beginShapes(aidColour);
    glBegin(GL_LINES);
    glVertex2f(p.x, p.y);
    glVertex2f(p.x + v.x / speed * length, p.y + v.y / speed * length);
    glEnd();
    glPopAttrib();
}

point edgeMarker(point offset, float pixelsPerUnit, float width, float height, float margin,
                 float topMargin) {
    const point centre{width / 2, height / 2};
    const point pixels{offset.x * pixelsPerUnit, offset.y * pixelsPerUnit};
    // How far along the way to the gate each edge of the box cuts it; 1 or more: not before it.
    const float alongX = std::fabs(pixels.x) / (width / 2 - margin);
    const float alongY =
        std::fabs(pixels.y) / (pixels.y > 0 ? height / 2 - topMargin : height / 2 - margin);
    const float scale = std::max(alongX, alongY);
    if (scale <= 1)
        return point{centre.x + pixels.x, centre.y + pixels.y};
    return point{centre.x + pixels.x / scale, centre.y + pixels.y / scale};
}

void drawWormholeMarker(Font& font, const WorldState& world, point ship, float viewHeight,
                        const HudRect& keepOut) {
    const Wormhole* nearest = nullptr;
    for (const Wormhole& gate : world.wormholes)
        if (!nearest || pointDistance(gate.position, ship) < pointDistance(nearest->position, ship))
            nearest = &gate;
    if (!nearest)
        return;
    const point offset{nearest->position.x - ship.x, nearest->position.y - ship.y};
    const float distance = pointDistance(nearest->position, ship);
    const point at = edgeMarker(offset, static_cast<float>(h) / viewHeight, static_cast<float>(w),
                                static_cast<float>(h), markerMargin, markerTopMargin);
    // A triangle pointing at the gate.
    const float angle = std::atan2(offset.y, offset.x);
    const point ahead{std::cos(angle), std::sin(angle)};
    const point side{-ahead.y, ahead.x};
    beginShapes(gateColour);
    glBegin(GL_TRIANGLES);
    glVertex2f(at.x + ahead.x * markerSize, at.y + ahead.y * markerSize);
    glVertex2f(at.x - ahead.x * markerSize + side.x * markerSize * 0.7f,
               at.y - ahead.y * markerSize + side.y * markerSize * 0.7f);
    glVertex2f(at.x - ahead.x * markerSize - side.x * markerSize * 0.7f,
               at.y - ahead.y * markerSize - side.y * markerSize * 0.7f);
    glEnd();
    glPopAttrib();

    char text[32];
    if (distance >= 1000)
        std::snprintf(text, sizeof text, "%.1fk", static_cast<double>(distance / 1000));
    else
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(distance));
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(gateColour);
    // The label sits on the side of the marker towards the window's centre.
    std::string& line = label(text);
    const float width = font.textWidth(line, labelScale);
    const float x = at.x - ahead.x * 2 * markerSize - width / 2;
    float bottom = 0;
    float top = 0;
    font.textHeight(line, labelScale, bottom, top);
    float y = at.y - ahead.y * 2 * markerSize - labelScale / 2;
    y = clearAbove(HudRect{x - font.outline, y + bottom, x + width + font.outline, y + top},
                   keepOut, y);
    font.displayText(line, x, y, labelScale);
    glPopAttrib();
}

void drawSystemName(Font& font, const WorldState& world) {
    if (world.stars.empty())
        return;
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(aidColour);
    std::string& line = label(world.stars.front().name.c_str());
    font.displayText(line, (w - font.textWidth(line, nameScale)) / 2, h - nameDrop, nameScale);
    glPopAttrib();
}
