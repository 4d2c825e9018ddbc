#pragma once
#include <vector>

#include "bodies/world_state.h"

struct Game;
class TShockwave;

// A scripted scene for the player's current star system: the player flying with the engine lit,
// drifting enemy hulks on a spiral around it, bullets flying outwards and two shockwaves. Nothing
// in it collides, so the frame removes nothing; what moves is put back before each frame. The
// scene keeps its own ships, shots and timers and swaps them into the world only for its frames,
// so that scenes can take turns frame by frame.
class Scene {
  public:
    Scene(Game& game, int ships, int projectiles);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Before a frame at tick now: the scene in the world, the player, the bullets and the
    // shockwaves back in place and the thrust key held.
    void enter(unsigned now);
    // After the frame: empty when the scene is as scripted, else what the frame changed.
    const char* fault() const;
    // The scene's lists back out of the world.
    void leave();

  private:
    void swapWithWorld();

    Game& game;
    int world;
    WorldState held;
    size_t shipCount;
    std::vector<point> shots;
    TShockwave* waves[2];
};
