#include "graphics/sprite_quad.h"

#include <GL/gl.h>

#include "core/report_error.h"
#include "graphics/textures.h"

void texturedQuad(point c00, point c01, point c11, point c10) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(c00.x, c00.y);
    glTexCoord2f(0, 1);
    glVertex2f(c01.x, c01.y);
    glTexCoord2f(1, 1);
    glVertex2f(c11.x, c11.y);
    glTexCoord2f(1, 0);
    glVertex2f(c10.x, c10.y);
    glEnd();
}

void leaveQuadTexCoord() {
    glTexCoord2f(1, 0);
}

void spriteQuad(float s) {
    texturedQuad({-s, -s}, {-s, s}, {s, s}, {s, -s});
}

void drawSpriteAt(point p, int slot, float s) {
    glPushMatrix();
    reportError();
    glTranslatef(p.x, p.y, 0);
    glBindTexture(GL_TEXTURE_2D, textures[slot]);
    reportError();
    spriteQuad(s);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}
