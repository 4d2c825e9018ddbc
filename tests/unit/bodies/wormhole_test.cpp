#include <gtest/gtest.h>

#include "bodies/wormhole.h"
#include "bodies_fixture.h"
#include "core/passes.h"

namespace {

constexpr FlightKeys noKeys{false, false, false, false};

} // namespace

// Three systems: a gate in system 0 at (1000, 0) of radius 100 leads to (5000, 5000) in
// system 1, where a second gate of radius 100 sits at (5000, 5050) and leads to system 2.
class WormholeTest : public BodiesTest {
  protected:
    void SetUp() override {
        BodiesTest::SetUp();
        emitters = {EmitterFile{}};
        universe.worlds.resize(3);
        universe.worlds[0].wormholes.push_back(
            Wormhole(0, point{1000, 0}, 100, 1, point{5000, 5000}, 0));
        universe.worlds[1].wormholes.push_back(
            Wormhole(1, point{5000, 5050}, 100, 2, point{-3000, 0}, 0));
        universe.player = player;
        player->position = point{0, 0};
    }

    // One frame as the game runs it: the player's update, then the wormhole pass.
    void frame(point at) {
        player->update(16, noKeys);
        player->position = at;
        processWormholes(universe, 1000);
    }

    Universe universe;
};

TEST_F(WormholeTest, APlayerOnTheRimJumpsAndLosesTheShotsOfTheSystemLeft) {
    WorldState& home = universe.worlds[0];
    home.projectiles.push_back(Projectile(point{0, 0}, 1, 0, 1, home, 0, false, 1000, 0, 0));
    home.ships.push_back(Ship(point{-500, 0}, 1));
    universe.worlds[1].projectiles.push_back(
        Projectile(point{0, 0}, 1, 0, 1, home, 0, false, 1000, 0, 0));
    player->velocity = point{0.5f, 0.25f};

    frame(point{1100, 0});

    EXPECT_EQ(player->getWorld(), 1);
    EXPECT_EQ(player->position.x, 5000);
    EXPECT_EQ(player->position.y, 5000);
    EXPECT_FLOAT_EQ(player->velocity.x, 0.5f);
    EXPECT_FALSE(player->warpReady);
    EXPECT_TRUE(home.projectiles.empty());
    EXPECT_EQ(home.ships.size(), 1u);
    EXPECT_EQ(universe.worlds[1].projectiles.size(), 1u);
}

TEST_F(WormholeTest, OutsideTheRimNothingHappens) {
    frame(point{1100.5f, 0});
    EXPECT_EQ(player->getWorld(), 0);
    EXPECT_TRUE(player->outsideWormholes);
    EXPECT_TRUE(player->warpReady);
}

TEST_F(WormholeTest, ArrivingInsideAGateWaitsForAWholeFrameOutsideBeforeJumpingOn) {
    frame(point{1000, 0});
    ASSERT_EQ(player->getWorld(), 1);
    // The destination lies inside system 1's gate: staying there sends the ship nowhere.
    frame(point{5000, 5000});
    frame(point{5000, 5000});
    EXPECT_EQ(player->getWorld(), 1);
    // Out for one frame, then back in: now it jumps.
    frame(point{5000, 4000});
    EXPECT_EQ(player->getWorld(), 1);
    frame(point{5000, 5050});
    EXPECT_EQ(player->getWorld(), 2);
    EXPECT_EQ(player->position.x, -3000);
}

TEST_F(WormholeTest, AGateIntoItsOwnSystemMovesTheShipAndClearsTheShots) {
    WorldState& home = universe.worlds[0];
    home.wormholes[0].destinationWorld = 0;
    home.projectiles.push_back(Projectile(point{0, 0}, 1, 0, 1, home, 0, false, 1000, 0, 0));
    frame(point{1000, 50});
    EXPECT_EQ(player->getWorld(), 0);
    EXPECT_EQ(player->position.x, 5000);
    EXPECT_TRUE(home.projectiles.empty());
}
