#include "game/universe_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>

#include "bodies/gravity.h"
#include "bodies/world_state.h"
#include "graphics/emitter_data.h"
#include "scratch_dir.h"

namespace {

class UniverseLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        // Emitter 1 is a usable swirl (twelve rows, program 1); emitter 0 has no parameter set.
        ParameterSet swirl(12, std::vector<float>{0});
        swirl[11] = {1};
        emitters = {EmitterFile{}, EmitterFile{swirl}};
        shaders = {0, 0}; // names only: without a GL context the emitters look nothing up
        universe.worlds.resize(1);
        for (const char* file : {"stardata.txt", "planetdata.txt", "wormholedata.txt"})
            dir.write(file, "");
    }
    // Runs the loader in the scratch directory and keeps the lines it printed on standard output
    // and on standard error.
    bool load() {
        InDirectory in(dir.root);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const bool ok = initializeStars(universe);
        errors = linesOf(testing::internal::GetCapturedStderr());
        output = linesOf(testing::internal::GetCapturedStdout());
        return ok;
    }
    static std::vector<std::string> linesOf(const std::string& printed) {
        std::istringstream text(printed);
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }

    ScratchDir dir;
    Universe universe;
    std::vector<std::string> output;
    std::vector<std::string> errors;
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
}

TEST_F(UniverseLoader, GrowsToTheHighestSystemAndMatchesPlanetsToStarRows) {
    dir.write("stardata.txt", "2.9 0 0 100 1 0 14 @First\n"
                              "0 0 0 100 1 0 14.7\n");
    dir.write("planetdata.txt", "1 10 1 500 0 0 0 0 10 @Inner\n"
                                "0.5 10 1 500 0 0 0 0 10 @Lost\n"
                                "1 10 1 900 0 0 0 0 10.9\n"
                                "7 nan 1 500 0 0 0 0 99 @Orphan\n");
    // System 1 exists only because higher ones do; a gate may still lead there.
    dir.write("wormholedata.txt", "4 0 0 200 1 0 0 1\n");
    ASSERT_TRUE(load());
    ASSERT_EQ(universe.worlds.size(), 5u);
    EXPECT_TRUE(universe.worlds[1].stars.empty());
    EXPECT_TRUE(universe.worlds[2].stars.at(0).planets.empty());
    const Star& second = universe.worlds[0].stars.at(0);
    EXPECT_EQ(second.getName(), "Star 1"); // rows without a name are named by their number
    ASSERT_EQ(second.planets.size(), 2u);
    EXPECT_EQ(second.planets[1].getName(), "Planet 2");
    EXPECT_EQ(second.planets[1].texture, 10);
    EXPECT_EQ(universe.worlds[4].wormholes.at(0).destinationWorld, 1);
    for (const std::string& line : output) {
        EXPECT_EQ(line.find("Lost"), std::string::npos);
        EXPECT_EQ(line.find("Orphan"), std::string::npos);
    }
}

TEST_F(UniverseLoader, AMissingTableEndsLoadingWithItsLine) {
    std::filesystem::remove(dir.path("planetdata.txt"));
    EXPECT_FALSE(load());
    EXPECT_EQ(output.back(), "planetdata read failure");
    EXPECT_EQ(errors, std::vector<std::string>{"planetdata.txt: cannot be opened"});
}

TEST_F(UniverseLoader, RefusesUnusableRowsBeforeAddingAnything) {
    const std::string star = "0 0 0 100 1 0 14 @Fine\n";
    const std::string planet = "0 10 1 500 0 0 0 0 10\n";
    struct Case {
        std::string stars, planets, wormholes, line;
    };
    const Case cases[] = {
        {star + "-1 0 0 100 1 0 14\n", "", "",
         "stardata.txt:2: row 1: system -1 is outside 0..999"},
        {"5000 0 0 100 1 0 14\n", "", "", "stardata.txt:1: row 0: system 5000 is outside"},
        {star, "", "-2 0 0 100 0 0 0 1\n", "wormholedata.txt:1: row 0: system -2 is outside"},
        {star, "", "3 0 0 100 0 0 0 1\n0 0 0 100 4 0 0 1\n",
         "wormholedata.txt:2: row 1: destination system 4 is beyond the highest system the "
         "tables create, 3"},
        {"0 0 0 100 1 0 21\n", "", "", "stardata.txt:1: row 0: texture index 21 is outside 0..20"},
        {star, planet + "0 10 1 500 0 0 0 0 -1\n", "",
         "planetdata.txt:2: row 1: texture index -1 is outside"},
        {star, "", "0 0 0 100 0 0 0 2\n", "wormholedata.txt:1: row 0: emitter index 2 names no"},
        {star, "", "0 0 0 100 0 0 0 0\n",
         "wormholedata.txt:1: row 0: emitter 0 cannot be used: " + emitterEntryProblem(0)},
        {star, "0 10 1 500 nan 0 0 0 10\n", "",
         "planetdata.txt:1: row 0 column 4 (orbit speed) is not a finite"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        dir.write("stardata.txt", c.stars);
        dir.write("planetdata.txt", c.planets);
        dir.write("wormholedata.txt", c.wormholes);
        EXPECT_FALSE(load());
        EXPECT_EQ(output.back(), "Opening wormholedata.txt") << "the refusal is not on stdout";
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().rfind(c.line, 0), 0u) << errors.back();
        EXPECT_EQ(universe.worlds.size(), 1u);
        EXPECT_TRUE(universe.worlds[0].stars.empty());
    }
}

// The universe we ship: a network round all its systems, and a start with a first landing and a
// first jump within reach.
TEST_F(UniverseLoader, ShippedUniverseCanBeTravelledRound) {
    for (const char* file : {"stardata.txt", "planetdata.txt", "wormholedata.txt"})
        std::filesystem::copy_file(std::filesystem::path(ORRISK_SOURCE_DIR) / "assets" / file,
                                   dir.path(file),
                                   std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(load());
    const size_t systems = universe.worlds.size();
    ASSERT_GE(systems, 4u);
    // Following the gates from any system leads through every system, 0 included.
    for (size_t from = 0; from < systems; ++from) {
        std::set<int> seen{static_cast<int>(from)};
        for (size_t round = 0; round < systems; ++round)
            for (int w : std::set<int>(seen))
                for (const Wormhole& gate : universe.worlds[w].wormholes) {
                    seen.insert(gate.destinationWorld);
                    // Ships come out calm: beyond the star's pull and clear of every gate.
                    const WorldState& there = universe.worlds[gate.destinationWorld];
                    for (const Wormhole& other : there.wormholes)
                        EXPECT_GT(pointDistance(gate.destination, other.position),
                                  2 * other.radius);
                    const Star& sun = there.stars.at(0);
                    EXPECT_GT(pointDistance(gate.destination, sun.position),
                              gravityReach(sun.radius, sun.density));
                }
        EXPECT_EQ(seen.size(), systems) << "from system " << from;
    }
    float nearestPlanet = 1e9f, nearestGate = 1e9f;
    const Star& home = universe.worlds[0].stars.at(0);
    EXPECT_GT(pointDistance(point{0, 0}, home.position), gravityReach(home.radius, home.density));
    for (const Planet& p : home.planets)
        nearestPlanet = std::min(
            nearestPlanet, std::hypot(home.position.x + std::cos(p.orbitAngle) * p.orbitRadius,
                                      home.position.y + std::sin(p.orbitAngle) * p.orbitRadius));
    for (const Wormhole& gate : universe.worlds[0].wormholes)
        nearestGate = std::min(nearestGate, pointDistance(point{0, 0}, gate.position));
    EXPECT_LT(nearestPlanet, 5000);
    EXPECT_LT(nearestGate, 20000);
    for (const WorldState& world : universe.worlds)
        for (const Planet& p : world.stars.at(0).planets) {
            // A ship (thrust 0.0015) lifts off against the surface pull; and in a slow 125 ms
            // frame the planet moves less than the carrying margin 0.2 * (radius + ship 50).
            EXPECT_LT(gravityPull(point{0, 0}, p.radius, p.density, point{p.radius, 0}, 1).x * -1,
                      0.001f)
                << p.name;
            EXPECT_LT(std::fabs(p.orbitSpeed) * p.orbitRadius * 125, 0.2f * (p.radius + 50))
                << p.name;
        }
}
