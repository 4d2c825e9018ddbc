#pragma once
#include <vector>

struct Vec {
    float x;
    float y;
};

// Signed distances in picture units, positive inside the shape, negative outside.
float polygonInside(const std::vector<Vec>& polygon, Vec p);
float circleInside(Vec centre, float radius, Vec p);
// Close to the true distance for the moderate aspect ratios the sprites use.
float ellipseInside(Vec centre, float rx, float ry, Vec p);
// The polygon with every vertex mirrored across the vertical axis, appended in reverse order, so
// that a ship is drawn from the points of its right half.
std::vector<Vec> mirrored(const std::vector<Vec>& rightHalf);
