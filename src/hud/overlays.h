#pragma once
#include "core/geometry.h"

void drawBackground();
void drawBoundary();
void drawMouse(point p);
// Half the side of an enemy's square sprite.
constexpr float enemyHalfSize = 40.0f;
void drawEnemy(point p, float heading);
// The same with the enemy's texture already bound, so that many enemies bind it once.
void drawEnemyQuad(point p, float heading);
