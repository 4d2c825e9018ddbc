#include <gtest/gtest.h>

#include <cmath>

#include "combat/timers.h"
#include "data/weapon_ship_tables.h"
#include "game/frame_steps.h"
#include "game/game.h"
#include "graphics/emitter_data.h"
#include "player/player.h"

TEST(FrameSteps, LongFramesAreCutIntoNearlyEqualStepsEndingAtTheFrameEnd) {
    const FrameSteps normal(5016, 16);
    ASSERT_EQ(normal.count(), 1);
    EXPECT_EQ(normal[0].delta, 16);
    EXPECT_EQ(normal[0].now, 5016u);

    struct Case {
        int delta, count, firstDelta, lastDelta;
    };
    for (const Case c : {Case{21, 2, 11, 10}, Case{41, 3, 14, 13}, Case{1000, 50, 20, 20},
                         Case{3600000, maxStepsPerFrame, 20, 20}}) {
        SCOPED_TRACE(c.delta);
        const FrameSteps steps(100000, c.delta);
        ASSERT_EQ(steps.count(), c.count);
        EXPECT_EQ(steps[0].delta, c.firstDelta);
        EXPECT_EQ(steps[c.count - 1].delta, c.lastDelta);
        EXPECT_EQ(steps[c.count - 1].now, 100000u);
        for (int i = 1; i < c.count; ++i)
            ASSERT_EQ(steps[i].now - steps[i - 1].now, static_cast<unsigned>(steps[i].delta));
        EXPECT_FALSE(steps[0].last);
        EXPECT_TRUE(steps[c.count - 1].last);
    }
}

namespace {

// The game without a window: the player at rest, no spawns, the clock scripted.
class HeadlessFrames : public ::testing::Test {
  protected:
    void SetUp() override {
        SHIPDATA = {{0, 0, 0, 30, 10}, {1, 0.004f, 1.1f, 30, 10}};
        WEAPONDATA = {{300, 1, 1000, 10}, {0, 0, 0, 0}, {0, 0, 0, 0.001f}};
        player = std::make_unique<Player>(point{0, 0}, 0.0015f, 0.012f, 0.0035f, 100, 50);
        game.universe.player = player.get();
        game.universe.worlds.resize(1);
        game.loop.spawnInterval = 1e9f;
        game.clock = [this] { return now; };
    }
    void frames(int count, int ms) {
        for (int i = 0; i < count; ++i) {
            now += static_cast<unsigned>(ms);
            simulateFrame(game);
        }
    }
    WorldState& world() { return game.universe.worlds[0]; }

    unsigned now = 0;
    std::unique_ptr<Player> player;
    Game game;
};

} // namespace

// The ship drifts east at 0.3 units/ms with a chaser 20,000 units ahead and one behind, both at
// rest: they ram after about 16 s and 29 s. Steps of 20 ms (10 and 25 frames a second) give the
// same run up to the frame's length; at 60 frames a second the steps are 16 or 17 ms, the pull per
// millisecond a fifth stronger, and the rams come some 3% sooner, so 10% is allowed. Steering once
// per 100 ms frame instead, the second ram comes after 44 s.
TEST_F(HeadlessFrames, ChasersRamWithinTheSameGameTimeAtAnyFrameRate) {
    auto lastRam = [this](int frameMs) {
        now = 0;
        game.loop.lastTicks = 0;
        player->health = 100;
        player->position = point{0, 0};
        player->velocity = point{0.3f, 0};
        world().ships.clear();
        world().ships.emplace_back(point{20000, 0}, 1);
        world().ships.emplace_back(point{-20000, 0}, 1);
        while (!world().ships.empty() && now < 120000)
            frames(1, frameMs);
        EXPECT_FLOAT_EQ(player->health, 80) << "each chaser rams once";
        return static_cast<int>(now);
    };
    const int at60 = lastRam(16);
    EXPECT_LT(at60, 32000);
    EXPECT_NEAR(lastRam(100), at60, at60 / 10);
    EXPECT_NEAR(lastRam(40), at60, at60 / 10);
}

// A planet moving 0.87 units/ms leaves a single step of 1000 ms 870 units behind it, far beyond
// the fifth of the surface distance within which it carries a landed ship.
TEST_F(HeadlessFrames, ALandedShipStaysOnItsPlanetThroughASlowStartAndALongFrame) {
    world().stars.emplace_back(point{0, 0}, 100, 0.0f, 0, 14, "Sun");
    world().stars[0].addPlanet(Planet(200, 0, 5000, 0.01f, 0, 0, 0, 10, "Rock"));
    const Planet& rock = world().stars[0].planets[0];
    player->position = point{5250, 0};
    player->setLanded();
    auto onSurface = [&] { return pointDistance(player->position, rock.position); };

    frames(1, 3000); // the first frame covers the loading time
    EXPECT_NEAR(onSurface(), 250, 0.5f);
    frames(1, 1000);
    EXPECT_NEAR(onSurface(), 250, 0.5f);
    EXPECT_TRUE(player->isLanded());
    EXPECT_GT(std::fabs(rock.position.y), 3000) << "the planet has moved on a long way";
}

// Five seconds of pause: resuming moves the world by the time since the last frame alone, in one
// ordinary step, instead of replaying the pause.
TEST_F(HeadlessFrames, ResumingAPauseMovesTheWorldByTheUnpausedTimeOnly) {
    player->velocity = point{0.3f, 0};
    frames(3, 16);
    game.paused = true;
    const point held = player->position;
    testing::internal::CaptureStdout();
    frames(300, 17);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "a paused frame runs no step";
    EXPECT_EQ(player->position.x, held.x) << "still while paused";
    game.paused = false;
    frames(1, 16);
    EXPECT_EQ(game.loop.frameDelta, 16);
    EXPECT_NEAR(player->position.x - held.x, 0.3f * 16, 1e-3f);
}

// An explosion, a shockwave round a hulk, the reload and the spawn clock all start 500 ms before
// the tick count passes 2^31 (24.8 days) and before it wraps (49.7 days), and keep their times.
TEST_F(HeadlessFrames, TimingHoldsWhereTheTickCountPasses2To31AndWraps) {
    for (const unsigned start : {0x80000000u - 500, 0u - 500}) {
        SCOPED_TRACE(start);
        now = start;
        game.loop.lastTicks = start;
        game.loop.lastSpawn = start;
        game.loop.spawnInterval = 500;
        world() = WorldState();
        world().ships.emplace_back(point{30000, 30000}, 0);
        standardExplosion(point{0, 0}, world(), start);
        TShockwave* wave = new TShockwave(200, start, 2000, point{30000, 30000});
        wave->endTime = start + 2000;
        addTimer(wave, world());
        player->nextShotTime = 0;
        player->fireProjectile(0, start, world(), point{500, 0});
        player->fireProjectile(0, start + 200, world(), point{500, 0});
        ASSERT_EQ(world().projectiles.size(), 1u) << "reloading";

        frames(30, 20);
        EXPECT_EQ(world().timers.size(), 2u);
        EXPECT_LT(world().ships.back().health, 30) << "the ring hurts the hulk inside it";
        EXPECT_EQ(world().ships.size(), 2u) << "one chaser spawned";
        player->fireProjectile(0, now, world(), point{500, 0});
        EXPECT_EQ(world().projectiles.size(), 2u) << "reloaded";
        frames(30, 20);
        EXPECT_EQ(world().timers.size(), 1u) << "the explosion is over after 1 s";
        frames(50, 20);
        EXPECT_TRUE(world().timers.empty()) << "the shockwave is over after 2 s";
        for (TimerBase* timer : world().timers)
            delete timer;
    }
}

// What the HUD will show is read from the world with no window: the aids' texts only while they
// are on, the gate round the ring with its distance and closing speed, "Paused" while paused.
TEST_F(HeadlessFrames, TheHudReadsTheAidsOnlyWhileTheyAreOn) {
    emitters = {EmitterFile{}};
    game.universe.worlds.resize(2);
    world().stars.push_back(Star({-9000, 0}, 300, 1, 0, 14, "Orin"));
    game.universe.worlds[1].stars.push_back(Star({0, 0}, 300, 1, 0, 14, "Tallow"));
    world().wormholes.push_back(Wormhole(0, {3000, 4000}, 400, 1, {0, 0}, 0));
    player->velocity = point{0.3f, 0.4f};
    readHud(game);
    const HudLines& lines = game.hud.lines;
    EXPECT_EQ(game.hud.gate, nullptr);
    for (const std::string* text : {&lines.systemName, &lines.speed, &lines.gateLabel,
                                    &lines.closing, &lines.paused})
        EXPECT_EQ(*text, "");
    ASSERT_NE(lines.status[0], nullptr);

    game.aidsShown = true;
    game.paused = true;
    readHud(game);
    EXPECT_EQ(game.hud.gate, &world().wormholes[0]);
    EXPECT_EQ(lines.systemName, "Orin");
    EXPECT_EQ(lines.speed, "speed 0.50 units/ms");
    EXPECT_EQ(lines.gateLabel, "to Tallow 5.0k");
    EXPECT_EQ(lines.closing, "closing 0.50/ms");
    EXPECT_EQ(lines.paused, "Paused");
}
