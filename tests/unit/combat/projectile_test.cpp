#include <gtest/gtest.h>

#include <cmath>

#include "bodies/world_state.h"
#include "combat/projectile.h"
#include "combat/timers.h"
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

    const Projectile still(point{0, 0}, 0, 0, 2, world, shell, true, 500, 0.5f, -1);
    EXPECT_EQ(still.velocity.x, 0.5f) << "no aim: the shooter's velocity, no NaN";
    EXPECT_EQ(still.velocity.y, -1);
    EXPECT_EQ(still.theta, 0);
}

TEST_F(Projectiles, EdgeBouncesByTwiceTheStepOrEndsTheShot) {
    Projectile p = shot(bullet, point{99990, 0}, point{1, 0});
    ASSERT_TRUE(p.update(20, world, 0));
    EXPECT_EQ(p.velocity.x, -1);
    EXPECT_EQ(p.position.x, 99970);
    EXPECT_NEAR(p.theta, std::atan2(0.0, -1.0) - 1.57, 1e-6);

    Projectile straight(point{0, 99990}, 0, 1, 1, world, bullet, false, 1000, 0, 0);
    EXPECT_TRUE(straight.update(5, world, 0));
    EXPECT_FALSE(straight.update(10, world, 0));
}

TEST_F(Projectiles, LifetimeEndsWhenLessThanTheFrameRemains) {
    Projectile p = shot(bullet, point{0, 0}, point{0, 0}, 30);
    EXPECT_TRUE(p.update(16, world, 0));
    EXPECT_EQ(p.life, 14);
    EXPECT_FALSE(p.update(16, world, 0));

    Projectile endless = shot(bullet, point{0, 0}, point{0.001f, 0}, -1);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(endless.update(1000, world, 0));
}

TEST_F(Projectiles, BulletDamagesOnlyTheShipNearestItsNewPosition) {
    Ship& passed = shipAt(100, 30);
    Ship& nearest = shipAt(400, -30);
    Ship& tiedLater = shipAt(400, 30);
    Ship& aside = shipAt(300, 60);
    Projectile p = shot(bullet, point{0, 0}, point{50, 0});
    EXPECT_FALSE(p.update(10, world, 0)); // from (0, 0) to (500, 0)
    EXPECT_EQ(nearest.health, 90);
    EXPECT_EQ(passed.health + tiedLater.health + aside.health, 300);
}

TEST_F(Projectiles, ShellBurstsExactlyOnceWithoutDirectDamage) {
    Projectile timed = shot(shell, point{10, 20}, point{1, 0}, 20);
    EXPECT_TRUE(timed.update(16, world, 5000));
    EXPECT_TRUE(world.timers.empty());
    EXPECT_FALSE(timed.update(16, world, 5016));
    ASSERT_EQ(world.timers.size(), 1u);
    const auto* wave = dynamic_cast<TShockwave*>(world.timers.front());
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->reach, 200);
    EXPECT_EQ(wave->createdTime, 5016);
    EXPECT_EQ(wave->endTime, 7016);
    EXPECT_EQ(wave->position.x, 42);

    Ship& ship = shipAt(300, 0);
    Projectile hitting = shot(shell, point{0, 0}, point{40, 0});
    EXPECT_FALSE(hitting.update(10, world, 100));
    EXPECT_EQ(ship.health, 100);
    ASSERT_EQ(world.timers.size(), 2u);
    EXPECT_EQ(dynamic_cast<TShockwave*>(world.timers.front())->position.x, 400);
}
