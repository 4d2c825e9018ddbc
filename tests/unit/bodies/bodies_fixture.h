#pragma once
#include <gtest/gtest.h>

#include <cmath>

#include "combat/timers.h"
#include "core/world_state.h"
#include "data/weapon_ship_tables.h"
#include "graphics/emitter_data.h"
#include "player/player.h"

// A world with the tables that shots and ships are built from, and a player of radius 50 at
// rest, far from everything until a test places it.
class BodiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WEAPONDATA = {{100, 1, 1000, 10}, {0, 0, 0, 1}, {100, 1, 1000, 1}};
        SHIPDATA = {{0, 0, 0, 10, 5}, {0, 0.01f, 1, 10, 5}};
        emitters.clear();
        player = new Player(point{90000, 90000}, 0.0015f, 0.012f, 0.0035f, 100, 50);
    }
    void TearDown() override {
        delete player;
        for (TimerBase* timer : world.timers)
            delete timer;
    }

    Projectile& addShot(point at) {
        world.projectiles.push_back(Projectile(at, 0, 0, 0, world, 0, false, 1000, 0, 0));
        return world.projectiles.back();
    }
    Ship& addShip(point at) {
        world.ships.push_back(Ship(at, 1));
        return world.ships.back();
    }

    WorldState world;
    Player* player = nullptr;
};

inline float length(point v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}
