#include "hud/flight_aids.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/hud_lines.h"
#include "hud/predicted_path.h"
#include "player/player.h"

namespace {

const GLfloat aidColour[4] = {0.3f, 1, 0.9f, 0.9f};
const GLfloat gateColour[4] = {0.75f, 0.35f, 1, 1}; // the map's gate colour
constexpr float markerSize = 14;
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

void drawGateMarker(Font& font, const AidReadings& aids, point at, const HudLines& lines,
                    const HudRect& keepOut) {
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

    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(gateColour);
    // The labels sit on the side of the marker towards the window's centre, the two lines
    // together clear of keepOut.
    const point centre{at.x - ahead.x * 3 * markerSize, at.y - ahead.y * 3 * markerSize};
    const float lineGap = aidLabelScale * 1.5f;
    const float gateWidth = font.textWidth(lines.gateLabel, aidLabelScale);
    float gateBottom = 0;
    float gateTop = 0;
    font.textHeight(lines.gateLabel, aidLabelScale, gateBottom, gateTop);
    const float closingWidth = font.textWidth(lines.closing, aidLabelScale);
    float closingBottom = 0;
    float closingTop = 0;
    font.textHeight(lines.closing, aidLabelScale, closingBottom, closingTop);
    const float halfWidth = std::max(gateWidth, closingWidth) / 2 + font.outline;
    const float bottom = std::min(gateBottom, closingBottom - lineGap);
    const float y = clearAbove(HudRect{centre.x - halfWidth, centre.y + bottom,
                                       centre.x + halfWidth, centre.y + gateTop},
                               keepOut, centre.y);
    font.displayText(lines.closing, centre.x - closingWidth / 2, y - lineGap, aidLabelScale);
    font.displayText(lines.gateLabel, centre.x - gateWidth / 2, y, aidLabelScale);
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
