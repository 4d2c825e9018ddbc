#pragma once
#include <gtest/gtest.h>

#include "bodies/world_state.h"
#include "combat/timers.h"
#include "data/weapon_ship_tables.h"
#include "graphics/emitter_data.h"
#include "player/player.h"

// A world and a player of radius 50 at rest, far from everything until a test places it.
class BodiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WEAPONDATA = {{100, 1, 1000, 10}};
        SHIPDATA = {{0, 0, 0, 10, 5}, {0, 0.01f, 1, 10, 5}};
        emitters = {EmitterFile{}};
        player = new Player(point{90000, 90000}, 0.0015f, 0.012f, 0.0035f, 100, 50);
    }
    void TearDown() override {
        delete player;
        for (TimerBase* timer : world.timers)
            delete timer;
    }
    Projectile& addShot(point at, WorldState& into) {
        into.projectiles.push_back(Projectile(at, 0, 0, 0, into, 0, false, 1000, 0, 0));
        return into.projectiles.back();
    }
    Projectile& addShot(point at) { return addShot(at, world); }

    WorldState world;
    Player* player = nullptr;
};
