#include <gtest/gtest.h>

#include <cmath>

#include "bodies/world_state.h"
#include "combat/detour.h"
#include "combat/ship.h"
#include "combat/timers.h"
#include "data/weapon_ship_tables.h"
#include "game/passes.h"
#include "player/player.h"

namespace {

constexpr int chaser = 0, limitedChaser = 1, holder = 2, drifter = 3, unlimited = 4;

class Ships : public ::testing::Test {
  protected:
    void SetUp() override {
        // behaviour (truncated), acceleration, top speed, health, ram damage
        SHIPDATA = {{1.9f, 0.01f, 10, 50, 7},
                    {1, 0.01f, 0.5f, 50, 7},
                    {3, 0.02f, 10, 50, 7},
                    {0, 0.01f, 10, 50, 7},
                    {1, 0.5f, -1, 50, 7}};
    }
    void TearDown() override {
        for (TimerBase* t : world.timers)
            delete t;
    }

    Player player{point{0, 0}, 0.001f, 0.05f, 0.002f, 100, 50};
    WorldState world;
};

} // namespace

TEST_F(Ships, ChaserAcceleratesOncePerUpdateWhateverTheFrame) {
    Ship ship(point{1000, 0}, chaser);
    ASSERT_TRUE(ship.update(20, world, &player));
    EXPECT_FLOAT_EQ(ship.velocity.x, -0.01f);
    EXPECT_FLOAT_EQ(ship.position.x, 999.8f);
    EXPECT_NEAR(ship.getTheta(), std::atan2(0.0, -0.01) - 1.57, 1e-6);

    Ship longFrame(point{1000, 0}, chaser);
    longFrame.update(200, world, &player);
    EXPECT_FLOAT_EQ(longFrame.velocity.x, -0.01f);
}

TEST_F(Ships, SpeedLimitCutsBackVelocityAddedBetweenUpdates) {
    Ship ship(point{0, 5000}, limitedChaser);
    ship.addVelocity(point{3, 0}); // a star's pull
    ship.update(10, world, &player);
    EXPECT_NEAR(std::hypot(ship.velocity.x, ship.velocity.y), 0.5f, 1e-6);

    Ship fast(point{0, 5000}, unlimited);
    for (int i = 0; i < 10; ++i)
        fast.update(1, world, &player);
    EXPECT_NEAR(std::hypot(fast.velocity.x, fast.velocity.y), 5, 1e-4);
}

TEST_F(Ships, RamCostsThePlayerOnceAndRemovesTheShipWithoutExplosion) {
    Ship ship(point{49.9f, 0}, chaser);
    EXPECT_FALSE(ship.update(16, world, &player));
    Ship onTop(point{0, 0}, holder);
    EXPECT_FALSE(onTop.update(16, world, &player)) << "distance 0 rams, it never steers";
    EXPECT_FLOAT_EQ(player.getHealth(), 86);
    EXPECT_TRUE(world.timers.empty());
    EXPECT_TRUE(Ship(point{50, 0}, drifter).update(16, world, &player));
}

TEST_F(Ships, HealthOfExactlyZeroExplodesAtTheNextUpdate) {
    Ship ship(point{1000, 1000}, chaser);
    EXPECT_TRUE(ship.takeDamage(49));
    EXPECT_FALSE(ship.takeDamage(1));
    EXPECT_FALSE(ship.update(16, world, &player));
    ASSERT_EQ(world.timers.size(), 1u);
    EXPECT_EQ(dynamic_cast<TExplosion*>(world.timers.front())->position.x, 1000);
}

TEST_F(Ships, HoldRangeIsGentleDampedAndFacingInsideTheBand) {
    Ship near(point{450, 0}, holder);
    near.velocity = point{0, 1};
    near.update(0, world, &player);
    // e = 50: half the acceleration, pushed away, then damped by 2 %.
    EXPECT_NEAR(near.velocity.x, 0.01f * 0.98f, 1e-7);
    EXPECT_FLOAT_EQ(near.velocity.y, 0.98f);
    EXPECT_NEAR(near.getTheta(), std::atan2(0.0, -450.0) - 1.57, 1e-6);

    Ship far(point{700, 0}, holder);
    far.velocity = point{0, 1};
    far.update(0, world, &player);
    EXPECT_NEAR(far.velocity.x, -0.02f, 1e-7);
    EXPECT_FLOAT_EQ(far.velocity.y, 1);
    EXPECT_NEAR(far.getTheta(), std::atan2(1.0, 0.0) - 1.57, 1e-6) << "from the old velocity";
}

TEST_F(Ships, SlidesAlongTheEdgeAndCanLeaveIt) {
    Ship leaving(point{100000, 0}, drifter);
    leaving.velocity = point{-1, 0.5f};
    leaving.update(10, world, &player);
    EXPECT_FLOAT_EQ(leaving.position.x, 99990);

    Ship pushing(point{99995, -99995}, drifter);
    pushing.velocity = point{1, -1};
    pushing.update(10, world, &player);
    EXPECT_EQ(pushing.position.x, 100000);
    EXPECT_EQ(pushing.position.y, -100000);
    EXPECT_EQ(pushing.velocity.x, 0);
    EXPECT_EQ(pushing.velocity.y, 0);
}

TEST_F(Ships, WithoutABehaviourItOnlyDriftsAndKeepsItsHeading) {
    Ship ship(point{1000, 0}, drifter);
    ship.theta = 0.7f;
    ship.addVelocity(point{0.1f, 0});
    ship.update(10, world, &player);
    EXPECT_FLOAT_EQ(ship.velocity.x, 0.1f);
    EXPECT_FLOAT_EQ(ship.position.x, 1001);
    EXPECT_FLOAT_EQ(ship.getTheta(), 0.7f);
    EXPECT_EQ(Ship(point{0, 0}, 99).ai, 0) << "a type missing from the table is inert";
}

// Survival's chasers go round a star that lies between them and the ship and ram it; the game's
// own fly straight in. Neither end is a kill.
TEST_F(Ships, InSurvivalAChaserGoesRoundAStarInTheWayInsteadOfFallingIn) {
    for (bool goRound : {false, true}) {
        WorldState sky;
        sky.chasersGoRound = goRound;
        sky.stars.emplace_back(point{0, 0}, 200, 1, 0, 0, "Sun"); // reach 2000
        sky.ships.emplace_back(point{-6000, 0}, limitedChaser);
        Player ship{point{3000, 0}, 0.001f, 0.05f, 0.002f, 100, 50};
        for (int i = 0; i < 5000 && !sky.ships.empty(); ++i) {
            updateShips(sky, &ship, 20);
            sky.stars.front().update(sky, &ship, 20);
        }
        EXPECT_TRUE(sky.ships.empty());
        EXPECT_EQ(ship.getHealth() < 100, goRound) << goRound;
        EXPECT_EQ(sky.kills, 0u);
        for (TimerBase* t : sky.timers)
            delete t;
    }
}

// Only a reach crossed between the chaser and the ship turns it, and it turns a fifth beyond it.
TEST(Detour, TurnsOnlyWhereTheWayCrossesAReachBetweenItsEnds) {
    std::vector<Star> sky;
    sky.emplace_back(point{0, 0}, 200, 1, 0, 0, "Sun"); // reach 2000
    const point aside = detourAim(point{-5000, 1900}, point{5000, 1900}, sky);
    EXPECT_NEAR(aside.x, 0, 1e-3f);
    EXPECT_FLOAT_EQ(aside.y, 2400);
    EXPECT_FLOAT_EQ(detourAim(point{-5000, 2100}, point{5000, 2100}, sky).y, 2100);
    EXPECT_FLOAT_EQ(detourAim(point{-5000, 0}, point{-3000, 0}, sky).x, -3000);
    EXPECT_FLOAT_EQ(detourAim(point{3000, 0}, point{5000, 0}, sky).x, 5000);
}
