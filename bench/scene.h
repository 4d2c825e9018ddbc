#pragma once
#include <vector>

#include "core/geometry.h"

struct Game;
class TShockwave;

// A scripted scene in the player's current star system: the player flying with the engine lit,
// drifting enemy hulks on a spiral around it, bullets flying outwards and two shockwaves. Nothing
// in it collides, so the frame removes nothing; what moves is put back before each frame.
class Scene {
  public:
    Scene(Game& game, int ships, int projectiles);
    // Before a frame at tick now: the player, the bullets and the shockwaves back in place and
    // the thrust key held.
    void restore(unsigned now);
    // After a frame: empty when the scene is as scripted, else what the frame changed.
    const char* fault() const;

  private:
    Game& game;
    int world;
    size_t ships;
    std::vector<point> shots;
    TShockwave* waves[2];
};
