#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>

#include "data/player_loader.h"
#include "player/player.h"
#include "scratch_dir.h"

namespace {

struct Loaded {
    std::unique_ptr<Player> player;
    std::string output;
};

// Loads the player in a scratch directory holding playerdata.txt with the given text (none when
// text is null), capturing what the loader prints.
Loaded load(const char* text) {
    ScratchDir dir;
    if (text)
        dir.write("playerdata.txt", text);
    InDirectory here(dir.root);
    std::ostringstream out;
    std::streambuf* previous = std::cout.rdbuf(out.rdbuf());
    Player* player = initializePlayer();
    std::cout.rdbuf(previous);
    return Loaded{std::unique_ptr<Player>(player), out.str()};
}

} // namespace

TEST(PlayerLoader, BuildsTheShipFromTheFirstRowInColumnOrder) {
    const Loaded loaded = load("# x y thrust reverse turn health radius\n"
                               "10 -20 0.002 0.03 0.004 150 45 @Name_Ignored\n"
                               "1 2 3 4 5 6 7\n");
    ASSERT_NE(loaded.player, nullptr);
    const Player& p = *loaded.player;
    EXPECT_EQ(p.position.x, 10);
    EXPECT_EQ(p.position.y, -20);
    EXPECT_FLOAT_EQ(p.thrustPower, 0.002f);
    EXPECT_FLOAT_EQ(p.reversePower, 0.03f);
    EXPECT_FLOAT_EQ(p.turnRate, 0.004f);
    EXPECT_EQ(p.getHealth(), 150);
    EXPECT_EQ(p.getRadius(), 45);
    EXPECT_EQ(loaded.output, "Loading player data\nOpening playerdata.txt\n");
}

TEST(PlayerLoader, ShortRowReadsTheMissingColumnsAsZero) {
    const Loaded loaded = load("5 6 0.001 0.02");
    ASSERT_NE(loaded.player, nullptr);
    EXPECT_EQ(loaded.player->position.x, 5);
    EXPECT_FLOAT_EQ(loaded.player->reversePower, 0.02f);
    EXPECT_EQ(loaded.player->turnRate, 0);
    EXPECT_EQ(loaded.player->getHealth(), 0);
    EXPECT_EQ(loaded.player->getRadius(), 0);
}

TEST(PlayerLoader, MissingFileIsRefusedAfterTheReadFailure) {
    const Loaded loaded = load(nullptr);
    EXPECT_EQ(loaded.player, nullptr);
    std::istringstream lines(loaded.output);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Loading player data");
    std::getline(lines, line);
    EXPECT_EQ(line, "Error opening file");
    std::getline(lines, line);
    EXPECT_EQ(line, "playerdata read failure");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("playerdata.txt: ", 0), 0u) << line;
    EXPECT_FALSE(std::getline(lines, line)) << "one line naming the problem";
}

TEST(PlayerLoader, FileWithoutNumbersIsRefused) {
    const Loaded loaded = load("# only a comment\n@Name\n");
    EXPECT_EQ(loaded.player, nullptr);
    EXPECT_EQ(loaded.output.find("playerdata read failure"), std::string::npos);
    EXPECT_NE(loaded.output.find("playerdata.txt: 0 rows found, 1 needed"), std::string::npos)
        << loaded.output;
}

TEST(PlayerLoader, ValueThatIsNotAFiniteNumberIsRefused) {
    const Loaded loaded = load("0 0 0.001 nan 0.003 100 50");
    EXPECT_EQ(loaded.player, nullptr);
    EXPECT_NE(loaded.output.find("playerdata.txt:1: row 0 column 3 (reverse) is not a finite number"),
              std::string::npos)
        << loaded.output;
    EXPECT_EQ(load("0 inf 0.001 0.01 0.003 100 50").player, nullptr);
}
