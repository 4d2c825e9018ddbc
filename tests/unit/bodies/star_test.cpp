#include "bodies/star.h"

#include <cmath>

#include "bodies_fixture.h"

using StarUpdate = BodiesTest;

// Radius 1000 and density 1 at the origin: contact at 1000, reach 10000.
TEST_F(StarUpdate, PullsAFlyingPlayerOnlyStrictlyInsideItsReach) {
    Star star(point{0, 0}, 1000, 1, 0, 14, "Sun");
    player->position = point{10000, 0};
    star.update(world, player, 16);
    EXPECT_EQ(player->velocity.x, 0);
    player->position = point{9999, 0};
    star.update(world, player, 16);
    EXPECT_LT(player->velocity.x, 0);
    const point before = player->velocity;
    player->setLanded();
    star.update(world, player, 16);
    EXPECT_EQ(player->velocity.x, before.x);
    EXPECT_TRUE(world.timers.empty());
}

TEST_F(StarUpdate, BurnsThePlayerUnharmedEveryFrameAndNeverGivesNaN) {
    Star star(point{0, 0}, 1000, 1, 0, 14, "Sun");
    player->position = point{0, 0};
    player->velocity = point{0.5f, 0};
    star.update(world, player, 16);
    star.update(world, player, 16);
    EXPECT_EQ(world.timers.size(), 2u);
    EXPECT_EQ(player->getHealth(), 100);
    EXPECT_FLOAT_EQ(player->velocity.x, 0.5f);
    EXPECT_FLOAT_EQ(player->velocity.y, 0);
}

TEST_F(StarUpdate, ZeroFrameStillSwallowsAndMovesPlanetsRoundTheStar) {
    Star star(point{5000, -2000}, 500, 1, 0, 14, "Far Sun");
    star.addPlanet(Planet(50, 0.5f, 3000, 0, 90, 0, 0, 10, "Moon"));
    addShot(point{5000, -1600});
    star.update(world, player, 0);
    EXPECT_TRUE(world.projectiles.empty());
    star.update(world, player, 16);
    // Degrees become radians with 3.14, so the moon lies a shade east of due north.
    EXPECT_NEAR(star.planets[0].position.x, 5000 + 3000 * std::cos(3.14f / 2), 0.01f);
    EXPECT_NEAR(star.planets[0].position.y, 1000, 0.01f);
}
