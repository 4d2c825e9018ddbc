#include <cmath>

#include "../bodies/bodies_fixture.h"
#include "game/passes.h"
#include "hud/gate_choice.h"
#include "hud/predicted_path.h"

using PredictedPathTest = BodiesTest;

namespace {

// The simulation's own steps of pathStepMs with no key held, as the frame runs them.
void simulateSteps(WorldState& world, Player& ship, int steps) {
    for (int i = 0; i < steps; ++i) {
        ship.update(pathStepMs, FlightKeys{false, false, false, false});
        updateStars(world, &ship, pathStepMs);
    }
}

} // namespace

TEST_F(PredictedPathTest, EveryPointIsWhereTheSimulationTakesTheShip) {
    Star star(point{0, 0}, 1000, 1, 0, 14, "Centre");
    star.addPlanet(Planet(300, 0.6f, 4000, 0.004f, 200, 0, 0, 10, "Near"));
    star.addPlanet(Planet(400, 0.5f, 7000, -0.002f, 100, 0, 0, 10, "Far"));
    world.stars.push_back(star);
    updateStars(world, player, 1); // the planets on their orbits, as after any frame
    // Inside both the star's reach and the far planet's, passing it.
    const point far = world.stars[0].planets[1].position;
    player->position = point{far.x + 1500, far.y};
    player->velocity = point{0.1f, 0.6f};
    static PredictedPath path;
    predictPath(world, *player, path);
    ASSERT_EQ(path.count, pathSteps);
    // The bodies bend the line away from the straight one.
    const point straight{player->position.x + 0.1f * 10000, player->position.y + 0.6f * 10000};
    EXPECT_GT(pointDistance(path.points[pathSteps - 1], straight), 500);
    for (int i = 0; i < pathSteps; ++i) {
        simulateSteps(world, *player, 1);
        ASSERT_EQ(path.points[i].x, player->position.x) << "step " << i;
        ASSERT_EQ(path.points[i].y, player->position.y) << "step " << i;
    }
}

TEST_F(PredictedPathTest, EndsWithTheStepThatPutsTheShipDownOnAPlanet) {
    Star star(point{0, 0}, 100, 0.05f, 0, 14, "Faint");
    star.addPlanet(Planet(300, 0.1f, 5000, 0.001f, 0, 0, 0, 10, "Ahead"));
    world.stars.push_back(star);
    updateStars(world, player, 1);
    player->position = point{5000, -3000};
    player->velocity = point{0, 0.5f};
    static PredictedPath path;
    predictPath(world, *player, path);
    ASSERT_GT(path.count, 0);
    ASSERT_LT(path.count, pathSteps);
    simulateSteps(world, *player, path.count - 1);
    EXPECT_FALSE(player->isLanded());
    simulateSteps(world, *player, 1);
    EXPECT_TRUE(player->isLanded());
    EXPECT_EQ(player->position.x, path.points[path.count - 1].x);
    // Landed, there is nothing to predict.
    predictPath(world, *player, path);
    EXPECT_EQ(path.count, 0);
}

TEST_F(PredictedPathTest, GateChoiceStartsOnTheRingKeepsUntilGAndStartsAgainAfterAJump) {
    emitters = {EmitterFile{}, EmitterFile{}};
    Universe universe;
    universe.player = player;
    universe.worlds.resize(3);
    auto gate = [&](int from, int to) {
        universe.worlds[from].wormholes.push_back(
            Wormhole(from, point{0, 0}, 400, to, point{0, 0}, 1));
    };
    gate(1, 0); // back
    gate(1, 2); // on round the ring
    gate(2, 1);
    gate(2, 0); // the last system leads on to the first
    player->world = 1;
    GateChoice choice;
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 2);
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 2);
    chooseNextGate(choice, universe);
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 0);
    chooseNextGate(choice, universe);
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 2);
    chooseNextGate(choice, universe);
    forgetGate(choice);
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 2);
    player->world = 2;
    EXPECT_EQ(chosenGate(choice, universe)->destinationWorld, 0);
    player->world = 0;
    EXPECT_EQ(chosenGate(choice, universe), nullptr);
}
