#include "player/trail.h"

#include <GL/gl.h>

#include <algorithm>

// A zero interval would sample forever and a ring without points has nowhere to write, so both
// are raised to the smallest value that works.
Trail::Trail(int count, point start, int interval)
    : interval(std::max(interval, 1)), elapsed(0), count(count), head(0),
      points(static_cast<size_t>(std::max(count, 1)), start) {}

void Trail::update(point p, int ms) {
    elapsed += ms;
    const int size = static_cast<int>(points.size());
    while (elapsed >= interval) {
        head = (head + 1) % size;
        points[head] = p;
        elapsed -= interval;
    }
}

void Trail::draw(point p) {
    const int size = static_cast<int>(points.size());
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < size; ++i) {
        const point q = sampleFromOldest(i);
        glVertex3f(q.x, q.y, 0);
    }
    glVertex3f(p.x, p.y, 0);
    glEnd();
}
