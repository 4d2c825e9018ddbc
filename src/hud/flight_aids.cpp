#include "hud/flight_aids.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "bodies/world_state.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/predicted_path.h"
#include "hud/status_lines.h"
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
constexpr float nameDrop = 100;  // under the arrival name, between the panels
const GLfloat pathColour[4] = {0.3f, 1, 0.9f, 0.7f};
constexpr int dotSpacing = 5;    // a dot for every tenth of a second
constexpr float ringRadius = 26; // pixels, clear of the ship's sprite at the start zoom
constexpr float tickLength = 12;
constexpr int ringSegments = 40;

// Lines and shapes with no texture, the colour and texture state put back afterwards.
void beginShapes(const GLfloat* colour) {
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_TEXTURE_BIT);
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

AidReadings readAids(const Player& ship, const Wormhole& gate) {
    const point offset{gate.position.x - ship.position.x, gate.position.y - ship.position.y};
    const float distance = pointDistance(gate.position, ship.position);
    const point towards =
        distance > 0 ? point{offset.x / distance, offset.y / distance} : point{0, 0};
    const point v = ship.velocity;
    return AidReadings{towards, distance, v.x * towards.x + v.y * towards.y,
                       std::sqrt(v.x * v.x + v.y * v.y), ship.angle};
}

void formatGateLabel(char* out, size_t size, const char* leadsTo, float distance) {
    if (distance >= 1000)
        std::snprintf(out, size, "to %s %.1fk", leadsTo, static_cast<double>(distance / 1000));
    else
        std::snprintf(out, size, "to %s %.0f", leadsTo, static_cast<double>(distance));
}

void formatClosing(char* out, size_t size, float closingSpeed) {
    std::snprintf(out, size, "closing %.2f/ms", static_cast<double>(closingSpeed));
}

void formatSpeed(char* out, size_t size, float speed) {
    std::snprintf(out, size, "speed %.2f units/ms", static_cast<double>(speed));
}

void drawGateMarker(Font& font, const AidReadings& aids, const char* leadsTo, float viewHeight,
                    const HudRect& keepOut) {
    const point offset{aids.gateDirection.x * aids.gateDistance,
                       aids.gateDirection.y * aids.gateDistance};
    const point at = edgeMarker(offset, static_cast<float>(h) / viewHeight, static_cast<float>(w),
                                static_cast<float>(h), markerMargin, markerTopMargin);
    // A triangle pointing at the gate.
    const point ahead = aids.gateDistance > 0 ? aids.gateDirection : point{1, 0};
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

    char text[96];
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(gateColour);
    // The labels sit on the side of the marker towards the window's centre, the two lines
    // together clear of keepOut.
    const point centre{at.x - ahead.x * 3 * markerSize, at.y - ahead.y * 3 * markerSize};
    const float lineGap = labelScale * 1.5f;
    char closing[48];
    formatGateLabel(text, sizeof text, leadsTo, aids.gateDistance);
    formatClosing(closing, sizeof closing, aids.closingSpeed);
    std::string& line = label(text);
    const float gateWidth = font.textWidth(line, labelScale);
    float gateBottom = 0;
    float gateTop = 0;
    font.textHeight(line, labelScale, gateBottom, gateTop);
    label(closing);
    const float closingWidth = font.textWidth(line, labelScale);
    float closingBottom = 0;
    float closingTop = 0;
    font.textHeight(line, labelScale, closingBottom, closingTop);
    const float halfWidth = std::max(gateWidth, closingWidth) / 2 + font.outline;
    const float bottom = std::min(gateBottom, closingBottom - lineGap);
    const float y = clearAbove(HudRect{centre.x - halfWidth, centre.y + bottom,
                                       centre.x + halfWidth, centre.y + gateTop},
                               keepOut, centre.y);
    font.displayText(line, centre.x - closingWidth / 2, y - lineGap, labelScale);
    label(text);
    font.displayText(line, centre.x - gateWidth / 2, y, labelScale);
    glPopAttrib();
}

TextExtent measureSpeed(const Font& font, float speed) {
    char text[48];
    formatSpeed(text, sizeof text, speed);
    return measureText(font, label(text), labelScale);
}

void drawSpeed(Font& font, float speed, float y) {
    char text[48];
    formatSpeed(text, sizeof text, speed);
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(aidColour);
    std::string& line = label(text);
    font.displayText(line, (w - font.textWidth(line, labelScale)) / 2, y, labelScale);
    glPopAttrib();
}

void drawShipRing(float heading) {
    const point centre{w / 2.0f, h / 2.0f};
    beginShapes(aidColour);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < ringSegments; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / ringSegments;
        glVertex2f(centre.x + std::cos(a) * ringRadius, centre.y + std::sin(a) * ringRadius);
    }
    glEnd();
    const point ahead{std::cos(heading), std::sin(heading)};
    glBegin(GL_LINES);
    glVertex2f(centre.x + ahead.x * ringRadius, centre.y + ahead.y * ringRadius);
    glVertex2f(centre.x + ahead.x * (ringRadius + tickLength),
               centre.y + ahead.y * (ringRadius + tickLength));
    glEnd();
    glPopAttrib();
}

void drawPredictedPath(const PredictedPath& path) {
    beginShapes(pathColour);
    glPointSize(4);
    glBegin(GL_POINTS);
    for (int i = dotSpacing - 1; i < path.count; i += dotSpacing)
        glVertex2f(path.points[i].x, path.points[i].y);
    glEnd();
    glPopAttrib();
}

const char* systemName(const WorldState& world, int index) {
    static char unnamed[32];
    if (!world.stars.empty())
        return world.stars.front().name.c_str();
    std::snprintf(unnamed, sizeof unnamed, "system %d", index);
    return unnamed;
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
