#include "bodies/planet.h"

#include <cmath>

#include "bodies_fixture.h"

using PlanetUpdate = BodiesTest;

TEST_F(PlanetUpdate, OrbitsWithVelocityPerMillisecondAndStandsStillOverAZeroFrame) {
    // 90 degrees per 100 ms from angle 0 on an orbit of 1000 round (500, 0).
    Planet planet(100, 0.5f, 1000, 0.9f, 0, 0.5f, 0, 10, "Runner");
    planet.update(world, player, 0, point{500, 0});
    EXPECT_EQ(planet.position.x, 0);
    planet.update(world, player, 100, point{500, 0});
    EXPECT_NEAR(planet.position.y, 1000, 0.01f);
    EXPECT_NEAR(planet.velocity.y, 10, 1e-4f);
    EXPECT_FLOAT_EQ(planet.spinAngle, 50);
}

TEST_F(PlanetUpdate, TouchLandsBelowRelativeSpeedOneAndCrashesFromOne) {
    struct Case {
        float speed;
        size_t explosions;
        float health;
    };
    for (const Case c : {Case{0.99f, 0, 100}, Case{1.0f, 1, 100}, Case{1.5f, 1, 50}}) {
        SCOPED_TRACE(c.speed);
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers.clear();
        player->landed = false;
        player->health = 100;
        Planet planet(200, 1, 0, 0, 0, 0, 0, 10, "Still");
        player->position = point{0, 250};
        player->velocity = point{c.speed, 0};
        planet.update(world, player, 0, point{0, 0});
        EXPECT_FALSE(player->isLanded());
        planet.update(world, player, 16, point{0, 0});
        EXPECT_TRUE(player->isLanded());
        EXPECT_EQ(world.timers.size(), c.explosions);
        EXPECT_NEAR(player->getHealth(), c.health, 1e-3f);
    }
}

TEST_F(PlanetUpdate, CarriesALandedShipOnItsSurfaceAtThePlanetsSpeed) {
    // About 0.785 units/ms; the first step comes from (0, 0), so take two before landing.
    Planet planet(200, 1, 5000, 0.009f, 0, 0, 0, 10, "Carrier");
    planet.update(world, player, 16, point{0, 0});
    planet.update(world, player, 16, point{0, 0});
    player->position = point{planet.position.x + 240, planet.position.y};
    player->velocity = planet.velocity;
    planet.update(world, player, 16, point{0, 0});
    ASSERT_TRUE(player->isLanded());
    for (int frame = 0; frame < 3; ++frame) {
        planet.update(world, player, 20, point{0, 0});
        const float dx = player->position.x - planet.position.x;
        const float dy = player->position.y - planet.position.y;
        EXPECT_NEAR(std::hypot(dx, dy), 250, 0.05f);
        EXPECT_NEAR(std::atan2(dy, dx), player->angle, 1e-4f);
        if (frame > 0) { // once lifted from 240 to the surface at 250
            EXPECT_NEAR(player->velocity.x, planet.velocity.x, 1e-3f);
            EXPECT_NEAR(player->velocity.y, planet.velocity.y, 1e-3f);
        }
    }
    // Out of reach of its carrier, a landed ship stays where it is.
    player->position = point{planet.position.x + 400, planet.position.y};
    const point left = player->position;
    planet.update(world, player, 20, point{0, 0});
    EXPECT_EQ(player->position.x, left.x);
}

// A stall or a fast planet leaves a landed ship behind by a step's move: the planet, about 45
// units a step here, still carries it within 1.2 times the surface distance (250), not beyond.
TEST_F(PlanetUpdate, ALandedShipJustInsideTheCarryMarginIsCarriedAndJustOutsideIsLeft) {
    for (const float margin : {1.19f, 1.21f}) {
        Planet planet(200, 0, 10000, 0.0129f, 0, 0, 0, 10, "Racer");
        planet.update(world, player, 20, point{0, 0});
        Planet next = planet;
        next.update(world, player, 20, point{0, 0});
        const point p = planet.position, q = next.position;
        const point back = normalize(point{p.x - q.x, p.y - q.y});
        ASSERT_GT(pointDistance(p, q), 40);
        player->position = point{q.x + back.x * 250 * margin, q.y + back.y * 250 * margin};
        player->landed = true;
        const point left = player->position;
        planet.update(world, player, 20, point{0, 0});
        const float d = pointDistance(player->position, planet.position);
        EXPECT_NEAR(d, margin < 1.2f ? 250 : pointDistance(left, q), 0.05f) << margin;
    }
}

TEST_F(PlanetUpdate, SpinTurnsALandedShipRoundThePlanet) {
    Planet planet(200, 1, 0, 0, 0, 0.09f, 0, 10, "Spinner");
    player->position = point{250, 0};
    planet.update(world, player, 16, point{0, 0});
    planet.update(world, player, 1000, point{0, 0});
    const float turned = 90 * 0.0174444f; // 90 degrees in a second
    EXPECT_NEAR(player->angle, turned, 1e-4f);
    EXPECT_NEAR(player->position.y, 250 * std::sin(turned), 0.01f);
    EXPECT_NEAR(player->velocity.x, (player->position.x - 250) / 1000, 1e-5f);
}

// An hour of 17 ms steps, thirty orbits: the angles are the plain float sums of their steps,
// as long as a float resolves the step, and the planet stands where those sums put it.
TEST_F(PlanetUpdate, AfterManyOrbitsTheAnglesAreThePlainSumsOfTheirSteps) {
    Planet planet(400, 0.45f, 9500, 0.003f, 200, 0.03f, 0, 10, "Kelp");
    float orbit = planet.orbitAngle;
    float spin = planet.spinAngle;
    for (int i = 0; i < 3600 * 1000 / 17; ++i) {
        planet.update(world, player, 17, point{0, 0});
        orbit += planet.orbitSpeed * 17;
        spin += planet.spinSpeed * 17;
    }
    ASSERT_GT(orbit, 30 * 2 * M_PI);
    EXPECT_EQ(planet.orbitAngle, orbit);
    EXPECT_EQ(planet.spinAngle, spin);
    EXPECT_EQ(planet.position.x, std::cos(orbit) * 9500);
}

// A day of 20 ms steps: plain sums would have grown too coarse for one step (the orbit moving
// in jerks, the spin by multiples of an eighth of a degree); with whole turns taken off, each
// step still moves the angles by the step within a 32nd of it.
TEST_F(PlanetUpdate, ADayLaterThePlanetStillOrbitsAndSpinsAtItsOwnPace) {
    Planet planet(250, 0, 4000, 0.004f, 45, 0.02f, 0, 10, "Cinder");
    for (int i = 0; i < 24 * 3600 * 50; ++i)
        planet.update(world, player, 20, point{0, 0});
    for (int i = 0; i < 50; ++i) {
        const float orbit = planet.orbitAngle;
        const float spin = planet.spinAngle;
        const point before = planet.position;
        planet.update(world, player, 20, point{0, 0});
        const double orbitStep = std::remainder(planet.orbitAngle - orbit, 2 * M_PI);
        EXPECT_NEAR(orbitStep, planet.orbitSpeed * 20, planet.orbitSpeed * 20 / 32);
        EXPECT_NEAR(std::remainder(planet.spinAngle - spin, 360.0), 0.4, 0.4 / 32);
        EXPECT_NEAR(pointDistance(before, planet.position), 4000 * orbitStep, 0.01f);
    }
}
