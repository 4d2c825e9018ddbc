#pragma once
#include <vector>

#include "bodies/world_state.h"

struct Game;
class TShockwave;

// What a scene holds around the player: ships of one type on a spiral near it, chasers far off
// where the game spawns them, and bullets flying outwards.
struct SceneContents {
    int nearShips;
    int nearType;
    int farChasers;
    int shots;
};

// A scripted scene for the player's current star system: the player flying with the engine lit,
// the scene's ships and bullets around it and two shockwaves. Nothing in it collides, so the
// frame removes nothing; what moves, ships included, is put back before each frame. The
// scene keeps its own ships, shots and timers and swaps them into the world only for its frames,
// so that scenes can take turns frame by frame.
class Scene {
  public:
    Scene(Game& game, const SceneContents& contents);
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
    std::vector<Ship> ships;
    std::vector<point> shots;
    TShockwave* waves[2];
};
