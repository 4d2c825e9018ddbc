#include <gtest/gtest.h>

#include <vector>

#include "bodies/world_state.h"
#include "combat/timers.h"
#include "data/weapon_ship_tables.h"

namespace {

// Records its runs and its deletion, so the walk of runTimer shows from outside.
struct Log {
    std::vector<int> executed, deleted;
};

class Probe : public TimerBase {
  public:
    Probe(int id, int start, int end, Log& log) : id(id), log(log) {
        startTime = start;
        endTime = end;
    }
    ~Probe() override { log.deleted.push_back(id); }
    void execute(unsigned, WorldState&) override { log.executed.push_back(id); }

    int id;
    Log& log;
};

class Timers : public ::testing::Test {
  protected:
    void SetUp() override {
        WEAPONDATA = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0.5f}};
        SHIPDATA = {{0, 0, 0, 1000, 0}};
    }
    void TearDown() override {
        for (TimerBase* t : world.timers)
            delete t;
    }
    Ship& shipAt(float x, float y) {
        world.ships.push_back(Ship(point{x, y}, 0));
        return world.ships.back();
    }

    Log log;
    WorldState world;
};

} // namespace

TEST_F(Timers, AddTimerKeepsStartOrderNewestFirstAmongEquals) {
    for (int start : {900, 500, 0})
        addTimer(new Probe(start, start, 0, log), world);
    Probe* second500 = new Probe(501, 500, 0, log);
    addTimer(second500, world);
    addTimer(new Probe(2000, 2000, 0, log), world);
    std::vector<unsigned> starts;
    for (const TimerBase* t : world.timers)
        starts.push_back(t->startTime);
    EXPECT_EQ(starts, (std::vector<unsigned>{0, 500, 500, 900, 2000}));
    EXPECT_EQ(*std::next(world.timers.begin()), second500);
}

TEST_F(Timers, RunTimerRunsRetiresAndWaitsInListOrder) {
    world.timers = {new Probe(1, 0, 0, log),    // never retires
                    new Probe(2, 0, 999, log),  // over
                    new Probe(3, 0, 998, log),  // over in the same frame
                    new Probe(4, 1000, 0, log), // starts exactly now: left for later
                    new Probe(5, 0, 1000, log), // ends exactly now: still runs
                    new Probe(6, 1001, 0, log), // future start: the walk stops here
                    new Probe(7, 0, 10, log)};  // over, but behind the waiting one
    const WorldState copy = world;              // copies share timers, never delete them
    runTimer(1000, world);
    EXPECT_EQ(log.executed, (std::vector<int>{1, 5}));
    EXPECT_EQ(log.deleted, (std::vector<int>{2, 3}));

    log = Log{};
    runTimer(1002, world);
    EXPECT_EQ(log.executed, (std::vector<int>{1, 4, 6}));
    EXPECT_EQ(log.deleted, (std::vector<int>{5, 7}));
    EXPECT_EQ(world.timers.size(), 3u);
}

TEST_F(Timers, ExplosionShrinksOverASecondAndIsDeletedAfterIt) {
    standardExplosion(point{5, 6}, world, 1000);
    standardExplosion(point{0, 0}, world, 1500);
    const auto* first = dynamic_cast<TExplosion*>(world.timers.front());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->startTime, 0);
    EXPECT_EQ(first->endTime, 2000);
    EXPECT_FLOAT_EQ(first->halfSide(1000), 50);
    EXPECT_FLOAT_EQ(first->halfSide(1250), 37.5f);
    EXPECT_EQ(world.timers.back()->endTime, 2500) << "explosions join at the back";
    runTimer(2000, world);
    EXPECT_EQ(world.timers.size(), 2u);
    runTimer(2001, world);
    EXPECT_EQ(world.timers.size(), 1u);

    standardExplosion(point{0, 0}, world);
    const auto* clocked = dynamic_cast<TExplosion*>(world.timers.back());
    EXPECT_EQ(clocked->endTime, clocked->createdTime + 1000);
}

TEST_F(Timers, ShockwaveHitsOnlyInsideItsTruncatedHalfSide) {
    // reach 100 over 1560 ms: the half side is a tenth of the age, 100.9 at 1009 ms.
    TShockwave wave(100, 0, 1560, point{0, 0});
    ASSERT_GT(wave.halfSide(1009), 100.8f);
    Ship& atHundred = shipAt(100, 0);
    Ship& inside = shipAt(0, -99.5f);
    wave.execute(1009, world);
    EXPECT_FLOAT_EQ(atHundred.health, 1000);
    EXPECT_FLOAT_EQ(inside.health, 1000 - 0.5f * 1009) << "first step: from creation";
}

TEST_F(Timers, ShellShockwaveReachesItsWholeHalfSideAtThreeQuartersAndAtHalfItsLife) {
    // 200 x 750 / 2000 x 1.56 is 117 and 200 x 1500 / 2000 x 1.56 is 234, not a hair less.
    TShockwave wave(200, 0, 2000, point{0, 0});
    Ship& near = shipAt(116.5f, 0);
    wave.execute(750, world);
    EXPECT_FLOAT_EQ(near.health, 1000 - 0.5f * 750);
    Ship& far = shipAt(0, 233.5f);
    wave.execute(1500, world);
    EXPECT_FLOAT_EQ(far.health, 1000 - 0.5f * 750);
}

TEST_F(Timers, ShockwaveDamageFollowsTheTimeSinceItsLastStep) {
    TShockwave wave(200, 1000, 2000, point{0, 0});
    EXPECT_FLOAT_EQ(wave.halfSide(3000), 312);
    Ship& ship = shipAt(300, 0);
    wave.execute(1500, world); // half side 78: outside, but the step is used up
    EXPECT_FLOAT_EQ(ship.health, 1000);
    wave.execute(3000, world);
    EXPECT_FLOAT_EQ(ship.health, 1000 - 0.5f * 1500);
}
