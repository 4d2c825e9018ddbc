#include <gtest/gtest.h>

#include <cmath>

#include "player/player.h"

namespace {

constexpr FlightKeys none{false, false, false, false};
constexpr FlightKeys forward{true, false, false, false};
constexpr FlightKeys reverse{false, true, false, false};

Player ship() {
    return Player(point{0, 0}, 0.001f, 0.05f, 0.002f, 100, 50);
}

} // namespace

TEST(PlayerFlight, ThrustIsPerMillisecondReverseIsPerFrame) {
    Player p = ship();
    for (int i = 0; i < 50; ++i)
        p.update(20, forward);
    EXPECT_NEAR(p.velocity.x, 1.0f, 1e-4) << "0.001 * 1000 ms from rest at heading 0";
    EXPECT_EQ(p.flameLevel, 1);

    Player shortFrame = ship(), longFrame = ship();
    shortFrame.update(5, reverse);
    longFrame.update(80, reverse);
    EXPECT_FLOAT_EQ(shortFrame.velocity.x, -0.05f);
    EXPECT_FLOAT_EQ(longFrame.velocity.x, -0.05f);
    EXPECT_EQ(longFrame.flameLevel, 0);

    Player both = ship();
    both.update(100, FlightKeys{true, true, false, false});
    EXPECT_NEAR(both.velocity.x, 0.1f, 1e-6) << "W wins over S";
    EXPECT_EQ(both.flameLevel, 1);
}

TEST(PlayerFlight, TurnKeysTurnByRateAndCancelTogether) {
    Player p = ship();
    EXPECT_FLOAT_EQ(p.getAngle(), -90);
    p.update(100, FlightKeys{false, false, true, false});
    p.update(50, FlightKeys{false, false, false, true});
    EXPECT_FLOAT_EQ(p.angle, 0.1f);
    p.update(70, FlightKeys{false, false, true, true});
    EXPECT_FLOAT_EQ(p.angle, 0.1f);
    EXPECT_FLOAT_EQ(p.getAngle(), static_cast<float>(0.1f * 57.2958 - 90));
}

// Round and round, the heading is the plain sum of its turns; after days of turning one way
// (at -3e6 a float is a quarter radian coarse) whole turns come off and it turns by the rate.
TEST(PlayerFlight, HeadingIsThePlainSumOfItsTurnsUntilTooCoarseForThem) {
    Player p = ship();
    float sum = 0;
    for (int i = 0; i < 10000; ++i, sum += p.turnRate * 16)
        p.update(16, FlightKeys{false, false, true, false});
    EXPECT_EQ(p.angle, sum);
    p.angle = -3e6f;
    p.update(16, FlightKeys{false, false, false, true});
    const float before = p.angle;
    p.update(16, FlightKeys{false, false, false, true});
    EXPECT_NEAR(p.angle - before, -p.turnRate * 16, p.turnRate * 16 / 32);
}

TEST(PlayerFlight, EdgeStopsOnlyTheAxisThatHitIt) {
    Player p = ship();
    p.position = point{99990, 0};
    p.setVelocity(point{1, 0.5f});
    p.update(20, none);
    EXPECT_EQ(p.position.x, 100000);
    EXPECT_EQ(p.velocity.x, 0);
    EXPECT_FLOAT_EQ(p.position.y, 10);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.5f);

    p.position = point{0, -99995};
    p.setVelocity(point{0.25f, -1});
    p.update(10, none);
    EXPECT_EQ(p.position.y, -100000);
    EXPECT_EQ(p.velocity.y, 0);
    EXPECT_FLOAT_EQ(p.velocity.x, 0.25f);
}

TEST(PlayerLanding, TakeoffDelayBlocksThrustEvenInFlight) {
    Player p = ship();
    p.setLanded();
    p.landed = false; // as a planet leaves it after bouncing the ship off
    for (int i = 0; i < 3; ++i)
        p.update(100, forward);
    EXPECT_EQ(p.velocity.x, 0);
    p.update(100, forward);
    EXPECT_NEAR(p.velocity.x, 0.1f, 1e-6);
}

TEST(PlayerLanding, LandedShipChargesThenTakesOffWithTheCharge) {
    Player p = ship();
    p.position = point{500, 500};
    p.setLanded();
    p.turnCW(1000);
    for (int i = 0; i < 20; ++i)
        p.update(100, reverse);
    EXPECT_EQ(p.angle, 0) << "a landed ship does not turn";
    EXPECT_EQ(p.takeoffCharge, 2000);
    EXPECT_EQ(p.position.x, 500) << "nor move by itself";
    EXPECT_EQ(p.trail.head, 0) << "nor advance its trail";

    p.update(16, forward);
    EXPECT_FALSE(p.isLanded());
    EXPECT_NEAR(p.velocity.x, 0.001f * 2016, 1e-4);
    EXPECT_EQ(p.takeoffCharge, 0);
}

TEST(PlayerWormholeFlags, ReadyAgainOnlyAfterAFrameOutside) {
    Player p = ship();
    p.outsideWormholes = false; // frame n: inside a wormhole, sent on
    p.warpReady = false;
    p.update(16, none);
    EXPECT_FALSE(p.warpReady);
    p.update(16, none); // frame n+1 passed outside every wormhole
    EXPECT_TRUE(p.warpReady);
}
