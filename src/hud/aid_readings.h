#pragma once
#include "core/geometry.h"

class Player;
class Wormhole;

// What the flight aids tell a pilot about the ship and the chosen gate.
struct AidReadings {
    point gateDirection; // unit vector from the ship towards the gate (the arrow)
    float gateDistance;  // game units between the ship's centre and the gate's
    float closingSpeed;  // units/ms at which that distance shrinks (negative: it grows)
    float speed;         // the ship's speed, units/ms
    float heading;       // radians, the ring's tick
};
AidReadings readAids(const Player& ship, const Wormhole& gate);

// Where the gate's marker goes in window pixels with y upwards: on the gate, or on the view's
// edge towards it when it is off screen (clear of the panels at the top). viewHeight is the game
// units the window's height shows.
point gateMarker(const AidReadings& aids, float viewHeight);
