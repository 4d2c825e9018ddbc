#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "core/geometry.h"
#include "game/input.h"
#include "game/loop_rules.h"

namespace {

LoopState freshState() {
    LoopState state;
    reserveStatusText(state);
    return state;
}

// A scripted stand-in for randLoc: hands out the values of `script` in order.
std::vector<float> script;
size_t scriptPos = 0;
float scripted() {
    return script.at(scriptPos++);
}
void setScript(std::vector<float> values) {
    script = std::move(values);
    scriptPos = 0;
}

struct SpawnedShip {
    SpawnedShip(point p, int t) : position(p), type(t) {}
    point position;
    int type;
};

} // namespace

TEST(FrameTiming, DeltaIsUnclampedAndFpsWaitsForMoreThanASecond) {
    LoopState state = freshState();
    state.lastTicks = 100;
    measureFrame(state, 2600); // a long load before the first frame is passed on as it is
    EXPECT_EQ(state.frameDelta, 2500);
    EXPECT_EQ(state.fpsText, "FPS: 0.4");
    EXPECT_EQ(state.fpsTime, 0);
    EXPECT_EQ(state.fpsFrames, 0);

    state.lastTicks = 0;
    for (unsigned now : {400u, 800u, 1000u}) {
        measureFrame(state, now);
        state.lastTicks = now;
    }
    // Exactly 1000 ms summed is not yet more than a second.
    EXPECT_EQ(state.fpsText, "FPS: 0.4");
    EXPECT_EQ(state.fpsFrames, 3);
    measureFrame(state, 1001);
    EXPECT_EQ(state.fpsText, "FPS: 4");
    EXPECT_EQ(state.frameDelta, 1);
}

TEST(StatusText, MatchesToStringAndKeepsItsBuffer) {
    LoopState state = freshState();
    for (float v : {0.0f, 12.0f, 0.5f, 59.876f, 250.0f, 1234.0f, 100000.0f, -3.25f, 999.6f}) {
        formatStatus(state.projectilesText, "Projectiles: ", v);
        EXPECT_EQ(state.projectilesText, "Projectiles: " + toString(v)) << v;
    }
    const char* buffer = state.healthText.data();
    formatStatus(state.healthText, "Player HP: ", 1.0e30f);
    EXPECT_EQ(state.healthText, "Player HP: 1e+30");
    EXPECT_EQ(state.healthText.data(), buffer) << "status text reallocated";
}

TEST(Spawn, DueOnlyAfterTheIntervalComparedAsDoubles) {
    LoopState state = freshState();
    state.lastSpawn = 500;
    state.lastTicks = 1000;
    EXPECT_FALSE(spawnDue(state));
    state.lastTicks = 1001;
    EXPECT_TRUE(spawnDue(state));

    // In float, 16777217 + 1 rounds down to 16777216 and would spawn a frame early.
    state.lastSpawn = 16777217;
    state.spawnInterval = 1;
    state.lastTicks = 16777218;
    EXPECT_FALSE(spawnDue(state));
}

TEST(Spawn, RedrawsUntilFarEnoughXFirst) {
    const point player{1000, 0};
    // (1000, 19999) is 19999 away: drawn again; (21000, 0) is exactly 20000 away: accepted.
    setScript({1000, 19999, 21000, 0, 50000, 50000});
    const point p = pickSpawnPoint(player, scripted);
    EXPECT_EQ(p.x, 21000);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(scriptPos, 4u);
}

TEST(Spawn, OneShipOfTypeOneAtTheFrontPerFrame) {
    LoopState state = freshState();
    state.spawnInterval = 0; // pressed = until nothing is left of it
    state.lastSpawn = 10;
    state.lastTicks = 11;
    std::list<SpawnedShip> ships{SpawnedShip{point{1, 1}, 7}};
    setScript({-90000, -90000, 90000, 90000});

    EXPECT_TRUE(spawnEnemy(state, point{0, 0}, ships, scripted));
    EXPECT_FALSE(spawnEnemy(state, point{0, 0}, ships, scripted)) << "two spawns in one frame";
    ASSERT_EQ(ships.size(), 2u);
    EXPECT_EQ(ships.front().type, 1);
    EXPECT_EQ(ships.front().position.x, -90000);
    EXPECT_EQ(ships.back().type, 7);
    EXPECT_EQ(state.lastSpawn, 11u);
    EXPECT_EQ(state.spawnPoint.y, -90000);

    state.lastTicks = 12;
    EXPECT_TRUE(spawnEnemy(state, point{0, 0}, ships, scripted));
    EXPECT_EQ(ships.front().position.x, 90000);
}

TEST(Spawn, RealDrawsLandInTheFieldAndClearOfThePlayer) {
    const point player{0, 0};
    for (int i = 0; i < 200; ++i) {
        const point p = pickSpawnPoint(player, randLoc);
        EXPECT_GE(pointDistance(p, player), spawnClearance);
        EXPECT_GE(p.x, -fieldHalfSize);
        EXPECT_LT(p.y, fieldHalfSize);
    }
}

TEST(Keys, EachKeyChangesOnlyItsValue) {
    LoopState state = freshState();
    int weapon = 0;
    applyAction(state, Action::spawnSlower, weapon);
    EXPECT_EQ(state.spawnInterval, 1000);
    applyAction(state, Action::spawnFaster, weapon);
    applyAction(state, Action::spawnFaster, weapon);
    EXPECT_EQ(state.spawnInterval, 250);

    applyAction(state, Action::nearOut, weapon);
    EXPECT_FLOAT_EQ(state.nearScale, 1.2f);
    applyAction(state, Action::nearIn, weapon);
    applyAction(state, Action::nearIn, weapon);
    EXPECT_FLOAT_EQ(state.nearScale, 1 / 1.2f);
    applyAction(state, Action::farOut, weapon);
    EXPECT_FLOAT_EQ(state.farScale, 1.2f);
    applyAction(state, Action::farIn, weapon);
    EXPECT_FLOAT_EQ(state.farScale, 1.0f);

    applyAction(state, Action::weapon3, weapon);
    EXPECT_EQ(weapon, 2);
    applyAction(state, Action::weapon2, weapon);
    EXPECT_EQ(weapon, 1);
    applyAction(state, Action::weapon1, weapon);
    EXPECT_EQ(weapon, 0);
    EXPECT_EQ(applyAction(state, keyAction('q'), weapon), KeyEffect::quit);

    // Flight and fire keys are read from the held-key state elsewhere; here they do nothing.
    const LoopState before = state;
    weapon = 1;
    for (int key : std::initializer_list<int>{'w', 'a', 's', 'd', ' ', 'Q', '4', '0', 273})
        EXPECT_EQ(applyAction(state, keyAction(key), weapon), KeyEffect::none) << key;
    EXPECT_EQ(weapon, 1);
    EXPECT_EQ(state.spawnInterval, before.spawnInterval);
    EXPECT_EQ(state.nearScale, before.nearScale);
    EXPECT_EQ(state.farScale, before.farScale);
}

TEST(Zoom, WheelUpInWheelDownOutOtherButtonsNothing) {
    LoopState state = freshState();
    int weapon = 0;
    applyAction(state, buttonAction(4), weapon);
    EXPECT_FLOAT_EQ(state.viewHeight, 4000 / 1.2f);
    applyAction(state, buttonAction(5), weapon);
    applyAction(state, buttonAction(5), weapon);
    EXPECT_FLOAT_EQ(state.viewHeight, 4000 * 1.2f);
    for (int button : {1, 2, 3, 6})
        applyAction(state, buttonAction(button), weapon);
    EXPECT_FLOAT_EQ(state.viewHeight, 4000 * 1.2f);
}

TEST(Cursor, FollowsTheMouseUpwardsAndStaysInTheView) {
    LoopState state = freshState();
    moveCursor(state, 20, 40); // 20 right, 40 down on the screen
    EXPECT_FLOAT_EQ(state.cursor.x, 53);
    EXPECT_FLOAT_EQ(state.cursor.y, 44);

    moveCursor(state, 100000, 100000);
    EXPECT_EQ(state.cursor.x, 100);
    EXPECT_EQ(state.cursor.y, 0);
    moveCursor(state, -100000, -100000);
    EXPECT_EQ(state.cursor.x, 0);
    EXPECT_EQ(state.cursor.y, 100);
}

TEST(View, CentredOnThePlayerWithTheCursorAtItsMiddleAimingAtThePlayer) {
    LoopState state = freshState();
    const point player{300, -700};
    const ViewRect v = viewRect(state, player);
    EXPECT_FLOAT_EQ(v.left, 300 - 2500);
    EXPECT_FLOAT_EQ(v.right, 300 + 2500);
    EXPECT_FLOAT_EQ(v.bottom, -700 - 2000);
    EXPECT_FLOAT_EQ(v.top, -700 + 2000);

    const point target = mouseToGame(state.cursor, v.left, v.right, v.bottom, v.top);
    EXPECT_FLOAT_EQ(target.x, player.x);
    EXPECT_FLOAT_EQ(target.y, player.y);
    const point corner = mouseToGame(point{100, 0}, v.left, v.right, v.bottom, v.top);
    EXPECT_FLOAT_EQ(corner.x, v.right);
    EXPECT_FLOAT_EQ(corner.y, v.bottom);
}

TEST(View, FarPlanePulledInSevenTimesHidesTheWorldPlane) {
    LoopState state = freshState();
    int weapon = 0;
    Frustum f = cameraFrustum(state);
    EXPECT_FLOAT_EQ(f.top, 2000);
    EXPECT_FLOAT_EQ(f.right, 2500);
    EXPECT_FLOAT_EQ(f.nearPlane, 10000);
    EXPECT_FLOAT_EQ(f.farPlane, 30000);

    for (int i = 0; i < 7; ++i)
        applyAction(state, Action::farIn, weapon);
    f = cameraFrustum(state);
    EXPECT_NEAR(f.farPlane, 8372, 1);
    // The plane z = 0 sits one unit beyond the near plane.
    EXPECT_LT(f.farPlane, f.nearPlane + 1);
}
