#include <gtest/gtest.h>

#include <random>

#include "bodies/world_state.h"
#include "combat/projectile.h"
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
