#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <list>
#include <random>

#include "bodies/world_state.h"
#include "combat/projectile.h"
#include "combat/ship_positions.h"
#include "data/weapon_ship_tables.h"

namespace {

// A shot's collision test skips ships that are plainly off its path; that must never change which
// ship, if any, it hits. Paths and ships are drawn around the edge of the hit radius, where a
// wrong shortcut would show.
TEST(SweepShortcut, HitsExactlyTheShipsTheExactSweepFinds) {
    WEAPONDATA = {{200, 2, 1000, 10}};
    SHIPDATA = {{0, 0, 0, 100, 0}};
    std::mt19937 random(7);
    std::uniform_real_distribution<float> offset(-120, 120);
    std::uniform_real_distribution<float> where(-100000, 100000);
    std::uniform_int_distribution<int> radius(-80, 80);
    for (int trial = 0; trial < 20000; ++trial) {
        const point from{where(random), where(random)};
        const point to{from.x + offset(random), from.y + offset(random)};
        const point ship{to.x + offset(random), to.y + offset(random)};
        const int r = radius(random);
        WorldState world;
        world.ships.emplace_back(ship, 0);
        Projectile shot(to, 1, 0, 0, world, 0, true, 1000, 0, 0);
        EXPECT_EQ(shot.handleCollision(from, world, 0, r),
                  intersectCircleLine(to, from, ship, static_cast<float>(r)))
            << "path (" << from.x << ", " << from.y << ") to (" << to.x << ", " << to.y
            << "), ship (" << ship.x << ", " << ship.y << "), radius " << r;
    }
}

} // namespace

namespace {

// The nearest ship on a path found by walking every ship in list order, an earlier ship keeping
// a tie: what the cells of ShipPositions must always agree with.
const Ship* nearestByWalking(const std::list<Ship>& ships, point from, point to, int r) {
    const Ship* nearest = nullptr;
    float nearestDistance = 0;
    for (const Ship& ship : ships) {
        if (!intersectCircleLine(from, to, ship.position, static_cast<float>(r)))
            continue;
        const float d = pointDistance(ship.position, from);
        if (nearest == nullptr || d < nearestDistance) {
            nearest = &ship;
            nearestDistance = d;
        }
    }
    return nearest;
}

// Crowded ships, some sharing a spot, across many cells and up to the field's edge; paths
// short and long, some running off the field.
TEST(SweepShortcut, CellsFindTheShipWalkingEveryShipFinds) {
    SHIPDATA = {{0, 0, 0, 100, 0}};
    std::mt19937 random(11);
    std::uniform_real_distribution<float> across(-7000, 7000);
    std::uniform_real_distribution<float> step(-300, 300);
    std::uniform_int_distribution<int> radius(-80, 80);
    const point centre{fieldHalfSize - 5000, 0};
    std::list<Ship> ships;
    for (int i = 0; i < 4000; ++i) {
        const point p{std::fmin(centre.x + across(random), fieldHalfSize), across(random)};
        ships.emplace_back(p, 0);
        if (i % 10 == 0)
            ships.emplace_back(p, 0);
    }
    ShipPositions positions;
    positions.gather(ships);
    int hits = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const Ship& aimedAt = *std::next(ships.begin(), trial % 400 * 10);
        const float stretch = trial % 50 == 0 ? 40.0f : 1.0f;
        const point to{aimedAt.position.x + step(random), aimedAt.position.y + step(random)};
        const point from{to.x + step(random) * stretch, to.y + step(random) * stretch};
        const int r = radius(random);
        const Ship* expected = nearestByWalking(ships, from, to, r);
        hits += expected != nullptr;
        EXPECT_EQ(positions.nearestOnPath(from, to, r), expected) << "trial " << trial;
    }
    EXPECT_GT(hits, 2000);

    // Equally near, on either side of a row of cells; the one earlier in the list still wins.
    std::list<Ship> pair;
    pair.emplace_back(point{100, 10}, 0);
    pair.emplace_back(point{100, -10}, 0);
    positions.gather(pair);
    EXPECT_EQ(positions.nearestOnPath({0, 0}, {300, 0}, 30), &pair.front());
}

} // namespace
