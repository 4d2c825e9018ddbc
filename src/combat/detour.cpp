#include "combat/detour.h"

#include <cmath>

#include "bodies/gravity.h"
#include "bodies/star.h"

namespace {

// The waypoint lies this far out from the body's reach, so a chaser passing it is clear of the
// pull.
constexpr float detourMargin = 1.2f;

struct Blocker {
    float along = 2; // where on the way (0: from, 1: to) it passes closest to the body
    point aim{0, 0};
};

// Records the body as the blocker when the way crosses its reach before the one found so far.
void consider(Blocker& first, point from, point way, float wayLength2, point centre, float reach) {
    const float t = ((centre.x - from.x) * way.x + (centre.y - from.y) * way.y) / wayLength2;
    if (t <= 0 || t >= 1 || t >= first.along)
        return;
    const point closest{from.x + way.x * t, from.y + way.y * t};
    const point out{closest.x - centre.x, closest.y - centre.y};
    const float d = std::sqrt(out.x * out.x + out.y * out.y);
    if (d >= reach)
        return;
    // Straight through the centre: either side will do.
    const point side = d > 0 ? point{out.x / d, out.y / d} : normalize(point{-way.y, way.x});
    first.along = t;
    first.aim =
        point{centre.x + side.x * reach * detourMargin, centre.y + side.y * reach * detourMargin};
}

} // namespace

point detourAim(point from, point to, const std::vector<Star>& stars) {
    const point way{to.x - from.x, to.y - from.y};
    const float wayLength2 = way.x * way.x + way.y * way.y;
    if (wayLength2 == 0)
        return to;
    Blocker first;
    for (const Star& star : stars) {
        consider(first, from, way, wayLength2, star.position,
                 gravityReach(star.radius, star.density));
        for (const Planet& planet : star.planets)
            consider(first, from, way, wayLength2, planet.position,
                     gravityReach(planet.radius, planet.density));
    }
    return first.along < 2 ? first.aim : to;
}
