#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "combat/timers.h"
#include "game/frame_steps.h"
#include "game/game.h"
#include "game/scores.h"
#include "game/survival.h"
#include "scratch_dir.h"

namespace {

std::string readFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

} // namespace

TEST(Scores, KeepTheTenBestInOrderAcrossASaveAndALoad) {
    ScratchDir dir;
    const std::string path = dir.path("deep/orrisk/scores");
    ScoreTable table;
    for (unsigned i = 0; i < 12; ++i)
        addScore(table, Score{i % 4, 10.0f * i, "2026-12-08"});
    ASSERT_TRUE(saveScores(path, table));
    const ScoreTable loaded = loadScores(path);
    ASSERT_EQ(loaded.size(), scoresKept);
    // Most kills first, the longer run first among equal kills.
    EXPECT_EQ(loaded.front().kills, 3u);
    EXPECT_FLOAT_EQ(loaded.front().seconds, 110);
    EXPECT_EQ(loaded.back().kills, 0u);
    EXPECT_FLOAT_EQ(loaded.back().seconds, 80);
    // An eleventh below all ten never stays.
    addScore(table, Score{0, 79.9f, "2026-12-08"});
    ASSERT_EQ(table.size(), scoresKept);
    EXPECT_FLOAT_EQ(table.back().seconds, 80);
}

TEST(Scores, ARowWithAMalformedDateIsRefused) {
    ScratchDir dir;
    const std::string path = dir.path("scores");
    for (const char* date : {"2026-12-8", "2026-12-081", "2026/12/08", "2026-1a-08"}) {
        dir.write("scores", std::string("3 12.5 ") + date + "\n");
        testing::internal::CaptureStderr();
        EXPECT_TRUE(loadScores(path).empty()) << date;
        testing::internal::GetCapturedStderr();
    }
    dir.write("scores", "3 12.5 2026-12-08\n");
    EXPECT_EQ(loadScores(path).size(), 1u);
}

// The interval shortens by a twentieth every 20 s and never below its floor of 60 ms.
TEST(Scores, ABestRunDroppedFromTheTableLosesItsReplayAndNothingElseGoes) {
    ScratchDir dir;
    const std::string path = dir.path("scores");
    const ScoreTable table = {{5, 61.25f, "2026-12-08"}, {2, 9.9f, "2026-12-09"}};
    const std::string dropped = bestRunReplayPath(path, {1, 3.0f, "2026-12-09"});
    EXPECT_EQ(dropped, dir.path("best-runs/2026-12-09-1-kills-3.0-s.replay"));
    std::filesystem::create_directories(dir.path("best-runs"));
    for (const std::string& name : {bestRunReplayPath(path, table[0]),
                                    bestRunReplayPath(path, table[1]), dropped,
                                    dir.path("best-runs/notes.txt")})
        std::ofstream(name) << "x";
    pruneBestRunReplays(path, table);
    EXPECT_FALSE(std::filesystem::exists(dropped));
    EXPECT_TRUE(std::filesystem::exists(bestRunReplayPath(path, table[0])));
    EXPECT_TRUE(std::filesystem::exists(bestRunReplayPath(path, table[1])));
    EXPECT_TRUE(std::filesystem::exists(dir.path("best-runs/notes.txt")));
}

TEST(Survival, ThePressureStopsAtItsFloor) {
    EXPECT_FLOAT_EQ(pressureSpawnInterval(19999), 350);
    EXPECT_FLOAT_EQ(pressureSpawnInterval(20000), 332.5f);
    EXPECT_GT(pressureSpawnInterval(680000), 60); // 34 steps: 61.3 ms
    EXPECT_FLOAT_EQ(pressureSpawnInterval(700000), 60);
    EXPECT_FLOAT_EQ(pressureSpawnInterval(4000000000u), 60);
}

TEST(Scores, AnUnparsableFileIsSetAsideAndTheNextSaveIsGood) {
    ScratchDir dir;
    const std::string path = dir.path("scores");
    EXPECT_TRUE(loadScores(path).empty()); // missing: empty, nothing set aside
    dir.write("scores", "3 12.5 2026-12-08\n3 12.5 2026-12-08 and more\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(loadScores(path).empty());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("set aside"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_EQ(readFile(path + ".bad"), "3 12.5 2026-12-08\n3 12.5 2026-12-08 and more\n");
    ASSERT_TRUE(saveScores(path, ScoreTable{Score{1, 2, "2026-12-08"}}));
    EXPECT_EQ(loadScores(path).size(), 1u);
}

// The wreck shows for its time, then everything is as start-up left it; the sanitizer build
// sees the timers of the ended run freed exactly once.
TEST(Survival, ANewRunStartsFromTheStartAfterTheWreck) {
    ScratchDir dir;
    setenv("XDG_DATA_HOME", dir.root.c_str(), 1);
    Game game;
    unsigned now = 1000;
    game.clock = [&now] { return now; };
    Player ship(point{5, 6}, 0.001f, 0.01f, 0.003f, 100, 50);
    game.universe.player = &ship;
    game.universe.worlds.resize(2);
    game.loop.lastTicks = now;
    beginSurvival(game, true);

    game.universe.worlds[1].ships.emplace_back(point{0, 0}, 1);
    game.universe.worlds[0].kills = 4;
    ship.position = point{900, 900};
    ship.takeDamage(150);
    now = 21000;
    survivalStep(game, Step{16, now, true});
    ASSERT_TRUE(game.survival.destroyed);
    EXPECT_EQ(game.universe.worlds[0].timers.size(), 1u); // the wreck's explosion
    EXPECT_EQ(game.survival.last.kills, 4u);
    EXPECT_FLOAT_EQ(game.survival.last.seconds, 20);
    EXPECT_NE(readFile(dir.path("orrisk/scores")).find("\n4 20.0 "), std::string::npos);

    survivalStep(game, Step{16, now + destroyedShownMs - 1, true});
    EXPECT_TRUE(game.survival.destroyed);
    survivalStep(game, Step{16, now + destroyedShownMs, true});
    EXPECT_FALSE(game.survival.destroyed);
    EXPECT_FLOAT_EQ(ship.getHealth(), 100);
    EXPECT_FLOAT_EQ(ship.position.x, 5);
    EXPECT_TRUE(game.universe.worlds[0].timers.empty());
    EXPECT_TRUE(game.universe.worlds[1].ships.empty());
    EXPECT_EQ(runKills(game.universe), 0u);
    unsetenv("XDG_DATA_HOME");
}
