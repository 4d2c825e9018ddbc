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

} // namespace

void ShipPositions::gather(std::list<Ship>& list) {
    positions.clear();
    ships.clear();
    for (Ship& ship : list) {
        positions.push_back(ship.position);
        ships.push_back(&ship);
    }
}

Ship* ShipPositions::nearestOnPath(point from, point to, int hitRadius) const {
    const SweepBox box(from, to, hitRadius);
    const float radius = static_cast<float>(hitRadius);
    Ship* nearest = nullptr;
    float nearestDistance = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
        const point centre = positions[i];
        if (box.excludes(centre) || !intersectCircleLine(from, to, centre, radius))
            continue;
        const float distance = pointDistance(centre, from);
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = ships[i];
            nearestDistance = distance;
        }
    }
    return nearest;
}
