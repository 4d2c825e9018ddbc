#pragma once
#include "core/geometry.h"

struct WorldState;
class Player;

// The flight aids' dotted line: where the ship will be over the next ten seconds if it stops
// thrusting, stepped by the simulation's own rules. The steps are the simulation's longest, so
// that the line matches the game at any frame rate to within one step's rounding.
constexpr int pathStepMs = 20;
constexpr int pathSteps = 500;
// The planets' orbits are followed in a fixed scratch of this many; a system with more shows no
// line.
constexpr int maxPathPlanets = 64;

// Filled in place each frame: nothing is allocated.
struct PredictedPath {
    point points[pathSteps];
    int count = 0;
};

// The ship's position after each step of pathStepMs with no key held: coasting under the pull of
// every star and planet of world, the planets moving on along their orbits. Ends with the step
// that puts the ship down on a planet or into a gate; empty while the ship is landed.
void predictPath(const WorldState& world, const Player& ship, PredictedPath& path);
