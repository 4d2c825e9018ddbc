#include <gtest/gtest.h>

#include "player/player.h"

namespace {

constexpr FlightKeys none{false, false, false, false};
constexpr FlightKeys forward{true, false, false, false};
constexpr FlightKeys reverse{false, true, false, false};

Player ship(float thrust = 0.001f, float reverse = 0.05f, float turn = 0.002f) {
    return Player(point{0, 0}, thrust, reverse, turn, 100, 50);
}

} // namespace

TEST(PlayerFlight, StartsAtRestFacingPlusX) {
    const Player p(point{7, -3}, 0.001f, 0.05f, 0.002f, 80, 40);
    EXPECT_EQ(p.position.x, 7);
    EXPECT_EQ(p.position.y, -3);
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_EQ(p.getHealth(), 80);
    EXPECT_EQ(p.getRadius(), 40);
    EXPECT_TRUE(p.warpReady);
    EXPECT_TRUE(p.outsideWormholes);
    EXPECT_FALSE(p.isLanded());
    EXPECT_EQ(p.getWorld(), 0);
    EXPECT_EQ(p.trail.points.size(), 100u);
    EXPECT_EQ(p.trail.interval, 100);
    EXPECT_EQ(p.trail.points[42].x, 7);
    EXPECT_FLOAT_EQ(p.getAngle(), -90);
}

TEST(PlayerFlight, ThrustAddsVelocityPerMillisecondAlongTheHeading) {
    Player p = ship();
    for (int i = 0; i < 50; ++i)
        p.update(20, forward);
    EXPECT_NEAR(p.velocity.x, 1.0f, 1e-4);
    EXPECT_NEAR(p.velocity.y, 0.0f, 1e-6);
    EXPECT_EQ(p.flameLevel, 1);

    Player up = ship();
    up.setAngle(1.5707963f);
    up.forwardThrust(500);
    EXPECT_NEAR(up.velocity.x, 0, 1e-6);
    EXPECT_NEAR(up.velocity.y, 0.5f, 1e-6);
}

TEST(PlayerFlight, MotionFollowsVelocityAndFrameLength) {
    Player p = ship();
    p.setVelocity(point{0.5f, -0.25f});
    p.update(40, none);
    EXPECT_FLOAT_EQ(p.position.x, 20);
    EXPECT_FLOAT_EQ(p.position.y, -10);
    EXPECT_EQ(p.flameLevel, 0);
}

TEST(PlayerFlight, ReverseIsAFixedKickPerFrame) {
    Player shortFrames = ship();
    Player longFrames = ship();
    shortFrames.update(5, reverse);
    longFrames.update(80, reverse);
    EXPECT_FLOAT_EQ(shortFrames.velocity.x, -0.05f);
    EXPECT_FLOAT_EQ(longFrames.velocity.x, -0.05f);
    EXPECT_EQ(longFrames.flameLevel, 0);
}

TEST(PlayerFlight, ForwardWinsOverReverse) {
    Player p = ship();
    p.update(100, FlightKeys{true, true, false, false});
    EXPECT_NEAR(p.velocity.x, 0.1f, 1e-6);
    EXPECT_EQ(p.flameLevel, 1);
}

TEST(PlayerFlight, TurnKeysTurnByRateAndCancelTogether) {
    Player p = ship();
    p.update(100, FlightKeys{false, false, true, false});
    EXPECT_FLOAT_EQ(p.angle, 0.2f);
    p.update(50, FlightKeys{false, false, false, true});
    EXPECT_FLOAT_EQ(p.angle, 0.1f);
    p.update(70, FlightKeys{false, false, true, true});
    EXPECT_FLOAT_EQ(p.angle, 0.1f);
}

TEST(PlayerFlight, AngleIsNeverWrapped) {
    Player p = ship();
    for (int i = 0; i < 10; ++i)
        p.turnCCW(1000);
    EXPECT_FLOAT_EQ(p.angle, 20);
    EXPECT_FLOAT_EQ(p.getAngle(), static_cast<float>(20 * 57.2958 - 90));
}

TEST(PlayerFlight, EdgeStopsOnlyTheAxisThatHitIt) {
    Player p = ship();
    p.position = point{99990, 0};
    p.setVelocity(point{1, 0.5f});
    p.update(20, none);
    EXPECT_EQ(p.position.x, 100000);
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.5f);
    EXPECT_FLOAT_EQ(p.position.y, 10);

    Player low = ship();
    low.position = point{0, -99995};
    low.setVelocity(point{0.25f, -1});
    low.update(10, none);
    EXPECT_EQ(low.position.y, -100000);
    EXPECT_EQ(low.velocity.y, 0);
    EXPECT_FLOAT_EQ(low.velocity.x, 0.25f);
}

TEST(PlayerLanding, TakeoffDelayBlocksThrustEvenInFlight) {
    Player p = ship();
    p.setLanded();
    p.landed = false; // as a planet would leave it after a bounce
    p.update(100, forward);
    p.update(100, forward);
    EXPECT_EQ(p.velocity.x, 0);
    p.update(100, forward); // delay 100 here: still blocked, then used up
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_LE(p.takeoffDelay, 0);
    p.update(100, forward);
    EXPECT_NEAR(p.velocity.x, 0.1f, 1e-6);
}

TEST(PlayerLanding, LandedShipChargesThenTakesOffWithTheCharge) {
    Player p = ship();
    p.position = point{500, 500};
    p.setLanded();
    p.turnCW(1000);
    EXPECT_EQ(p.angle, 0) << "a landed ship does not turn";
    for (int i = 0; i < 20; ++i)
        p.update(100, reverse);
    EXPECT_EQ(p.takeoffCharge, 2000);
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_EQ(p.position.x, 500) << "a landed ship does not move by itself";
    EXPECT_EQ(p.trail.head, 0) << "nor does its trail advance";

    p.update(16, forward);
    EXPECT_FALSE(p.isLanded());
    EXPECT_NEAR(p.velocity.x, 0.001f * 2016, 1e-4);
    EXPECT_EQ(p.takeoffCharge, 0);
}

TEST(PlayerWormholeFlags, ReadyAgainOnlyAfterAFrameOutside) {
    Player p = ship();
    p.update(16, none);
    // Frame n: a wormhole finds the ship inside and sends it on.
    p.outsideWormholes = false;
    p.warpReady = false;
    p.update(16, none); // frame n+1 starts: it was inside in frame n
    EXPECT_FALSE(p.warpReady);
    EXPECT_TRUE(p.outsideWormholes);
    // Frame n+1: no wormhole finds it.
    p.update(16, none); // frame n+2
    EXPECT_TRUE(p.warpReady);
}

TEST(PlayerDamage, HealthFallsBelowZeroWithoutEndingTheShip) {
    Player p = ship();
    p.takeDamage(60);
    p.takeDamage(60);
    EXPECT_FLOAT_EQ(p.getHealth(), -20);
}
