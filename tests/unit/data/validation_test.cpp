#include "data/validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "bodies/gravity.h"
#include "bodies/star.h"
#include "bodies/world_state.h"
#include "combat/timers.h"
#include "player/player.h"
#include "scratch_dir.h"

namespace {

std::vector<std::string> lines(const Problems& problems) {
    std::vector<std::string> out;
    for (const Problem& problem : problems)
        out.push_back(formatProblem(problem));
    return out;
}

TableFile tableOf(DataTable table, const std::string& text) {
    TableFile data;
    std::istringstream in(text);
    readTable(in, rulesOf(table).columns, data);
    return data;
}

// A directory holding every shipped data file, with the built sprites and font.
void copyShipped(const ScratchDir& dir) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(ORRISK_SOURCE_DIR) / "assets"))
        std::filesystem::copy_file(entry.path(), dir.root / entry.path().filename());
    for (const auto& entry : std::filesystem::directory_iterator(ORRISK_RUNTIME_DIR)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".png" || extension == ".tga" || extension == ".ttf")
            std::filesystem::copy_file(entry.path(), dir.root / entry.path().filename());
    }
}

} // namespace

TEST(TableRowLines, EachRowGetsTheLineItStartsOn) {
    TableFile data =
        tableOf(DataTable::weapons, "# 1 2 3 4\n\n1 2\r\n3 4 # 5\n  5 6 7 8 @Gun\n9\n");
    EXPECT_EQ(data.rows.size(), 3u);
    EXPECT_EQ(data.rowLines, (std::vector<int>{3, 5, 6}));
}

TEST(TableRules, MissingRowsAndEveryValueThatIsNotANumberAreNamed) {
    Problems problems;
    checkTable(DataTable::weapons, tableOf(DataTable::weapons, "1 2 3 4\n\n5 6 nan\n8"), problems);
    checkTable(DataTable::player, tableOf(DataTable::player, ""), problems);
    EXPECT_EQ(lines(problems),
              (std::vector<std::string>{
                  "weapondata.txt: 2 rows found, 3 needed (bullet, laser and shell)",
                  "weapondata.txt:3: row 1 column 2 (lifetime) is not a finite number",
                  "playerdata.txt: 0 rows found, 1 needed (the player's ship: start x, start y, "
                  "thrust, reverse, turn rate, health, radius)"}));
}

// The rows shift as the game reads them: the stray word makes the second star's density 12.
TEST(TableRules, TokensThatAreNotWhollyNumbersAreWarnedAboutAsTheGameReadsThem) {
    Problems problems;
    const TableFile stars =
        tableOf(DataTable::stars, "0 0 0 1e3 x 0 14 @Sun\nHello\n1 0 0 12a 1 0 14\n");
    checkTable(DataTable::stars, stars, problems);
    EXPECT_EQ(stars.rows[1], (std::vector<float>{0, 1, 0, 0, 12, 1, 0}));
    EXPECT_TRUE(printProblems(problems));
    EXPECT_EQ(lines(problems),
              (std::vector<std::string>{
                  "stardata.txt:1: warning: 'x' is not a number: it is read as 0 in row 0 column 4 "
                  "(density); every value after it moves one column on",
                  "stardata.txt:2: warning: stray word 'Hello' between rows is read as 0, "
                  "starting row 1 column 0 (system); every value after it moves one column on",
                  "stardata.txt:3: warning: '12a' is read as 12 in row 1 column 4 (density); the "
                  "'a' after it is ignored"}));
}

namespace {

// The problems and warnings a one-row table with value v in column c gets about that column;
// every other value is 0. Planet rows are checked with the star they belong to.
std::pair<int, int> verdictOn(const ColumnBound& bound, float v) {
    const int columns = rulesOf(bound.table).columns;
    std::string row;
    char text[32];
    for (int c = 0; c < columns; ++c) {
        std::snprintf(text, sizeof text, "%.9g ", c == bound.column ? v : 0.0f);
        row += text;
    }
    Problems problems;
    const TableFile table = tableOf(bound.table, row);
    if (bound.table == DataTable::planets)
        checkUniverse(tableOf(DataTable::stars, "0 0 0 1 1 0 0\n"), table, TableFile{}, {}, {}, 0,
                      problems);
    else
        checkTable(bound.table, table, problems);
    std::pair<int, int> verdict{0, 0};
    const std::string about = "column " + std::to_string(bound.column) + " (";
    for (const Problem& problem : problems)
        if (problem.message.find(about) != std::string::npos)
            ++(isWarning(problem) ? verdict.second : verdict.first);
    return verdict;
}

// The README's Range cell of a column, "any", "at most H" or "L..H", as the pair of its ends.
std::pair<float, float> readmeRange(const std::string& file, int column) {
    std::ifstream in(std::string(ORRISK_SOURCE_DIR) + "/README.md");
    std::string line;
    while (std::getline(in, line) && line != "### " + file) {
    }
    while (std::getline(in, line) && line.rfind("| Column ", 0) != 0) {
    }
    for (int row = -1; row <= column; ++row) // the separator, then the rows up to it
        std::getline(in, line);
    std::istringstream cells(line);
    std::string range;
    for (int cell = 0; cell < 4; ++cell)
        std::getline(cells, range, '|');
    range = range.substr(1, range.size() - 2);
    if (range == "any")
        return {-largestFloat, largestFloat};
    const float inf = std::numeric_limits<float>::infinity();
    if (range == "any, infinity too" || range == "anything, nan too")
        return {-inf, inf};
    if (range.rfind("at most ", 0) == 0)
        return {-largestFloat, std::strtof(range.c_str() + 8, nullptr)};
    const size_t dots = range.find("..");
    return {std::strtof(range.substr(0, dots).c_str(), nullptr),
            std::strtof(range.c_str() + dots + 2, nullptr)};
}

} // namespace

// Each column keeps the values at its edges and refuses the next float beyond (past the
// largest float, infinity); values just outside the usual span are warned about and played;
// the README shows the same range.
TEST(ColumnBounds, EveryColumnKeepsItsEdgeAndRefusesJustBeyondIt) {
    for (auto bound = columnBoundsBegin(); bound != columnBoundsEnd(); ++bound) {
        const std::string where =
            std::string(rulesOf(bound->table).file) + " column " + std::to_string(bound->column);
        const float inf = std::numeric_limits<float>::infinity();
        EXPECT_EQ(verdictOn(*bound, bound->high).first, 0) << where;
        EXPECT_EQ(verdictOn(*bound, bound->low).first, 0) << where;
        if (std::isinf(bound->high))
            EXPECT_EQ(verdictOn(*bound, std::nanf("")).first, bound->readByNothing ? 0 : 1)
                << where;
        else {
            EXPECT_EQ(verdictOn(*bound, std::nextafter(bound->high, inf)).first, 1) << where;
            EXPECT_EQ(verdictOn(*bound, std::nextafter(bound->low, -inf)).first, 1) << where;
        }
        if (bound->slip != nullptr)
            for (float usual : {bound->usualLow, bound->usualHigh})
                if (std::fabs(usual) != largestFloat) {
                    EXPECT_EQ(verdictOn(*bound, usual), std::make_pair(0, 0)) << where;
                    const float beyond =
                        std::nextafter(usual, usual == bound->usualLow ? -inf : inf);
                    EXPECT_EQ(verdictOn(*bound, beyond), std::make_pair(0, 1)) << where;
                }
        EXPECT_EQ(readmeRange(rulesOf(bound->table).file, bound->column),
                  std::make_pair(bound->low, bound->high))
            << where << " in the README";
    }
}

// At the edges of the rate bound a turn held for hours, a spin and an orbit stay finite, in
// degrees too;
// a ship within a hair of a star's centre is not flung to infinity.
TEST(ColumnBounds, PlayAtTheEdgesStaysFinite) {
    const float rate = boundOf(DataTable::player, 4)->high;
    for (int ms : {1, 20}) {
        Player ship(point{0, 0}, 0, 0, rate, 100, 50);
        Planet planet(10, 1, 500, boundOf(DataTable::planets, 4)->low,
                      boundOf(DataTable::planets, 5)->high, rate,
                      boundOf(DataTable::planets, 7)->low, 10, "Edge");
        WorldState world;
        // Long enough for the angles to reach the most the wrap lets them grow to.
        for (int step = 0; step < (1 << 21); ++step) {
            ship.update(ms, FlightKeys{false, false, false, true});
            planet.update(world, &ship, ms, point{0, 0});
        }
        EXPECT_TRUE(std::isfinite(ship.getAngle())) << ms;
        EXPECT_TRUE(std::isfinite(planet.orbitAngle) && std::isfinite(planet.spinAngle)) << ms;
    }

    Player ship(point{1e-20f, 0}, 0, 0, 0, 100, 50);
    Star star(point{0, 0}, 1000, 1, 0, 14, "Sun");
    WorldState world;
    star.update(world, &ship, 20);
    EXPECT_EQ(ship.velocity.x, 0);
    EXPECT_EQ(ship.velocity.y, 0);
    for (TimerBase* timer : world.timers)
        delete timer;

    // The largest body pulls at its surface, and nothing pulls harder: a hundredth inside it,
    // where the rule would give more, there is no pull.
    const float size = boundOf(DataTable::stars, 3)->high;
    EXPECT_GT(gravityPull(point{0, 0}, size, size, point{size, 0}, 20).x, -8.4e15f);
    EXPECT_LT(gravityPull(point{0, 0}, size, size, point{size, 0}, 20).x, -8.3e15f);
    EXPECT_EQ(gravityPull(point{0, 0}, size, size, point{size * 0.99f, 0}, 20).x, 0);

    // A beam aimed a hair off the ship's own position still ends on the field's edge.
    const point end = beamEdgePoint(point{100000, 0}, point{0, 1e-40f});
    EXPECT_EQ(end.x, 100000);
    EXPECT_EQ(end.y, 100000);
}

TEST(UniverseRules, EveryBadIndexIsReportedWithItsRowAndLine) {
    const TableFile stars = tableOf(DataTable::stars, "0 0 0 100 1 0 14 @Sun\n"
                                                      "1000 0 0 100 1 0 -1 @Far\n"
                                                      "nan 0 0 100 1 0 99 @NaN\n");
    const TableFile planets =
        tableOf(DataTable::planets, "0 10 1 500 0 0 0 0\n21\n0.5 0 0 0 0 0 0 0 nan\n");
    const TableFile wormholes = tableOf(DataTable::wormholes, "0 0 0 100 5 0 0 0\n"
                                                              "0 0 0 100 0 0 0 1.5\n"
                                                              "0 0 0 100 0 0 0 3\n");
    ParameterSet flame(12, std::vector<float>{1});
    flame[11] = {0};
    ParameterSet swirl = flame;
    swirl[11] = {1};
    Problems problems;
    checkUniverse(stars, planets, wormholes, {{flame}, {swirl}, {swirl}}, {}, 1, problems);
    EXPECT_EQ(lines(problems),
              (std::vector<std::string>{
                  "stardata.txt:2: row 1: system 1000 is outside 0..999",
                  "stardata.txt:2: row 1: texture index -1 is outside 0..20",
                  "stardata.txt:3: row 2: texture index 99 is outside 0..20",
                  "planetdata.txt:2: row 0: texture index 21 is outside 0..20",
                  "planetdata.txt:3: warning: row 1: star row 0.5 does not exist (3 star rows); "
                  "the game leaves this planet out",
                  "wormholedata.txt:1: row 0: destination system 5 is beyond the highest system "
                  "the tables create, 0",
                  "wormholedata.txt:1: row 0: emitter 0 cannot be used: emitterShade0.txt: "
                  "program index 0 in row 11 is the engine flame's; a wormhole's swirl needs "
                  "program 1",
                  "wormholedata.txt:2: row 1: emitter 1 cannot be used: emitterShade1.txt: "
                  "program index 1 names no loaded shader program (1 loaded); it is built from "
                  "shader1.vs and shader1.fs",
                  "wormholedata.txt:3: row 2: emitter index 3 names no emitter file: "
                  "emitterShade3.txt not found (there are 3)"}));
}

TEST(DataDirectory, ShippedDataIsSoundAndNothingIsPrinted) {
    ScratchDir dir;
    copyShipped(dir);
    testing::internal::CaptureStdout();
    const Problems problems = checkDataDirectory(dir.root.string());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(lines(problems), std::vector<std::string>{});
}

// The checker reads the emitter files of the directory it is given, not the working directory's.
TEST(DataDirectory, EveryFileIsCheckedAtOnce) {
    ScratchDir dir;
    copyShipped(dir);
    std::filesystem::remove(dir.path("shipdata.txt"));
    std::filesystem::remove(dir.path("shader1.fs"));
    dir.write("emitterShade0.txt", "1 2\n# flame\n60 \n1 \n");
    const std::vector<std::string> found = lines(checkDataDirectory(dir.root.string()));
    const std::vector<std::string> expected = {
        "shipdata.txt: cannot be opened",
        "emitterShade0.txt:1: row before the first '#' line; every row belongs to the set that a "
        "'#' line above it opens",
        "emitterShade0.txt:2: parameter set of 2 rows; every set needs at least four (row 3 is "
        "its sample count)",
        "shader1.fs: missing; shader1.vs needs its fragment shader",
        "emitterShade0.txt: set 0 has 2 rows; an emitter needs at least 12 (row 0 layer count, "
        "row 11 program index)"};
    ASSERT_GT(found.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(found.begin(), found.begin() + expected.size()), expected);
    // Without shader pair 1 every wormhole's swirl is refused, each on its own line.
    for (size_t i = expected.size(); i < found.size(); ++i)
        EXPECT_NE(found[i].find(": row " + std::to_string(i - expected.size()) +
                                ": emitter 1 cannot be used: emitterShade1.txt: program index 1 "
                                "names no loaded shader program (1 loaded)"),
                  std::string::npos)
            << found[i];
}
