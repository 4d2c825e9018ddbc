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

    // An interval of 0 or less would never end the sampling loop; it is raised to 1.
    Trail(int count, point start, int interval);
    void update(point p, int ms);
    void draw(point p);
};
