#include <gtest/gtest.h>

#include <cmath>

#include "combat/projectile.h"
#include "combat/timers.h"
#include "core/world_state.h"
#include "data/weapon_ship_tables.h"

namespace {

constexpr int bullet = 0, shell = 2;

class Projectiles : public ::testing::Test {
  protected:
    void SetUp() override {
        WEAPONDATA = {{200, 2, 1000, 10}, {0, 0, 0, 0.5f}, {700, 1, 3000, 0.1f}};
        SHIPDATA = {{0, 0, 0, 100, 0}};
    }
    void TearDown() override {
        for (TimerBase* t : world.timers)
            delete t;
    }

    Projectile shot(int type, point at, point velocity, int life = 1000) {
        Projectile p(at, 1, 0, 0, world, type, true, life, 0, 0);
        p.velocity = velocity;
        return p;
    }
    Ship& shipAt(float x, float y) {
        world.ships.push_back(Ship(point{x, y}, 0));
        return world.ships.back();
    }

    WorldState world;
};

} // namespace

TEST_F(Projectiles, AimSetsSpeedAndHeadingBeforeTheShootersVelocity) {
    const Projectile p(point{0, 0}, 3, 4, 2, world, bullet, true, 500, 1, 0);
    EXPECT_FLOAT_EQ(p.velocity.x, 2.2f);
    EXPECT_FLOAT_EQ(p.velocity.y, 1.6f);
    EXPECT_NEAR(p.theta, std::atan2(4.0, 3.0) - 1.57, 1e-6);
    EXPECT_EQ(p.damage, 10);
    EXPECT_EQ(p.life, 500);
}

TEST_F(Projectiles, ZeroAimKeepsTheShootersVelocityWithoutNaN) {
    const Projectile p(point{0, 0}, 0, 0, 2, world, shell, true, 500, 0.5f, -1);
    EXPECT_EQ(p.velocity.x, 0.5f);
    EXPECT_EQ(p.velocity.y, -1);
    EXPECT_EQ(p.theta, 0);
    EXPECT_FLOAT_EQ(p.damage, 0.1f);
}

TEST_F(Projectiles, BouncePushesBackByTwiceTheStep) {
    Projectile p = shot(bullet, point{99990, 0}, point{1, 0});
    ASSERT_TRUE(p.update(20, world, 0));
    EXPECT_EQ(p.velocity.x, -1);
    EXPECT_EQ(p.position.x, 99970);
    EXPECT_NEAR(p.theta, std::atan2(0.0, -1.0) - 1.57, 1e-6);

    Projectile corner = shot(bullet, point{-99995, 99995}, point{-1, 1});
    ASSERT_TRUE(corner.update(10, world, 0));
    EXPECT_EQ(corner.position.x, -99985);
    EXPECT_EQ(corner.position.y, 99985);
    EXPECT_EQ(corner.velocity.x, 1);
    EXPECT_EQ(corner.velocity.y, -1);
}

TEST_F(Projectiles, ShotThatDoesNotBounceEndsAtTheEdge) {
    Projectile p(point{0, 99990}, 0, 1, 1, world, bullet, false, 1000, 0, 0);
    EXPECT_TRUE(p.update(5, world, 0));
    EXPECT_FALSE(p.update(10, world, 0));
}

TEST_F(Projectiles, LifetimeEndsWhenLessThanTheFrameRemains) {
    Projectile p = shot(bullet, point{0, 0}, point{0, 0}, 30);
    EXPECT_TRUE(p.update(16, world, 0));
    EXPECT_EQ(p.life, 14);
    EXPECT_FALSE(p.update(16, world, 0));

    Projectile exact = shot(bullet, point{0, 0}, point{0, 0}, 16);
    EXPECT_TRUE(exact.update(16, world, 0));
    EXPECT_EQ(exact.life, 0);

    Projectile endless = shot(bullet, point{0, 0}, point{0.001f, 0}, -1);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(endless.update(1000, world, 0));
}

TEST_F(Projectiles, BulletDamagesOnlyTheShipNearestItsNewPosition) {
    Ship& first = shipAt(100, 30);
    Ship& second = shipAt(400, -30);
    Ship& tieLater = shipAt(400, 30);
    Projectile p = shot(bullet, point{0, 0}, point{50, 0});
    EXPECT_FALSE(p.update(10, world, 0)); // from (0, 0) to (500, 0)
    EXPECT_EQ(first.health, 100);
    EXPECT_EQ(second.health, 90) << "nearest to (500, 0); the equally near later one is not";
    EXPECT_EQ(tieLater.health, 100);
}

TEST_F(Projectiles, BulletMissingEveryShipFliesOn) {
    Ship& ship = shipAt(100, 60);
    Projectile p = shot(bullet, point{0, 0}, point{50, 0});
    EXPECT_TRUE(p.update(10, world, 0));
    EXPECT_EQ(ship.health, 100);
}

TEST_F(Projectiles, ShellBurstsOnceWhenItsLifeRunsOut) {
    Projectile p = shot(shell, point{10, 20}, point{1, 0}, 20);
    EXPECT_TRUE(p.update(16, world, 5000));
    EXPECT_TRUE(world.timers.empty());
    EXPECT_FALSE(p.update(16, world, 5016));
    ASSERT_EQ(world.timers.size(), 1u);
    const auto* wave = dynamic_cast<TShockwave*>(world.timers.front());
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->reach, 200);
    EXPECT_EQ(wave->createdTime, 5016);
    EXPECT_EQ(wave->duration, 2000);
    EXPECT_EQ(wave->startTime, 0);
    EXPECT_EQ(wave->endTime, 7016);
    EXPECT_EQ(wave->position.x, 42);
    EXPECT_EQ(wave->position.y, 20);
}

TEST_F(Projectiles, ShellBurstsOnAShipWithoutHurtingIt) {
    Ship& ship = shipAt(300, 0);
    Projectile p = shot(shell, point{0, 0}, point{40, 0});
    EXPECT_FALSE(p.update(10, world, 100));
    EXPECT_EQ(ship.health, 100);
    ASSERT_EQ(world.timers.size(), 1u);
    EXPECT_EQ(dynamic_cast<TShockwave*>(world.timers.front())->position.x, 400)
        << "the burst is at the shell's new position";
}
