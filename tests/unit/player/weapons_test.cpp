#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "bodies/world_state.h"
#include "data/weapon_ship_tables.h"
#include "player/player.h"

namespace {

class Weapons : public ::testing::Test {
  protected:
    void SetUp() override {
        // Bullet: reload 200, speed 2, life 1500.9. Laser: 0.5 per ms. Shell: reload 700.
        WEAPONDATA = {{200, 2, 1500.9f, 10}, {0, 0, 0, 0.5f}, {700, 1, 3000, 0.1f}};
        SHIPDATA = {{1, 0.01f, 1, 100, 10}};
    }
    Ship& enemyAt(float x, float y) {
        world.ships.push_back(Ship(point{x, y}, 0));
        return world.ships.back();
    }
    std::string shootCapturing(unsigned now, point target) {
        std::ostringstream out;
        std::streambuf* previous = std::cout.rdbuf(out.rdbuf());
        player.shoot(now, world, target, 16);
        std::cout.rdbuf(previous);
        return out.str();
    }

    Player player{point{0, 0}, 0.001f, 0.05f, 0.002f, 100, 50};
    WorldState world;
};

} // namespace

TEST_F(Weapons, BulletLeavesAtTheFrontTowardTheTargetWithTheShipsVelocity) {
    player.position = point{100, 100};
    player.setVelocity(point{1, 0});
    player.shoot(1000, world, point{400, 500}, 16);
    ASSERT_EQ(world.projectiles.size(), 1u);
    const Projectile& shot = world.projectiles.front();
    EXPECT_TRUE(shot.bounces);
    EXPECT_EQ(shot.life, 1500);
    EXPECT_FLOAT_EQ(shot.velocity.x, 2.2f);
    EXPECT_FLOAT_EQ(shot.velocity.y, 1.6f);

    player.weapon = 2;
    player.shoot(1201, world, point{400, 500}, 16);
    EXPECT_EQ(world.projectiles.front().type, 2) << "newest shot at the front";
}

TEST_F(Weapons, ReloadWaitsStrictlyPastTheTimeOfTheWeaponThatFiredLast) {
    player.shoot(1000, world, point{500, 0}, 16);
    player.shoot(1200, world, point{500, 0}, 16);
    EXPECT_EQ(world.projectiles.size(), 1u);
    player.shoot(1201, world, point{500, 0}, 16);
    EXPECT_EQ(world.projectiles.size(), 2u);

    player.weapon = 2;
    player.shoot(1500, world, point{500, 0}, 16);
    player.weapon = 0;
    player.shoot(2100, world, point{500, 0}, 16);
    EXPECT_EQ(world.projectiles.size(), 3u) << "the shell's 700 ms hold the bullet back";
    player.shoot(2201, world, point{500, 0}, 16);
    EXPECT_EQ(world.projectiles.size(), 4u);
}

// Any negative reload, however large, lets every step fire: the wait is in the past.
TEST_F(Weapons, ANegativeReloadFiresEveryStepTheKeyIsHeld) {
    for (float reload : {-0.5f, -1e30f}) {
        WEAPONDATA[0][0] = reload;
        world.projectiles.clear();
        for (unsigned now : {1000u, 1000u, 1001u, 4000000000u})
            player.shoot(now, world, point{500, 0}, 16);
        EXPECT_EQ(world.projectiles.size(), 4u) << reload;
    }
}

TEST_F(Weapons, TargetsWithinTwentyUnitsAfterTruncationFireNothing) {
    player.position = point{0.9f, -0.9f};
    player.shoot(1000, world, point{20.9f, -20.9f}, 16); // 0 and 20 apart once truncated
    player.shoot(1000, world, player.position, 16);
    EXPECT_TRUE(world.projectiles.empty());
    EXPECT_EQ(player.nextShotTime, 0);
    player.shoot(1000, world, point{0, 21}, 16);
    EXPECT_EQ(world.projectiles.size(), 1u);
}

TEST_F(Weapons, WeaponThreeIsSilentAndFourResetsWithAMessage) {
    player.weapon = 3;
    EXPECT_EQ(shootCapturing(1000, point{500, 0}), "");
    EXPECT_EQ(player.weapon, 3);

    player.weapon = 2;
    player.weaponOffset = 2;
    EXPECT_EQ(shootCapturing(1000, point{500, 0}), "Error, weapon number exceeded\n");
    EXPECT_EQ(player.weapon, 0);
    EXPECT_EQ(player.weaponOffset, 0);
    EXPECT_TRUE(world.projectiles.empty());
}

TEST_F(Weapons, BeamRunsToTheNearerEdgeBeyondTheTarget) {
    const point up = beamEdgePoint(point{0, 0}, point{0, 10});
    EXPECT_EQ(up.x, 0);
    EXPECT_EQ(up.y, 100000) << "parallel to the side edges";
    const point diagonal = beamEdgePoint(point{0, 90000}, point{1, 1});
    EXPECT_FLOAT_EQ(diagonal.x, 10000);
    EXPECT_FLOAT_EQ(diagonal.y, 100000);
    EXPECT_EQ(beamEdgePoint(point{5, 6}, point{0, 0}).x, 5);
}

TEST_F(Weapons, LaserHitsOnlyTheNearestShipOnTheBeamEveryFrame) {
    Ship& far = enemyAt(3000, 30);
    Ship& near = enemyAt(1000, -30);
    Ship& aside = enemyAt(2000, 200);
    player.weapon = 1;
    player.shoot(1000, world, point{100, 0}, 16);
    player.shoot(1000, world, point{100, 0}, 16);
    EXPECT_FLOAT_EQ(near.health, 84) << "8 hit points per 16 ms frame, no reload";
    EXPECT_FLOAT_EQ(far.health, 100);
    EXPECT_FLOAT_EQ(aside.health, 100);
    EXPECT_EQ(player.fireLaser(world, point{100, 0}, 16).y, -30) << "beam ends on the ship";
}

TEST_F(Weapons, PlanetInFrontShieldsTheShipBehindIt) {
    Ship& enemy = enemyAt(5000, 0);
    Star star(point{0, 20000}, 500, 1, 0, 14, "Sun");
    star.planets.push_back(Planet(300, 1, 0, 0, 0, 0, 0, 10, "Rock"));
    star.planets.back().position = point{3000, 0};
    world.stars.push_back(star);
    EXPECT_EQ(player.fireLaser(world, point{100, 0}, 16).x, 100000);
    EXPECT_FLOAT_EQ(enemy.health, 100);

    world.stars.back().planets.back().position = point{8000, 0};
    player.fireLaser(world, point{100, 0}, 16);
    EXPECT_FLOAT_EQ(enemy.health, 92) << "a ship in front of the planet is hit";
}
