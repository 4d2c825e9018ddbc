#include <gtest/gtest.h>

#include <cmath>

#include "bodies/planet.h"
#include "bodies_fixture.h"

namespace {

// Radius 200, density 1 (reach 2000), sitting on its star at the origin: it never moves.
Planet still(float spin = 0) {
    return Planet(200, 1, 0, 0, 0, spin, 0, 10, "Still");
}

} // namespace

TEST(PlanetConstruction, ConvertsDegreesWithThreePointOneFourAndPrintsTheName) {
    testing::internal::CaptureStdout();
    const Planet p(100, 0.5f, 4000, 0.18f, 180, 2, 30, 10, "Red Rock");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Red Rock\n");
    EXPECT_FLOAT_EQ(p.orbitSpeed, 0.00314f);
    EXPECT_FLOAT_EQ(p.orbitAngle, 3.14f);
    // Spin stays in degrees.
    EXPECT_FLOAT_EQ(p.spinSpeed, 2);
    EXPECT_FLOAT_EQ(p.spinAngle, 30);
    EXPECT_EQ(p.position.x, 0);
    EXPECT_EQ(p.landingAngle, 0);
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_EQ(p.velocity.y, 0);
}

using PlanetUpdate = BodiesTest;

TEST_F(PlanetUpdate, OrbitsSpinsAndTakesItsVelocityPerMillisecond) {
    // 90 degrees per 100 ms from angle 0 on an orbit of 1000 round (500, 0).
    Planet planet(100, 0.5f, 1000, 0.9f, 0, 0.5f, 0, 10, "Runner");
    planet.update(world, player, 100, point{500, 0});
    EXPECT_NEAR(planet.position.x, 500 + 1000 * std::cos(1.57f), 0.01f);
    EXPECT_NEAR(planet.position.y, 1000, 0.01f);
    // From (0, 0), where a new planet sits, to the orbit, over 100 ms.
    EXPECT_NEAR(planet.velocity.x, planet.position.x / 100, 1e-4f);
    EXPECT_NEAR(planet.velocity.y, 10, 1e-4f);
    EXPECT_FLOAT_EQ(planet.spinAngle, 50);
}

TEST_F(PlanetUpdate, AZeroFrameMovesNothingAndLandsNothing) {
    Planet planet(100, 1, 1000, 0.9f, 0, 0.5f, 0, 10, "Paused");
    player->position = point{0, 0};
    Projectile& shot = addShot(point{0, 50});
    planet.update(world, player, 0, point{0, 0});
    EXPECT_EQ(planet.position.x, 0);
    EXPECT_EQ(planet.spinAngle, 0);
    EXPECT_FALSE(player->isLanded());
    EXPECT_EQ(world.projectiles.size(), 1u);
    EXPECT_EQ(shot.velocity.x, 0);
}

TEST_F(PlanetUpdate, SlowTouchLandsAndFastTouchCrashLands) {
    struct Case {
        float speed;
        size_t explosions;
        float health;
    };
    for (const Case c : {Case{0.99f, 0, 100}, Case{1.0f, 1, 100}, Case{1.5f, 1, 50}}) {
        SCOPED_TRACE(c.speed);
        Planet planet = still();
        player->landed = false;
        player->health = 100;
        player->position = point{0, 250};
        player->velocity = point{c.speed, 0};
        planet.update(world, player, 16, point{0, 0});
        EXPECT_TRUE(player->isLanded());
        EXPECT_EQ(world.timers.size(), c.explosions);
        EXPECT_NEAR(player->getHealth(), c.health, 1e-3f);
        EXPECT_FLOAT_EQ(planet.landingAngle, std::atan2(250.0f, 0.0f));
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers.clear();
    }
}

TEST_F(PlanetUpdate, LandedShipSitsOnTheSurfaceFacingOutAndMovesWithTheOrbit) {
    // A quarter turn in ten seconds on an orbit of 5000: about 0.785 units/ms.
    Planet planet(200, 1, 5000, 0.009f, 0, 0, 0, 10, "Carrier");
    // The first step comes from (0, 0); from the second on the velocity is the orbit's.
    planet.update(world, player, 16, point{0, 0});
    planet.update(world, player, 16, point{0, 0});
    player->position = point{planet.position.x + 240, planet.position.y};
    player->velocity = planet.velocity;
    planet.update(world, player, 16, point{0, 0});
    ASSERT_TRUE(player->isLanded());
    EXPECT_EQ(player->getHealth(), 100);
    planet.update(world, player, 20, point{0, 0}); // lifts the ship from 240 to 250

    for (int frame = 0; frame < 3; ++frame) {
        planet.update(world, player, 20, point{0, 0});
        const point rel{player->position.x - planet.position.x,
                        player->position.y - planet.position.y};
        EXPECT_NEAR(length(rel), 250, 0.05f);
        EXPECT_NEAR(std::atan2(rel.y, rel.x), player->angle, 1e-4f);
        // Without spin the ship moves exactly as the planet does, in units per ms.
        EXPECT_NEAR(player->velocity.x, planet.velocity.x, 1e-3f);
        EXPECT_NEAR(player->velocity.y, planet.velocity.y, 1e-3f);
    }
    EXPECT_GT(length(player->velocity), 0.7f);
}

TEST_F(PlanetUpdate, SpinCarriesALandedShipRoundThePlanet) {
    Planet planet = still(0.09f);
    player->position = point{250, 0};
    planet.update(world, player, 16, point{0, 0});
    ASSERT_TRUE(player->isLanded());
    planet.update(world, player, 1000, point{0, 0});
    // 90 degrees per second, at the rate 0.0174444 radians a degree.
    const float expected = 90 * 0.0174444f;
    EXPECT_NEAR(player->angle, expected, 1e-4f);
    EXPECT_NEAR(player->position.x, 250 * std::cos(expected), 0.01f);
    EXPECT_NEAR(player->position.y, 250 * std::sin(expected), 0.01f);
    EXPECT_NEAR(player->velocity.x, (player->position.x - 250) / 1000, 1e-5f);
}

TEST_F(PlanetUpdate, ALandedShipOutOfCarryingRangeIsLeftAlone) {
    Planet planet = still();
    player->setLanded();
    player->position = point{301, 0}; // beyond 1.2 * (200 + 50)
    planet.update(world, player, 16, point{0, 0});
    EXPECT_EQ(player->position.x, 301);
    EXPECT_EQ(length(player->velocity), 0);
}

TEST_F(PlanetUpdate, PullsAFlyingShipStrictlyInsideItsReach) {
    Planet planet = still();
    player->position = point{2000, 0};
    planet.update(world, player, 16, point{0, 0});
    EXPECT_EQ(player->velocity.x, 0);
    player->position = point{1999, 0};
    planet.update(world, player, 16, point{0, 0});
    EXPECT_LT(player->velocity.x, 0);
    EXPECT_FALSE(player->isLanded());
}

TEST_F(PlanetUpdate, DestroysShotsAtItsRadius) {
    Planet planet = still();
    addShot(point{0, 200});
    Projectile& pulled = addShot(point{0, 201});
    planet.update(world, player, 16, point{0, 0});
    ASSERT_EQ(world.projectiles.size(), 1u);
    EXPECT_LT(pulled.velocity.y, 0);
    EXPECT_EQ(world.timers.size(), 1u);
}
