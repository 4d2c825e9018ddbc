#pragma once
#include "core/geometry.h"

// Beyond this many game units from the ship a sound is not heard; at the default zoom the screen
// reaches about 2500 units to either side.
constexpr float hearingReach = 6000;
// A sound this far to one side, or farther, plays in that ear alone (mostly).
constexpr float panReach = 2500;

// How loud (0 to 1) and where (-1 left to 1 right) a sound made at source is heard from listener.
struct Placement {
    float gain;
    float pan;
};

Placement placeSound(point listener, point source);
