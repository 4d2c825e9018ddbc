#include <gtest/gtest.h>

#include <cmath>

#include "bodies/star.h"
#include "bodies_fixture.h"

namespace {

// Radius 1000 and density 1 at the origin: contact at 1000, reach 10000.
Star sun() {
    return Star(point{0, 0}, 1000, 1, 0, 14, "Sun");
}

} // namespace

using StarUpdate = BodiesTest;

TEST_F(StarUpdate, PullsThePlayerOnlyStrictlyInsideItsReach) {
    Star star = sun();
    player->position = point{10000, 0};
    star.update(world, player, 16);
    EXPECT_EQ(player->velocity.x, 0);

    player->position = point{9999, 0};
    star.update(world, player, 16);
    EXPECT_LT(player->velocity.x, 0);
    EXPECT_TRUE(world.timers.empty());
}

TEST_F(StarUpdate, ALandedPlayerIsNeverPulled) {
    Star star = sun();
    player->position = point{3000, 0};
    player->setLanded();
    star.update(world, player, 16);
    EXPECT_EQ(length(player->velocity), 0);
}

TEST_F(StarUpdate, APlayerInsideExplodesEveryFrameUnharmedAndIsStillPulled) {
    Star star = sun();
    player->position = point{1000, 0};
    star.update(world, player, 16);
    star.update(world, player, 16);
    EXPECT_EQ(world.timers.size(), 2u);
    EXPECT_EQ(player->getHealth(), 100);
    EXPECT_LT(player->velocity.x, 0);
}

TEST_F(StarUpdate, APlayerAtTheVeryCentreGetsNoNaN) {
    Star star = sun();
    player->position = point{0, 0};
    player->velocity = point{0.5f, 0};
    star.update(world, player, 16);
    EXPECT_FLOAT_EQ(player->velocity.x, 0.5f);
    EXPECT_FLOAT_EQ(player->velocity.y, 0);
}

TEST_F(StarUpdate, SwallowsShotsAndShipsEvenOverAZeroFrame) {
    Star star = sun();
    addShot(point{0, 999});
    Ship& far = addShip(point{0, 5000});
    addShip(point{1000, 0});
    star.update(world, player, 0);
    EXPECT_TRUE(world.projectiles.empty());
    ASSERT_EQ(world.ships.size(), 1u);
    EXPECT_EQ(far.velocity.y, 0);
    EXPECT_EQ(world.timers.size(), 2u);
}

TEST_F(StarUpdate, MovesItsPlanetsAroundItsOwnPosition) {
    Star star(point{5000, -2000}, 500, 1, 0, 14, "Far Sun");
    star.addPlanet(Planet(50, 0.5f, 3000, 0, 90, 0, 0, 10, "Moon"));
    star.update(world, player, 16);
    // 90 degrees are converted with 3.14, not pi, so the planet lies a shade east of north.
    const point p = star.planets[0].position;
    EXPECT_NEAR(p.x, 5000 + 3000 * std::cos(3.14f / 2), 0.01f);
    EXPECT_NEAR(p.y, 1000, 0.01f);
}
