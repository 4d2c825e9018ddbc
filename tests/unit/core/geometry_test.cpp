#include <gtest/gtest.h>

#include <cmath>

#include "core/geometry.h"
#include "core/report_error.h"

TEST(Geometry, SegmentAgainstCircleMeasuresToTheNearerEnd) {
    EXPECT_TRUE(intersectCircleLine({0, 0}, {10, 0}, {15, 3}, 6));
    EXPECT_FALSE(intersectCircleLine({0, 0}, {10, 0}, {15, 3}, 5));
    EXPECT_TRUE(intersectCircleLine({0, 0}, {10, 0}, {-4, 1}, 5));
}

TEST(Geometry, SegmentOnlyTouchingTheCircleDoesNotHit) {
    EXPECT_FALSE(intersectCircleLine({0, 0}, {10, 0}, {5, 3}, 3));
    EXPECT_TRUE(intersectCircleLine({0, 0}, {10, 0}, {5, 3}, 3.01f));
}

TEST(Geometry, ZeroLengthSegmentNeverHits) {
    EXPECT_FALSE(intersectCircleLine({1, 1}, {1, 1}, {1, 1}, 50));
}

TEST(Geometry, RandLocCoversTheFieldWithItsWrap) {
    EXPECT_EQ(randLocFrom(0), -100000);
    EXPECT_EQ(randLocFrom(28571), 99997);
    EXPECT_EQ(randLocFrom(28572), -99996);
    EXPECT_EQ(randLocFrom(32767), -70631);
    for (int i = 0; i < 1000; ++i) {
        const float v = randLoc();
        EXPECT_GE(v, -100000);
        EXPECT_LE(v, 99997);
    }
}

TEST(Geometry, PixelConversionsTruncateAndKeepScale) {
    EXPECT_EQ(pixelToGame(-2.7f), -2);
    EXPECT_EQ(pixelToGame(2.7f), 2);
    EXPECT_EQ(pixelToGame(7), 7);
    EXPECT_FLOAT_EQ(gameToPixel(7), 7.0f);
    const point p = gameToPixel(point{1.5f, -2.5f});
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.y, -2.5f);
}

TEST(Geometry, MouseMapsPercentOfTheView) {
    point p = mouseToGame({50, 50}, -100, 100, -50, 50);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, 0);
    p = mouseToGame({100, 0}, -100, 100, -50, 50);
    EXPECT_FLOAT_EQ(p.x, 100);
    EXPECT_FLOAT_EQ(p.y, -50);
}

TEST(Geometry, ToStringUsesThreeSignificantDigits) {
    EXPECT_EQ(toString(1), "1");
    EXPECT_EQ(toString(0.5f), "0.5");
    EXPECT_EQ(toString(59.876f), "59.9");
    EXPECT_EQ(toString(250), "250");
    EXPECT_EQ(toString(12), "12");
    EXPECT_EQ(toString(0), "0");
    EXPECT_EQ(toString(1234), "1.23e+03");
}

TEST(Geometry, DistanceAndDirection) {
    EXPECT_FLOAT_EQ(pointDistance({0, 0}, {3, 4}), 5);
    EXPECT_FLOAT_EQ(pointDistance({-3, -4}, {0, 0}), 5);
    const point n = normalize({3, 4});
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    EXPECT_FLOAT_EQ(square(-3), 9);
}

TEST(Geometry, ZeroVectorNormalisesToZeroNotNaN) {
    const point n = normalize({0, 0});
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
}

TEST(ReportError, EachCodeHasItsMessage) {
    EXPECT_STREQ(glErrorMessage(0x0500), "Invalid enumerated argument");
    EXPECT_STREQ(glErrorMessage(0x0501), "invalid value");
    EXPECT_STREQ(glErrorMessage(0x0502), "Invalid operation");
    EXPECT_STREQ(glErrorMessage(0x0503), "GL stack overflow");
    EXPECT_STREQ(glErrorMessage(0x0504), "gl stack underflow");
    EXPECT_STREQ(glErrorMessage(0x0505), "out of memory");
    EXPECT_EQ(glErrorMessage(0), nullptr);
    EXPECT_EQ(glErrorMessage(0x0506), nullptr);
}
