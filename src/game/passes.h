#pragma once

struct ViewRect;
struct WorldState;
struct Universe;
class Player;

// The wormholes of the player's world at the pass's start; a jump does not change which.
// True when one of them sent the player on.
bool processWormholes(Universe& universe);
void drawWormholes(WorldState& world, int now);
void updateProjectiles(WorldState& world, int delta, unsigned now);
// Only the shots, ships and bodies that may touch view are drawn.
void drawProjectiles(const WorldState& world, const ViewRect& view);
// A ship's update moves only that ship (and may hurt the player or leave an explosion), so the
// survivors are drawn after all of them have moved.
void updateShips(WorldState& world, Player* player, int delta);
void drawShips(const WorldState& world, const ViewRect& view);
// Stars and their planets move, pull and burn without drawing; each star is then drawn over its
// planets, in the blend each has always been drawn with.
void updateStars(WorldState& world, Player* player, int delta);
void drawStars(WorldState& world, const ViewRect& view);
