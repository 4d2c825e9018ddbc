#pragma once
#include <list>
#include <vector>

#include "core/geometry.h"

class Ship;

// A world's ships side by side, in list order, for one projectile pass, and sorted into square
// cells of the field so that a shot looks only at the ships in the cells its path crosses. Ships
// neither move nor leave while shots are tested against them. Gathering again reuses the
// arrays' memory.
class ShipPositions {
  public:
    void gather(std::list<Ship>& ships);
    // The ship whose centre the segment from `from` to `to` passes strictly within hitRadius of
    // and that is nearest to `from`; an earlier ship keeps a tie. nullptr when no ship is on it.
    Ship* nearestOnPath(point from, point to, int hitRadius) const;

  private:
    // The cell index of p, or cellCount when p lies off the grid (outside the field, or NaN).
    size_t cellOf(point p) const;
    void sortIntoCells();

    std::vector<point> positions;
    std::vector<Ship*> ships;
    // The ships of cell c are byCell[cellStart[c]] up to byCell[cellStart[c + 1]], in list order.
    std::vector<size_t> cellStart;
    std::vector<size_t> byCell;
    // Set when any ship is off the grid, or when there are too few ships to be worth sorting.
    bool scanEveryShip = false;
};
