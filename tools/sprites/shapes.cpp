#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace {

float segmentDistance(Vec a, Vec b, Vec p) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

} // namespace

float polygonInside(const std::vector<Vec>& polygon, Vec p) {
    bool inside = false;
    float nearest = 1e9f;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
        nearest = std::min(nearest, segmentDistance(a, b, p));
    }
    return inside ? nearest : -nearest;
}

float circleInside(Vec centre, float radius, Vec p) {
    return radius - std::hypot(p.x - centre.x, p.y - centre.y);
}

float ellipseInside(Vec centre, float rx, float ry, Vec p) {
    const float k = std::hypot((p.x - centre.x) / rx, (p.y - centre.y) / ry);
    return (1 - k) * std::min(rx, ry);
}

std::vector<Vec> mirrored(const std::vector<Vec>& rightHalf) {
    std::vector<Vec> polygon = rightHalf;
    for (auto it = rightHalf.rbegin(); it != rightHalf.rend(); ++it)
        if (it->x != 0)
            polygon.push_back({-it->x, it->y});
    return polygon;
}
