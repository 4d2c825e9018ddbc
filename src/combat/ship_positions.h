#pragma once
#include <list>
#include <vector>

#include "core/geometry.h"

class Ship;

// A world's ships side by side, in list order, for one projectile pass. Ships neither move nor
// leave while shots are tested against them, and scanning an array for every shot is far cheaper
// than walking the list for every shot. Gathering again reuses the arrays' memory.
class ShipPositions {
  public:
    void gather(std::list<Ship>& ships);
    // The ship whose centre the segment from `from` to `to` passes strictly within hitRadius of
    // and that is nearest to `from`; an earlier ship keeps a tie. nullptr when no ship is on it.
    Ship* nearestOnPath(point from, point to, int hitRadius) const;

  private:
    std::vector<point> positions;
    std::vector<Ship*> ships;
};
