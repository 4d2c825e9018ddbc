#pragma once
#include "core/geometry.h"

void drawBackground();
void drawBoundary();
void drawMouse(point p);
void drawEnemy(point p, float heading);
