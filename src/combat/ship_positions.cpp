#include "combat/ship_positions.h"

#include <cmath>

#include "combat/ship.h"

namespace {

// The path's bounding box grown by the hit radius plus some slack. A ship outside it is farther
// than the radius from every point of the path, so the exact sweep test would miss it anyway;
// skipping that test keeps a crowded frame cheap. The slack, a unit plus a margin far above the
// rounding of coordinates this large, keeps rounding from ever deciding. A ship at NaN is never
// excluded; a path with NaN misses every ship in the exact test as well.
struct SweepBox {
    float left;
    float right;
    float bottom;
    float top;

    SweepBox(point a, point b, int hitRadius) {
        const float magnitude = std::fabs(a.x) + std::fabs(a.y) + std::fabs(b.x) + std::fabs(b.y);
        const float reach = std::fabs(static_cast<float>(hitRadius)) + 1 + magnitude * 1e-5f;
        left = std::fmin(a.x, b.x) - reach;
        right = std::fmax(a.x, b.x) + reach;
        bottom = std::fmin(a.y, b.y) - reach;
        top = std::fmax(a.y, b.y) + reach;
    }
    bool excludes(point p) const { return p.x < left || p.x > right || p.y < bottom || p.y > top; }
};

// A shot's path and the box around it.
struct Sweep {
    SweepBox box;
    point from;
    point to;
    float radius;
};

// The ship on the path nearest to its start, an earlier ship keeping a tie, whatever order the
// ships are offered in.
struct Nearest {
    bool found = false;
    size_t index = 0;
    float distance = 0;

    void consider(size_t i, point centre, const Sweep& sweep) {
        if (sweep.box.excludes(centre) ||
            !intersectCircleLine(sweep.from, sweep.to, centre, sweep.radius))
            return;
        const float d = pointDistance(centre, sweep.from);
        if (!found || d < distance || (d == distance && i < index)) {
            found = true;
            index = i;
            distance = d;
        }
    }
};

constexpr float cellSize = 2000;
constexpr size_t cellsPerSide = static_cast<size_t>(2 * fieldHalfSize / cellSize);
constexpr size_t cellCount = cellsPerSide * cellsPerSide;
// A path crossing more cells than this is rare enough to be scanned against every ship.
constexpr size_t mostCellsLookedAt = 16;

// The column or row of a coordinate, or cellsPerSide when it lies off the grid.
size_t cellAlong(float coordinate) {
    const float offset = (coordinate + fieldHalfSize) / cellSize;
    if (!(offset >= 0 && offset < static_cast<float>(cellsPerSide)))
        return cellsPerSide;
    return static_cast<size_t>(offset);
}

} // namespace

size_t ShipPositions::cellOf(point p) const {
    const size_t column = cellAlong(p.x);
    const size_t row = cellAlong(p.y);
    if (column == cellsPerSide || row == cellsPerSide)
        return cellCount;
    return row * cellsPerSide + column;
}

// A counting sort, which keeps list order within each cell. With any ship off the grid, or no
// more ships than a path may look at in cells, every shot looks at every ship: no cells are
// needed, and a few ships are checked sooner than ten thousand cells are counted.
void ShipPositions::sortIntoCells() {
    scanEveryShip = positions.size() <= mostCellsLookedAt;
    for (const point& p : positions)
        scanEveryShip = scanEveryShip || cellOf(p) == cellCount;
    if (scanEveryShip)
        return;
    cellStart.assign(cellCount + 1, 0);
    for (const point& p : positions)
        ++cellStart[cellOf(p) + 1];
    for (size_t c = 1; c < cellStart.size(); ++c)
        cellStart[c] += cellStart[c - 1];
    byCell.resize(positions.size());
    for (size_t i = 0; i < positions.size(); ++i)
        byCell[cellStart[cellOf(positions[i])]++] = i;
    // Each start has moved on to the next cell's; shifted back, cell c starts at cellStart[c].
    for (size_t c = cellCount; c > 0; --c)
        cellStart[c] = cellStart[c - 1];
    cellStart[0] = 0;
}

void ShipPositions::gather(std::list<Ship>& list) {
    positions.clear();
    ships.clear();
    for (Ship& ship : list) {
        positions.push_back(ship.position);
        ships.push_back(&ship);
    }
    sortIntoCells();
}

Ship* ShipPositions::nearestOnPath(point from, point to, int hitRadius) const {
    const SweepBox box(from, to, hitRadius);
    const Sweep sweep{box, from, to, static_cast<float>(hitRadius)};
    Nearest nearest;
    const size_t first = cellOf({box.left, box.bottom});
    const size_t last = cellOf({box.right, box.top});
    // Ships off the grid, or a path reaching off it or across many cells: every ship in turn.
    if (scanEveryShip || first == cellCount || last == cellCount ||
        (last % cellsPerSide - first % cellsPerSide + 1) *
                (last / cellsPerSide - first / cellsPerSide + 1) >
            mostCellsLookedAt) {
        for (size_t i = 0; i < positions.size(); ++i)
            nearest.consider(i, positions[i], sweep);
    } else {
        for (size_t row = first / cellsPerSide; row <= last / cellsPerSide; ++row) {
            for (size_t cell = row * cellsPerSide + first % cellsPerSide;
                 cell <= row * cellsPerSide + last % cellsPerSide; ++cell)
                for (size_t k = cellStart[cell]; k < cellStart[cell + 1]; ++k)
                    nearest.consider(byCell[k], positions[byCell[k]], sweep);
        }
    }
    return nearest.found ? ships[nearest.index] : nullptr;
}
