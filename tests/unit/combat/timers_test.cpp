#include <gtest/gtest.h>

#include <vector>

#include "combat/timers.h"
#include "core/world_state.h"
#include "data/weapon_ship_tables.h"

namespace {

// Records every execute and deletion so the walk of runTimer can be checked from outside.
struct Log {
    std::vector<int> executed;
    std::vector<int> deleted;
};

class Probe : public TimerBase {
  public:
    Probe(int id, int start, int end, Log& log) : id(id), log(log) {
        startTime = start;
        endTime = end;
    }
    ~Probe() override { log.deleted.push_back(id); }
    void execute(int, WorldState&) override { log.executed.push_back(id); }

    int id;
    Log& log;
};

std::vector<int> startTimes(const WorldState& world) {
    std::vector<int> starts;
    for (const TimerBase* t : world.timers)
        starts.push_back(t->startTime);
    return starts;
}

void deleteAll(WorldState& world) {
    for (TimerBase* t : world.timers)
        delete t;
    world.timers.clear();
}

} // namespace

TEST(Timers, AddTimerKeepsStartOrderNewestFirstAmongEquals) {
    Log log;
    WorldState world;
    addTimer(new Probe(1, 900, 0, log), world);
    addTimer(new Probe(2, 500, 0, log), world);
    addTimer(new Probe(3, 0, 0, log), world);
    EXPECT_EQ(startTimes(world), (std::vector<int>{0, 500, 900}));

    Probe* second500 = new Probe(4, 500, 0, log);
    addTimer(second500, world);
    EXPECT_EQ(startTimes(world), (std::vector<int>{0, 500, 500, 900}));
    EXPECT_EQ(*std::next(world.timers.begin()), second500);

    addTimer(new Probe(5, 2000, 0, log), world);
    EXPECT_EQ(world.timers.back()->startTime, 2000);
    Probe* atOnce = new Probe(6, 0, 0, log);
    addTimer(atOnce, world);
    EXPECT_EQ(world.timers.front(), atOnce);
    deleteAll(world);
}

TEST(Timers, RunTimerRunsRetiresAndWaitsInListOrder) {
    Log log;
    WorldState world;
    world.timers = {new Probe(1, 0, 0, log),    // never retires
                    new Probe(2, 0, 999, log),  // over
                    new Probe(3, 1000, 0, log), // starts exactly now: left alone
                    new Probe(4, 0, 1000, log), // ends exactly now: still runs
                    new Probe(5, 1001, 0, log), // future start: the walk stops here
                    new Probe(6, 0, 10, log)};  // over, but behind the waiting one
    runTimer(1000, world);
    EXPECT_EQ(log.executed, (std::vector<int>{1, 4}));
    EXPECT_EQ(log.deleted, (std::vector<int>{2}));
    EXPECT_EQ(world.timers.size(), 5u);

    log = Log{};
    runTimer(1002, world);
    EXPECT_EQ(log.executed, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(log.deleted, (std::vector<int>{4, 6}));
    EXPECT_EQ(world.timers.size(), 3u);
    deleteAll(world);
}

TEST(Timers, NeighboursExpiringTogetherAreBothDeletedOnce) {
    Log log;
    WorldState world;
    world.timers = {new Probe(1, 0, 50, log), new Probe(2, 0, 60, log), new Probe(3, 0, 0, log)};
    WorldState copy = world; // a copy shares the timers and must not delete them
    runTimer(100, world);
    EXPECT_EQ(log.deleted, (std::vector<int>{1, 2}));
    EXPECT_EQ(log.executed, (std::vector<int>{3}));
    runTimer(200, world);
    EXPECT_EQ(log.deleted.size(), 2u);
    deleteAll(world);
}

TEST(Timers, ExplosionShrinksOverASecondAndIsDeletedAfterIt) {
    WorldState world;
    standardExplosion(point{5, 6}, world, 1000);
    ASSERT_EQ(world.timers.size(), 1u);
    auto* explosion = dynamic_cast<TExplosion*>(world.timers.front());
    ASSERT_NE(explosion, nullptr);
    EXPECT_EQ(explosion->startTime, 0);
    EXPECT_EQ(explosion->endTime, 2000);
    EXPECT_EQ(explosion->position.x, 5);
    EXPECT_FLOAT_EQ(explosion->halfSide(1000), 50);
    EXPECT_FLOAT_EQ(explosion->halfSide(1250), 37.5f);
    EXPECT_FLOAT_EQ(explosion->halfSide(2000), 0);

    standardExplosion(point{0, 0}, world, 1500);
    EXPECT_EQ(world.timers.back()->endTime, 2500) << "explosions join at the back";
    runTimer(2000, world);
    EXPECT_EQ(world.timers.size(), 2u);
    runTimer(2001, world);
    ASSERT_EQ(world.timers.size(), 1u);
    EXPECT_EQ(world.timers.front()->endTime, 2500);
    deleteAll(world);
}

TEST(Timers, ExplosionWithoutATickUsesTheClock) {
    WorldState world;
    standardExplosion(point{0, 0}, world);
    ASSERT_EQ(world.timers.size(), 1u);
    const auto* explosion = dynamic_cast<TExplosion*>(world.timers.front());
    ASSERT_NE(explosion, nullptr);
    EXPECT_EQ(explosion->endTime, explosion->createdTime + 1000);
    EXPECT_GE(explosion->createdTime, 0);
    deleteAll(world);
}

class Shockwave : public ::testing::Test {
  protected:
    void SetUp() override { WEAPONDATA = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0.5f}}; }
    void TearDown() override { SHIPDATA.clear(); }

    Ship& shipAt(float x, float y) {
        SHIPDATA = {{0, 0, 0, 1000, 0}};
        world.ships.push_back(Ship(point{x, y}, 0));
        return world.ships.back();
    }

    WorldState world;
};

TEST_F(Shockwave, GrowsToReachTimesOneAndAHalfOverItsLife) {
    TShockwave wave(200, 1000, 2000, point{0, 0});
    EXPECT_EQ(wave.lastHitTime, 1000);
    EXPECT_GE(wave.rotation, 0);
    EXPECT_LT(wave.rotation, 360);
    EXPECT_FLOAT_EQ(wave.halfSide(1000), 0);
    EXPECT_FLOAT_EQ(wave.halfSide(2000), 156);
    EXPECT_FLOAT_EQ(wave.halfSide(3000), 312);
}

TEST_F(Shockwave, DamagesShipsStrictlyInsideTheTruncatedHalfSide) {
    // reach 100, duration 1560: the half side is a tenth of the elapsed time.
    TShockwave wave(100, 0, 1560, point{0, 0});
    const int now = 1009; // half side 100.9, truncated to 100
    ASSERT_GT(wave.halfSide(now), 100.8f);
    ASSERT_LT(wave.halfSide(now), 101);
    Ship& atHundred = shipAt(100, 0);
    Ship& inside = shipAt(0, -99.5f);
    wave.execute(now, world);
    EXPECT_FLOAT_EQ(atHundred.health, 1000);
    EXPECT_FLOAT_EQ(inside.health, 1000 - 0.5f * 1009);
}

TEST_F(Shockwave, EachStepCoversTheTimeSinceThePreviousOne) {
    TShockwave wave(200, 1000, 2000, point{0, 0});
    Ship& ship = shipAt(10, 10);
    wave.execute(1100, world); // half side 15.6: covers the ship at 14.1
    EXPECT_FLOAT_EQ(ship.health, 1000 - 0.5f * 100) << "first step: from creation";
    wave.execute(1130, world);
    EXPECT_FLOAT_EQ(ship.health, 1000 - 0.5f * 130);
    EXPECT_EQ(wave.lastHitTime, 1130);
}

TEST_F(Shockwave, ShipOutsideTheRingIsUntouchedButTheClockMovesOn) {
    TShockwave wave(200, 1000, 2000, point{0, 0});
    Ship& ship = shipAt(300, 0);
    wave.execute(1500, world); // half side 78
    EXPECT_FLOAT_EQ(ship.health, 1000);
    wave.execute(3000, world); // half side 312: inside, only the last 1500 ms count
    EXPECT_FLOAT_EQ(ship.health, 1000 - 0.5f * 1500);
}
