#pragma once
#include "core/geometry.h"

// Velocity change that a body of the given radius and density at bodyPosition gives an object
// at objectPosition over dt ms. An object at the body's very centre gets (0, 0).
point gravityPull(point bodyPosition, float radius, float density, point objectPosition, int dt);
// How far a body's gravity reaches.
float gravityReach(float radius, float density);
