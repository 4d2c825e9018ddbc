#pragma once
#include <vector>

#include "core/geometry.h"

// A ring of positions sampled every interval milliseconds, drawn as one line strip.
class Trail {
  public:
    int interval;
    int elapsed;
    int count;
    int head;
    std::vector<point> points;

    // An interval of 0 or less would never end the sampling loop and a count below 1 leaves no
    // slot to write: both are raised to 1.
    Trail(int count, point start, int interval);
    void update(point p, int ms);
    // The i-th sample counted from the oldest (0) to the newest (points.size() - 1).
    point sampleFromOldest(int i) const {
        const int size = static_cast<int>(points.size());
        return points[(head + 1 + i) % size];
    }
    void draw(point p);
};
