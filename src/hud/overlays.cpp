#include "hud/overlays.h"

#include <GL/glew.h>

#include "core/report_error.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"

namespace {

constexpr float farLayerDepth = -10000.0f;
constexpr float nearRepeats = 20.0f;
constexpr float farRepeats = 4.0f;
constexpr float cursorHalfSize = 30.0f;
// Enemies keep their heading in radians; this is the factor the game has always turned them by.
constexpr float enemyDegreesPerRadian = 57.32f;

// The whole field as one quad, its texture repeated `repeats` times along each axis.
void fieldQuad(float repeats) {
    const float e = fieldHalfSize;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-e, -e, 0);
    glTexCoord2f(0, repeats);
    glVertex3f(-e, e, 0);
    glTexCoord2f(repeats, repeats);
    glVertex3f(e, e, 0);
    glTexCoord2f(repeats, 0);
    glVertex3f(e, -e, 0);
    glEnd();
}

void fieldSquare(float z) {
    const float e = fieldHalfSize;
    glVertex3f(-e, -e, z);
    glVertex3f(-e, e, z);
    glVertex3f(e, e, z);
    glVertex3f(e, -e, z);
    glVertex3f(-e, -e, z);
}

} // namespace

void drawBackground() {
    glBindTexture(GL_TEXTURE_2D, textures[texDust]);
    fieldQuad(nearRepeats);
    glPushMatrix();
    glTranslatef(0, 0, farLayerDepth);
    fieldQuad(farRepeats);
    glPopMatrix();
}

void drawBoundary() {
    GLfloat saved[4];
    glGetFloatv(GL_CURRENT_COLOR, saved);
    glBegin(GL_LINE_STRIP);
    glColor3f(1, 1, 1);
    fieldSquare(0);
    glColor3f(1, 0, 0);
    fieldSquare(farLayerDepth);
    glEnd();
    glColor4fv(saved);
}

void drawMouse(point p) {
    drawSpriteAt(p, texMouse, cursorHalfSize);
}

void drawEnemy(point p, float heading) {
    glBindTexture(GL_TEXTURE_2D, textures[texEnemy]);
    drawEnemyQuad(p, heading);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawEnemyQuad(point p, float heading) {
    glPushMatrix();
    glTranslatef(p.x, p.y, 0);
    glRotatef(heading * enemyDegreesPerRadian, 0, 0, 1);
    spriteQuad(enemyHalfSize);
    glPopMatrix();
}
