#include <gtest/gtest.h>

#include "player/trail.h"

TEST(Trail, ShortFramesCarryTheRemainderAndLongOnesSampleRepeatedly) {
    Trail trail(100, point{0, 0}, 100);
    for (int frame = 1; frame <= 7; ++frame)
        trail.update(point{float(frame), 0}, 16);
    EXPECT_EQ(trail.head, 1) << "one sample, in the frame that reached 100 ms";
    EXPECT_EQ(trail.points[1].x, 7);
    EXPECT_EQ(trail.elapsed, 12);

    trail.update(point{9, 9}, 238); // 250 ms gathered: two samples of one position
    EXPECT_EQ(trail.head, 3);
    EXPECT_EQ(trail.points[2].y, 9);
    EXPECT_EQ(trail.points[3].y, 9);
    EXPECT_EQ(trail.elapsed, 50);
}

TEST(Trail, RingHoldsTheNewestSamplesOldestFirst) {
    Trail trail(100, point{-1, -1}, 100);
    EXPECT_EQ(trail.sampleFromOldest(0).x, -1) << "every slot starts at the start point";
    for (int n = 1; n <= 101; ++n)
        trail.update(point{float(n), 0}, 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(trail.sampleFromOldest(i).x, i + 2) << "the first sample is overwritten";
}

TEST(Trail, UnusableSizesAreRaisedSoSamplingEnds) {
    Trail zero(3, point{0, 0}, 0);
    zero.update(point{1, 1}, 5);
    EXPECT_EQ(zero.interval, 1);
    EXPECT_EQ(zero.elapsed, 0);
    EXPECT_EQ(Trail(3, point{0, 0}, -40).interval, 1);

    Trail empty(0, point{2, 2}, 100);
    empty.update(point{5, 5}, 300);
    ASSERT_EQ(empty.points.size(), 1u);
    EXPECT_EQ(empty.sampleFromOldest(0).x, 5);
}
