#include <gtest/gtest.h>

#include <cmath>

#include "bodies/gravity.h"
#include "bodies_fixture.h"

TEST(GravityPull, MatchesTheMassOverDistanceSquaredRule) {
    // r = 1500: mass 1500^3 * 4.18667 = 1.41300e10; at d = 5000 over 16 ms that is
    // 1.413e10 / 2.5e7 * 16 * 1e-6 = 0.0090432 units/ms.
    const point v = gravityPull(point{5000, 0}, 1500, 1, point{0, 0}, 16);
    EXPECT_NEAR(v.x, 0.0090432f, 1e-7f);
    EXPECT_FLOAT_EQ(v.y, 0);
    // Density multiplies the pull once more; dt scales it linearly.
    const point dense = gravityPull(point{5000, 0}, 1500, 2, point{0, 0}, 32);
    EXPECT_NEAR(dense.x, 4 * v.x, 1e-6f);
}

TEST(GravityPull, PointsFromTheObjectToTheBody) {
    const point v = gravityPull(point{0, 0}, 1000, 1, point{3000, 3000}, 10);
    EXPECT_LT(v.x, 0);
    EXPECT_LT(v.y, 0);
    EXPECT_FLOAT_EQ(v.x, v.y);
}

TEST(GravityPull, NothingOverAZeroFrameOrAtTheCentre) {
    const point none = gravityPull(point{0, 0}, 1000, 1, point{2000, 0}, 0);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
    const point centre = gravityPull(point{7, 7}, 1000, 1, point{7, 7}, 16);
    EXPECT_EQ(centre.x, 0);
    EXPECT_EQ(centre.y, 0);
}

TEST(GravityReach, IsTenRadiiTimesDensity) {
    EXPECT_FLOAT_EQ(gravityReach(1000, 1), 10000);
    EXPECT_FLOAT_EQ(gravityReach(300, 0.5f), 1500);
    // Below density 0.1 the reach ends inside the body itself.
    EXPECT_LT(gravityReach(1000, 0.09f), 1000);
}

using SwallowOrPull = BodiesTest;

TEST_F(SwallowOrPull, DestroysWhatTouchesWithAnExplosionAndPullsWhatIsInReach) {
    // Body of radius 1000, density 1 at the origin: contact at 1000, reach 10000, both inclusive.
    addShot(point{1000, 0});
    Projectile& outside = addShot(point{1000.5f, 0});
    Projectile& atReach = addShot(point{0, 10000});
    Projectile& beyond = addShot(point{0, 10001});
    addShip(point{0, -1000});
    Ship& ship = addShip(point{-5000, 0});

    swallowOrPull(world, point{0, 0}, 1000, 1, 16);

    ASSERT_EQ(world.projectiles.size(), 3u);
    EXPECT_EQ(&world.projectiles.front(), &outside);
    EXPECT_LT(outside.velocity.x, 0);
    EXPECT_LT(atReach.velocity.y, 0);
    EXPECT_EQ(beyond.velocity.y, 0);
    ASSERT_EQ(world.ships.size(), 1u);
    EXPECT_GT(ship.velocity.x, 0);
    EXPECT_EQ(world.timers.size(), 2u);
}

TEST_F(SwallowOrPull, ConsecutiveTouchingShotsAreBothDestroyedAndTheNextIsStillPulled) {
    addShot(point{10, 0});
    addShot(point{-10, 0});
    Projectile& last = addShot(point{3000, 0});
    swallowOrPull(world, point{0, 0}, 1000, 1, 16);
    ASSERT_EQ(world.projectiles.size(), 1u);
    EXPECT_EQ(&world.projectiles.front(), &last);
    EXPECT_LT(last.velocity.x, 0);
    EXPECT_EQ(world.timers.size(), 2u);
}

TEST_F(SwallowOrPull, AZeroFrameStillDestroysButPullsNothing) {
    addShot(point{500, 0});
    Ship& ship = addShip(point{2000, 0});
    swallowOrPull(world, point{0, 0}, 1000, 1, 0);
    EXPECT_TRUE(world.projectiles.empty());
    EXPECT_EQ(ship.velocity.x, 0);
    EXPECT_EQ(world.timers.size(), 1u);
}

TEST_F(SwallowOrPull, ThinBodiesPullNothing) {
    Projectile& shot = addShot(point{1001, 0});
    swallowOrPull(world, point{0, 0}, 1000, 0.09f, 16);
    EXPECT_EQ(shot.velocity.x, 0);
    EXPECT_EQ(world.projectiles.size(), 1u);
}
