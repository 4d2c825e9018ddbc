#include "noise.h"

#include <cmath>

std::uint32_t Rng::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Rng::uniform() {
    return (next() >> 8) * (1.0f / 16777216.0f);
}

namespace {

float latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2dU) ^
                      (static_cast<std::uint32_t>(y) * 0x165667b1U);
    h ^= h >> 15;
    h *= 0x85ebca6bU;
    h ^= h >> 13;
    h *= 0xc2b2ae35U;
    h ^= h >> 16;
    return (h >> 8) * (1.0f / 16777216.0f);
}

int wrap(int v, int period) {
    return ((v % period) + period) % period;
}

float fade(float t) {
    return t * t * (3 - 2 * t);
}

} // namespace

float periodicNoise(float x, float y, int period, std::uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = fade(x - x0);
    const float fy = fade(y - y0);
    const int ax = wrap(x0, period), bx = wrap(x0 + 1, period);
    const int ay = wrap(y0, period), by = wrap(y0 + 1, period);
    const float top = latticeValue(ax, ay, seed) * (1 - fx) + latticeValue(bx, ay, seed) * fx;
    const float bottom = latticeValue(ax, by, seed) * (1 - fx) + latticeValue(bx, by, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

float periodicFractal(float x, float y, int period, int octaves, std::uint32_t seed) {
    float sum = 0, weight = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += periodicNoise(x, y, period, seed + i * 7919U) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}
