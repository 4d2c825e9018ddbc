#include "bodies/gravity.h"

#include "bodies_fixture.h"

TEST(GravityPull, FollowsMassOverDistanceSquaredTowardsTheBody) {
    // r = 1500: mass 1500^3 * 4.18667 = 1.41300e10; at d = 5000 over 16 ms:
    // 1.413e10 / 2.5e7 * 16 * 1e-6 = 0.0090432 units/ms, pointing from the object to the body.
    const point v = gravityPull(point{5000, 0}, 1500, 1, point{0, 0}, 16);
    EXPECT_NEAR(v.x, 0.0090432f, 1e-7f);
    EXPECT_EQ(v.y, 0);
    // Density counts twice over (mass and magnitude); the frame time once.
    EXPECT_NEAR(gravityPull(point{5000, 0}, 1500, 2, point{0, 0}, 32).x, 4 * v.x, 1e-6f);
    EXPECT_EQ(gravityPull(point{0, 0}, 1000, 1, point{2000, 0}, 0).x, 0);
    // At the very centre there is no direction: no pull rather than NaN.
    const point centre = gravityPull(point{7, 7}, 1000, 1, point{7, 7}, 16);
    EXPECT_EQ(centre.x, 0);
    EXPECT_EQ(centre.y, 0);
}

using SwallowOrPull = BodiesTest;

TEST_F(SwallowOrPull, DestroysAtTheRadiusAndPullsUpToTheReachInclusive) {
    // Radius 1000, density 1 at the origin: reach 10000. Two touching shots in a row both go.
    addShot(point{1000, 0});
    addShot(point{0, -10});
    Projectile& outside = addShot(point{1000.5f, 0});
    Projectile& atReach = addShot(point{0, 10000});
    Projectile& beyond = addShot(point{0, 10001});
    world.ships.push_back(Ship(point{0, -1000}, 1));
    world.ships.push_back(Ship(point{-5000, 0}, 1));

    swallowOrPull(world, point{0, 0}, 1000, 1, 16);

    ASSERT_EQ(world.projectiles.size(), 3u);
    EXPECT_LT(outside.velocity.x, 0);
    EXPECT_LT(atReach.velocity.y, 0);
    EXPECT_EQ(beyond.velocity.y, 0);
    ASSERT_EQ(world.ships.size(), 1u);
    EXPECT_GT(world.ships.front().velocity.x, 0);
    EXPECT_EQ(world.timers.size(), 3u);
}

TEST_F(SwallowOrPull, ThinBodiesReachNoFartherThanTheirOwnSurface) {
    EXPECT_FLOAT_EQ(gravityReach(300, 0.5f), 1500);
    Projectile& shot = addShot(point{1001, 0});
    swallowOrPull(world, point{0, 0}, 1000, 0.09f, 16);
    EXPECT_EQ(shot.velocity.x, 0);
}

// Where survival's chasers go round, one that reached the body skims its surface; a chaser's
// explosion or a shot's is unchanged.
TEST_F(SwallowOrPull, SurvivalChasersSkimTheSurfaceInsteadOfFallingIn) {
    world.chasersGoRound = true;
    addShot(point{0, 500});
    world.ships.push_back(Ship(point{0, -1000}, 1));
    world.ships.back().velocity = point{0.5f, 0.75f};
    world.ships.push_back(Ship(point{0, 0}, 1));
    for (Ship& ship : world.ships)
        ship.ai = chaserBehaviour;
    swallowOrPull(world, point{0, 0}, 1000, 1, 16);
    EXPECT_TRUE(world.projectiles.empty());
    ASSERT_EQ(world.ships.size(), 2u);
    const Ship& skimming = world.ships.front();
    EXPECT_GT(skimming.position.y, -1000.5f);
    EXPECT_LT(skimming.position.y, -1000);
    EXPECT_FLOAT_EQ(skimming.velocity.x, 0.5f); // along the surface it keeps its speed
    EXPECT_GT(skimming.velocity.y, 0);          // only the pull, not the fall, carries it in again
    EXPECT_LT(skimming.velocity.y, 0.75f);
    EXPECT_GT(pointDistance(world.ships.back().position, point{0, 0}), 1000);
    EXPECT_EQ(world.timers.size(), 1u);
}
