#include "core/geometry.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// Each step of `angle += step` rounds the sum to the spacing of floats at its size, M * 2^-23
// at magnitude M: the step moves the angle by its size give or take half a spacing. With at
// least 16 spacings to the step it is off by at most a 32nd of itself; coarser than that, the
// turns come off. For the slowest steps worth resolving (a planet at 0.001 degrees per ms in a
// 1 ms step, 1.7e-5 radians) that is past 16 radians or 1024 degrees; at 60 frames a second
// the shipped planets and ship keep their plain sums for hours (Kelp's orbit up to 512
// radians, 2.7 hours; a spin of 0.03 degrees per ms up to 262144 degrees, 2.4 hours).
constexpr double spacingsPerStep = 16;

float afterStep(float sum, double step, double turn) {
    const float size = std::fabs(sum);
    if (step == 0 || (std::nextafter(size, INFINITY) - size) * spacingsPerStep <= std::fabs(step))
        return sum;
    // fmod is exact, so the angle keeps its value modulo the turn but for the final rounding
    // into a float; 360 is whole, so in degrees even that rounding is exact.
    return static_cast<float>(std::fmod(static_cast<double>(sum), turn));
}

} // namespace

float radiansAfterStep(float sum, double step) {
    return afterStep(sum, step, 2 * M_PI);
}

float degreesAfterStep(float sum, double step) {
    return afterStep(sum, step, 360.0);
}

float square(float v) {
    return v * v;
}

std::string toString(float v) {
    std::ostringstream out;
    out.precision(3);
    out << v;
    return out.str();
}

bool intersectCircleLine(point a, point b, point c, float r) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    float t = -((a.x - c.x) * dx + (a.y - c.y) * dy) / (dx * dx + dy * dy);
    if (t < 0)
        t = 0;
    else if (t > 1)
        t = 1;
    const float px = a.x + dx * t - c.x;
    const float py = a.y + dy * t - c.y;
    return r * r > px * px + py * py;
}

point normalize(point v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y);
    if (len == 0.0f)
        return point{0.0f, 0.0f};
    return point{v.x / len, v.y / len};
}

float pointDistance(point a, point b) {
    const double dx = std::fabs(static_cast<double>(a.x) - b.x);
    const double dy = std::fabs(static_cast<double>(a.y) - b.y);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float randLocFrom(int n) {
    return static_cast<float>((n * 7) % 200000 - 100000);
}

// The spawn formula is made for a generator of 15 random bits; this C library's rand() gives 31,
// whose product with 7 would overflow and leave the field.
float randLoc() {
    return randLocFrom(std::rand() & 0x7fff);
}

point gameToPixel(point p) {
    return p;
}

float gameToPixel(int v) {
    return static_cast<float>(v);
}

int pixelToGame(int v) {
    return v;
}

int pixelToGame(float v) {
    return static_cast<int>(v);
}

point mouseToGame(point m, float left, float right, float bottom, float top) {
    return point{m.x * (right - left) / 100 + left, m.y * (top - bottom) / 100 + bottom};
}

bool mayTouch(const ViewRect& rect, point centre, float reach) {
    return centre.x + reach >= rect.left && centre.x - reach <= rect.right &&
           centre.y + reach >= rect.bottom && centre.y - reach <= rect.top;
}
