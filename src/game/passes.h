#pragma once

struct WorldState;
struct Universe;
class Player;

void processWormholes(Universe& universe, int now);
void processProjectiles(WorldState& world, int delta, int now);
void processShips(WorldState& world, Player* player, int delta);
void processStars(WorldState& world, Player* player, int delta);
