#include "bodies/wormhole.h"

#include "bodies_fixture.h"
#include "game/passes.h"

// A gate in system 0 at (1000, 0) of radius 100 leads to (5000, 5000) in system 1, right inside
// system 1's own gate at (5000, 5050), which leads on to system 2.
class WormholeTest : public BodiesTest {
  protected:
    void SetUp() override {
        BodiesTest::SetUp();
        universe.worlds.resize(3);
        universe.worlds[0].wormholes.push_back(
            Wormhole(0, point{1000, 0}, 100, 1, point{5000, 5000}, 0));
        universe.worlds[1].wormholes.push_back(
            Wormhole(1, point{5000, 5050}, 100, 2, point{-3000, 0}, 0));
        universe.player = player;
    }
    // One frame as the game runs it: the player's update, then the wormhole pass; true on a jump.
    bool frame(point at) {
        player->update(16, FlightKeys{false, false, false, false});
        player->position = at;
        return processWormholes(universe);
    }
    Universe universe;
};

TEST_F(WormholeTest, ARimTouchJumpsAndClearsOnlyTheShotsOfTheSystemLeft) {
    WorldState& home = universe.worlds[0];
    addShot(point{0, 0}, home);
    addShot(point{0, 0}, universe.worlds[1]);
    home.ships.push_back(Ship(point{-500, 0}, 1));
    EXPECT_FALSE(frame(point{1100.5f, 0}));
    EXPECT_EQ(player->getWorld(), 0);
    EXPECT_TRUE(frame(point{1100, 0}));
    EXPECT_EQ(player->getWorld(), 1);
    EXPECT_EQ(player->position.x, 5000);
    EXPECT_TRUE(home.projectiles.empty());
    EXPECT_EQ(home.ships.size(), 1u);
    EXPECT_EQ(universe.worlds[1].projectiles.size(), 1u);
}

TEST_F(WormholeTest, ArrivingInsideAGateWaitsForAWholeFrameOutside) {
    frame(point{1000, 0});
    EXPECT_FALSE(frame(point{5000, 5000}));
    frame(point{5000, 5000});
    EXPECT_EQ(player->getWorld(), 1);
    frame(point{5000, 4000});
    frame(point{5000, 5050});
    EXPECT_EQ(player->getWorld(), 2);
    EXPECT_EQ(player->position.x, -3000);
}
