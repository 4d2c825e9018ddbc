#include <gtest/gtest.h>

#include "player/trail.h"

namespace {

bool same(point a, point b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

TEST(Trail, StartsWithEverySampleAtTheStart) {
    const Trail trail(5, point{3, 4}, 100);
    ASSERT_EQ(trail.points.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(same(trail.sampleFromOldest(i), point{3, 4}));
    EXPECT_EQ(trail.head, 0);
    EXPECT_EQ(trail.elapsed, 0);
}

TEST(Trail, ShortFramesCarryTheirRemainderOver) {
    Trail trail(100, point{0, 0}, 100);
    for (int frame = 1; frame <= 6; ++frame)
        trail.update(point{float(frame), 0}, 16);
    EXPECT_EQ(trail.head, 0) << "96 ms gathered: no sample yet";
    trail.update(point{7, 0}, 16);
    EXPECT_EQ(trail.head, 1);
    EXPECT_TRUE(same(trail.points[1], point{7, 0}));
    EXPECT_EQ(trail.elapsed, 12);
}

TEST(Trail, LongFrameTakesSeveralSamplesOfOnePosition) {
    Trail trail(100, point{0, 0}, 100);
    trail.update(point{9, 9}, 250);
    EXPECT_EQ(trail.head, 2);
    EXPECT_TRUE(same(trail.points[1], point{9, 9}));
    EXPECT_TRUE(same(trail.points[2], point{9, 9}));
    EXPECT_TRUE(same(trail.points[3], point{0, 0}));
    EXPECT_EQ(trail.elapsed, 50);
}

TEST(Trail, RingKeepsTheNewestSamplesOldestFirst) {
    Trail trail(100, point{-1, -1}, 100);
    for (int n = 1; n <= 101; ++n)
        trail.update(point{float(n), 0}, 100);
    // 101 samples into 100 slots: the first is gone, the second is now the oldest.
    EXPECT_TRUE(same(trail.sampleFromOldest(0), point{2, 0}));
    EXPECT_TRUE(same(trail.sampleFromOldest(99), point{101, 0}));
    for (int i = 0; i < 99; ++i)
        EXPECT_LT(trail.sampleFromOldest(i).x, trail.sampleFromOldest(i + 1).x) << i;
}

TEST(Trail, UnusableSizesAreRaisedSoSamplingEnds) {
    Trail zero(3, point{0, 0}, 0);
    EXPECT_EQ(zero.interval, 1);
    zero.update(point{1, 1}, 5);
    EXPECT_EQ(zero.elapsed, 0);
    EXPECT_EQ(zero.head, (0 + 5) % 3);

    Trail negative(3, point{0, 0}, -40);
    EXPECT_EQ(negative.interval, 1);

    Trail empty(0, point{2, 2}, 100);
    ASSERT_EQ(empty.points.size(), 1u);
    empty.update(point{5, 5}, 300);
    EXPECT_TRUE(same(empty.sampleFromOldest(0), point{5, 5}));
}
