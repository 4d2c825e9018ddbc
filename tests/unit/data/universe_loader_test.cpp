#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "bodies/gravity.h"
#include "core/world_state.h"
#include "data/universe_loader.h"
#include "graphics/emitter_data.h"
#include "scratch_dir.h"

namespace {

// Emitter file 1 as the swirl needs it: twelve rows in set 0, four layers, program 1.
EmitterFile swirlFile() {
    ParameterSet set(12, std::vector<float>{0});
    set[0] = {4};
    set[11] = {1};
    return EmitterFile{set};
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class UniverseLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        emitters = {EmitterFile{}, swirlFile()};
        // Program names only: without a GL context the emitters look nothing up.
        shaders = {0, 0};
        universe.worlds.resize(1);
        dir.write("stardata.txt", "");
        dir.write("planetdata.txt", "");
        dir.write("wormholedata.txt", "");
    }

    // Runs the loader in the scratch directory; returns its result and keeps what it printed.
    bool load() {
        InDirectory in(dir.root);
        testing::internal::CaptureStdout();
        const bool ok = initializeStars(universe);
        output = splitLines(testing::internal::GetCapturedStdout());
        return ok;
    }

    // Expects a refusal whose last line names the file and the row, with nothing loaded.
    void expectRefused(const std::string& file, const std::string& row) {
        EXPECT_FALSE(load());
        ASSERT_FALSE(output.empty());
        const std::string& last = output.back();
        EXPECT_EQ(last.rfind(file + ", row " + row + ": ", 0), 0u) << last;
        EXPECT_EQ(universe.worlds.size(), 1u);
        EXPECT_TRUE(universe.worlds[0].stars.empty());
        EXPECT_TRUE(universe.worlds[0].wormholes.empty());
    }

    ScratchDir dir;
    Universe universe;
    std::vector<std::string> output;
};

} // namespace

TEST_F(UniverseLoader, PrintsTheLoadingLinesInOrder) {
    dir.write("stardata.txt", "0 0 0 1000 1 0 14 @Sol\n");
    dir.write("planetdata.txt", "0 100 1 5000 0.01 0 0 0 10 @Red_Rock\n");
    ASSERT_TRUE(load());
    const std::vector<std::string> expected = {"Loading star and planet data",
                                               "Opening stardata.txt",
                                               "Opening planetdata.txt",
                                               "Opening wormholedata.txt",
                                               "Red Rock",
                                               "Adding Red Rock to Sol",
                                               "Now loading wormholes"};
    EXPECT_EQ(output, expected);
    ASSERT_EQ(universe.worlds[0].stars.size(), 1u);
    EXPECT_EQ(universe.worlds[0].stars[0].planets.at(0).getName(), "Red Rock");
}

TEST_F(UniverseLoader, GrowsTheUniverseToTheHighestSystemNamed) {
    dir.write("stardata.txt", "1 0 0 100 1 0 14 @A\n"
                              "1.9 500 0 100 1 0 14 @B\n");
    dir.write("wormholedata.txt", "3 0 0 200 1 0 0 1\n");
    ASSERT_TRUE(load());
    ASSERT_EQ(universe.worlds.size(), 4u);
    EXPECT_TRUE(universe.worlds[0].stars.empty());
    ASSERT_EQ(universe.worlds[1].stars.size(), 2u);
    EXPECT_EQ(universe.worlds[1].stars[1].getName(), "B");
    EXPECT_TRUE(universe.worlds[2].stars.empty());
    ASSERT_EQ(universe.worlds[3].wormholes.size(), 1u);
    const Wormhole& gate = universe.worlds[3].wormholes[0];
    EXPECT_EQ(gate.world, 3);
    EXPECT_EQ(gate.destinationWorld, 1);
    EXPECT_FLOAT_EQ(gate.radius, 200);
}

TEST_F(UniverseLoader, PlanetsBelongToTheStarRowTheyNameExactly) {
    dir.write("stardata.txt", "2 0 0 100 1 0 14 @First\n"
                              "0 0 0 100 1 0 14.7 @Second\n");
    dir.write("planetdata.txt", "1 10 1 500 0 0 0 0 10 @Inner\n"
                                "0.5 10 1 500 0 0 0 0 10 @Lost\n"
                                "1 10 1 900 0 0 0 0 10.9 @Outer\n");
    ASSERT_TRUE(load());
    const Star& second = universe.worlds[0].stars.at(0);
    EXPECT_EQ(second.getTexture(), 14);
    ASSERT_EQ(second.planets.size(), 2u);
    EXPECT_EQ(second.planets[0].getName(), "Inner");
    EXPECT_EQ(second.planets[1].texture, 10);
    EXPECT_TRUE(universe.worlds[2].stars.at(0).planets.empty());
    for (const std::string& line : output)
        EXPECT_EQ(line.find("Lost"), std::string::npos) << line;
}

TEST_F(UniverseLoader, RowsWithoutANameGetOneFromTheirRowNumber) {
    dir.write("stardata.txt", "0 0 0 100 1 0 14 @Named\n0 0 0 100 1 0 14\n");
    dir.write("planetdata.txt", "1 10 1 500 0 0 0 0 10\n");
    ASSERT_TRUE(load());
    const Star& star = universe.worlds[0].stars.at(1);
    EXPECT_EQ(star.getName(), "Star 1");
    EXPECT_EQ(star.planets.at(0).getName(), "Planet 0");
}

TEST_F(UniverseLoader, AMissingTableEndsLoadingWithItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"stardata.txt", "Stardata read failure"},
        {"planetdata.txt", "planetdata read failure"},
        {"wormholedata.txt", "wormhole read failure"}};
    for (const auto& [file, line] : cases) {
        SCOPED_TRACE(file);
        std::filesystem::remove(dir.path(file));
        EXPECT_FALSE(load());
        EXPECT_EQ(output.back(), line);
        EXPECT_EQ(universe.worlds.size(), 1u);
        dir.write(file, "");
    }
}

TEST_F(UniverseLoader, RefusesNegativeAndRunawaySystemNumbers) {
    dir.write("stardata.txt", "0 0 0 100 1 0 14 @Fine\n-1 0 0 100 1 0 14 @Bad\n");
    expectRefused("stardata.txt", "1");
    dir.write("stardata.txt", "1000000000 0 0 100 1 0 14 @Huge\n");
    expectRefused("stardata.txt", "0");
    dir.write("stardata.txt", "0 0 0 100 1 0 14 @Fine\n");
    dir.write("wormholedata.txt", "-2 0 0 100 0 0 0 1\n");
    expectRefused("wormholedata.txt", "0");
}

TEST_F(UniverseLoader, RefusesDestinationsThatNoTableCreates) {
    dir.write("stardata.txt", "1 0 0 100 1 0 14 @A\n");
    // System 2 exists (the second gate stands in 3) but nothing names it.
    dir.write("wormholedata.txt", "1 0 0 100 0 0 0 1\n"
                                  "3 0 0 100 1 0 0 1\n"
                                  "1 0 0 100 2 0 0 1\n");
    expectRefused("wormholedata.txt", "2");
    dir.write("wormholedata.txt", "1 0 0 100 -1 0 0 1\n");
    expectRefused("wormholedata.txt", "0");
}

TEST_F(UniverseLoader, RefusesTexturesOutsideTheTable) {
    dir.write("stardata.txt", "0 0 0 100 1 0 21 @A\n");
    expectRefused("stardata.txt", "0");
    dir.write("stardata.txt", "0 0 0 100 1 0 20.9 @A\n");
    dir.write("planetdata.txt", "0 10 1 500 0 0 0 0 10\n0 10 1 500 0 0 0 0 -1\n");
    expectRefused("planetdata.txt", "1");
}

TEST_F(UniverseLoader, RefusesEmittersThatCannotDriveASwirl) {
    dir.write("wormholedata.txt", "0 0 0 100 0 0 0 2\n");
    expectRefused("wormholedata.txt", "0");
    EXPECT_NE(output.back().find("emitter index 2"), std::string::npos) << output.back();
    // Entry 0 exists but has no parameter set: the emitter check says what is missing.
    dir.write("wormholedata.txt", "0 0 0 100 0 0 0 0\n");
    expectRefused("wormholedata.txt", "0");
    EXPECT_NE(output.back().find(emitterEntryProblem(0)), std::string::npos) << output.back();
}

TEST_F(UniverseLoader, RefusesValuesThatAreNotNumbers) {
    dir.write("planetdata.txt", "0 10 1 500 nan 0 0 0 10\n");
    expectRefused("planetdata.txt", "0");
}

// The universe we ship: every system can be reached from system 0 and left again, and the
// start gives a first landing and a first jump within reach.
class ShippedUniverse : public UniverseLoader {
  protected:
    void SetUp() override {
        UniverseLoader::SetUp();
        for (const char* file : {"stardata.txt", "planetdata.txt", "wormholedata.txt"})
            std::filesystem::copy_file(std::filesystem::path(ORRISK_SOURCE_DIR) / "assets" / file,
                                       dir.path(file),
                                       std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(load());
    }
};

TEST_F(ShippedUniverse, FormsANetworkRoundAtLeastFourSystems) {
    const size_t systems = universe.worlds.size();
    ASSERT_GE(systems, 4u);
    std::map<int, std::set<int>> links;
    for (size_t w = 0; w < systems; ++w) {
        SCOPED_TRACE(w);
        const WorldState& world = universe.worlds[w];
        ASSERT_EQ(world.stars.size(), 1u);
        EXPECT_GE(world.stars[0].planets.size(), 3u);
        for (const Wormhole& gate : world.wormholes)
            links[gate.world].insert(gate.destinationWorld);
    }
    // Everything is reachable from 0, and 0 from everything.
    for (size_t target = 0; target < systems; ++target) {
        std::set<int> seen{static_cast<int>(target)};
        std::vector<int> open{static_cast<int>(target)};
        while (!open.empty()) {
            const int w = open.back();
            open.pop_back();
            for (int next : links[w])
                if (seen.insert(next).second)
                    open.push_back(next);
        }
        EXPECT_EQ(seen.size(), systems) << "from system " << target;
    }
}

TEST_F(ShippedUniverse, ArrivalsAreCalmAndOutsideEveryGate) {
    for (const WorldState& world : universe.worlds)
        for (const Wormhole& gate : world.wormholes) {
            const WorldState& there = universe.worlds.at(gate.destinationWorld);
            for (const Wormhole& other : there.wormholes)
                EXPECT_GT(pointDistance(gate.destination, other.position), other.radius * 2);
            for (const Star& star : there.stars)
                EXPECT_GT(pointDistance(gate.destination, star.position),
                          gravityReach(star.radius, star.density));
        }
}

TEST_F(ShippedUniverse, HomeOffersALandingAndAJumpNearTheStart) {
    const point start{0, 0};
    const WorldState& home = universe.worlds[0];
    const Star& sun = home.stars.at(0);
    EXPECT_GT(pointDistance(start, sun.position), gravityReach(sun.radius, sun.density));
    float nearestPlanet = 1e9f;
    for (Planet planet : sun.planets) {
        // Where the planet is on the first frame.
        planet.position = point{sun.position.x + std::cos(planet.orbitAngle) * planet.orbitRadius,
                                sun.position.y + std::sin(planet.orbitAngle) * planet.orbitRadius};
        nearestPlanet = std::min(nearestPlanet, pointDistance(start, planet.position));
        // A ship can lift off against the planet's pull at its surface (thrust 0.0015).
        const point pull =
            gravityPull(planet.position, planet.radius, planet.density,
                        point{planet.position.x + planet.radius, planet.position.y}, 1);
        EXPECT_LT(std::fabs(pull.x), 0.001f) << planet.name;
    }
    EXPECT_LT(nearestPlanet, 5000);
    EXPECT_GT(nearestPlanet, 1000);
    float nearestGate = 1e9f;
    for (const Wormhole& gate : home.wormholes)
        nearestGate = std::min(nearestGate, pointDistance(start, gate.position));
    EXPECT_LT(nearestGate, 20000);
}

TEST_F(ShippedUniverse, PlanetsKeepALandedShipEvenAtEightFramesASecond) {
    // A landed ship is carried while within 1.2 * (planet radius + ship radius 50); in a 125 ms
    // frame the planet must not move farther than that margin of 0.2 * (radius + 50).
    for (const WorldState& world : universe.worlds)
        for (const Star& star : world.stars)
            for (const Planet& planet : star.planets) {
                const float speed = std::fabs(planet.orbitSpeed) * planet.orbitRadius;
                EXPECT_LT(speed * 125, 0.2f * (planet.radius + 50)) << planet.name;
            }
}
