#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>

#include "game/player_loader.h"
#include "player/player.h"
#include "scratch_dir.h"

namespace {

struct Loaded {
    std::unique_ptr<Player> player;
    std::string output; // standard output: the written lines
    std::string errors; // standard error: what is refused
};

// Loads the player from a scratch directory holding playerdata.txt with the given text (no file
// when text is null), capturing what the loader prints.
Loaded load(const char* text) {
    ScratchDir dir;
    if (text)
        dir.write("playerdata.txt", text);
    InDirectory here(dir.root);
    std::ostringstream out, errors;
    std::streambuf* previous = std::cout.rdbuf(out.rdbuf());
    std::streambuf* previousErrors = std::cerr.rdbuf(errors.rdbuf());
    Player* player = initializePlayer();
    std::cout.rdbuf(previous);
    std::cerr.rdbuf(previousErrors);
    return Loaded{std::unique_ptr<Player>(player), out.str(), errors.str()};
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

    const Loaded padded = load("5 6 0.001 0.02");
    ASSERT_NE(padded.player, nullptr);
    EXPECT_FLOAT_EQ(padded.player->reversePower, 0.02f);
    EXPECT_EQ(padded.player->turnRate, 0);
    EXPECT_EQ(padded.player->getRadius(), 0);
}

TEST(PlayerLoader, MissingFileIsRefusedAfterTheReadFailure) {
    const Loaded loaded = load(nullptr);
    EXPECT_EQ(loaded.player, nullptr);
    EXPECT_EQ(loaded.output, "Loading player data\nError opening file\nplayerdata read failure\n");
    EXPECT_EQ(loaded.errors, "playerdata.txt: cannot be opened\n");
}

TEST(PlayerLoader, FileWithoutUsableNumbersIsRefused) {
    const Loaded empty = load("# only a comment\n@Name\n");
    EXPECT_EQ(empty.player, nullptr);
    EXPECT_EQ(empty.output.find("read failure"), std::string::npos);
    EXPECT_NE(empty.errors.find("playerdata.txt: 0 rows found, 1 needed"), std::string::npos);

    const Loaded notANumber = load("0 0 0.001 nan 0.003 100 50");
    EXPECT_EQ(notANumber.player, nullptr);
    EXPECT_NE(
        notANumber.errors.find("playerdata.txt:1: row 0 column 3 (reverse) is not a finite number"),
        std::string::npos);
}
