#pragma once
#include "core/geometry.h"

struct WorldState;
class Player;

void drawRadarBlip(point p, int slot, float halfSize);
void topLeftUI(WorldState& world, Player* player);
void topRightUI(WorldState& world, Player* player);
