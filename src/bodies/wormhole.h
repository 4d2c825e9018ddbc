#pragma once
#include "core/geometry.h"
#include "graphics/emitter.h"

struct Universe;

// A gate that sends the player's ship to a point in another (or the same) star system.
class Wormhole {
  public:
    int world;
    point position;
    float radius;
    int destinationWorld;
    point destination;
    Emitter swirl;

    Wormhole(int world, point position, float radius, int destinationWorld, point destination,
             int emitterIndex);

    // Sends the player on when its ship is inside; no drawing. True when it did.
    bool update(Universe& universe);
    // The swirl at tick now: its clock reads the tick count itself, not a running sum of them.
    void draw(int now);
};
