#pragma once
#include "core/geometry.h"

// One textured quad, its corners given in the order of the texture coordinates (0, 0), (0, 1),
// (1, 1) and (1, 0).
void texturedQuad(point c00, point c01, point c11, point c10);
// Sets the texture coordinate that every quad leaves current, that of its last corner: a pass
// that leaves out sprites out of view leaves the state as drawing them all would.
void leaveQuadTexCoord();
// A sprite of half side s round the current origin, standing upright: every sprite, body and
// effect is drawn this way.
void spriteQuad(float s);
// The sprite in texture slot `slot`, of half side s, centred on p in the current coordinates;
// the matrix is restored and no texture is left bound.
void drawSpriteAt(point p, int slot, float s);
