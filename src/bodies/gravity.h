#pragma once
#include "core/geometry.h"

struct WorldState;

// Velocity change that a body of the given radius and density at bodyPosition gives an object
// at objectPosition over dt ms. An object at the body's very centre, or so near it that the pull
// is stronger than any body's at its surface, gets (0, 0).
point gravityPull(point bodyPosition, float radius, float density, point objectPosition, int dt);
// How far a body's gravity reaches.
float gravityReach(float radius, float density);
// What a star or planet does to the player's ship in flight: within reach (exclusive) its pull is
// added to velocity, beyond it nothing.
void pullShip(point bodyPosition, float radius, float density, point shipPosition, point& velocity,
              int dt);
// What a star or planet does to the shots and enemy ships of its world: those touching it
// (distance <= radius) explode and are removed, those within reach (inclusive) are pulled. Where
// survival's chasers go round, a chaser touching it is set back on its surface instead.
void swallowOrPull(WorldState& world, point bodyPosition, float radius, float density, int dt);
