#include "bodies/gravity.h"

#include <cmath>

#include "bodies/world_state.h"
#include "combat/timers.h"

namespace {

// The pull at the surface of the largest body the tables accept (radius and density 1e10) over
// a step of 20 ms: 8.37e15. Nothing outside a body pulls harder; a shot, ship or player's ship
// that a body pulls harder is within a hair of its centre (3.2e-6 units for a star of radius
// 1000 and density 1), or inside a body of negative radius, which has no surface.
constexpr double largestPull = 8.4e15;

} // namespace

point gravityPull(point bodyPosition, float radius, float density, point objectPosition, int dt) {
    const float d = pointDistance(bodyPosition, objectPosition);
    // At the centre there is no direction to pull in, and the rule would divide by zero.
    if (d == 0.0f)
        return point{0.0f, 0.0f};
    const double mass = std::pow(radius, 3) * 4.1866666666666665;
    const double pull = mass / std::pow(d, 2) * dt * 1e-6f * density;
    // Within a hair of the centre the pull would outgrow any velocity the game can carry (at
    // 1e-20 units it overflows the float), and its direction is as unreliable as at the centre
    // itself: no pull there.
    if (!(std::fabs(pull) <= largestPull))
        return point{0.0f, 0.0f};
    const float a = static_cast<float>(pull);
    const point u =
        normalize(point{bodyPosition.x - objectPosition.x, bodyPosition.y - objectPosition.y});
    return point{u.x * a, u.y * a};
}

float gravityReach(float radius, float density) {
    return radius * 10 * density;
}

void pullShip(point bodyPosition, float radius, float density, point shipPosition, point& velocity,
              int dt) {
    if (pointDistance(bodyPosition, shipPosition) >= gravityReach(radius, density))
        return;
    const point pull = gravityPull(bodyPosition, radius, density, shipPosition, dt);
    velocity.x += pull.x;
    velocity.y += pull.y;
}

namespace {

template <typename Body>
void swallowOrPullList(std::list<Body>& bodies, WorldState& world, point centre, float radius,
                       float density, int dt) {
    const float reach = gravityReach(radius, density);
    for (auto it = bodies.begin(); it != bodies.end();) {
        const float d = pointDistance(centre, it->position);
        if (d <= radius) {
            standardExplosion(it->position, world);
            it = bodies.erase(it);
            continue;
        }
        if (d <= reach)
            it->addVelocity(gravityPull(centre, radius, density, it->position, dt));
        ++it;
    }
}

// Survival's chasers skim a body instead of falling in: one that has come down to it is set back
// on its surface with its inward speed gone, and slides on along it.
void keepChasersOut(std::list<Ship>& ships, point centre, float radius) {
    for (Ship& ship : ships) {
        const float d = pointDistance(centre, ship.position);
        if (ship.ai != chaserBehaviour || d > radius)
            continue;
        const point out =
            d > 0 ? point{(ship.position.x - centre.x) / d, (ship.position.y - centre.y) / d}
                  : point{1, 0};
        const float surface = radius + 0.25f; // clear of the touch test, whatever the rounding
        ship.position = point{centre.x + out.x * surface, centre.y + out.y * surface};
        const float inward = ship.velocity.x * out.x + ship.velocity.y * out.y;
        if (inward < 0)
            ship.velocity =
                point{ship.velocity.x - out.x * inward, ship.velocity.y - out.y * inward};
    }
}

} // namespace

void swallowOrPull(WorldState& world, point bodyPosition, float radius, float density, int dt) {
    if (world.chasersGoRound)
        keepChasersOut(world.ships, bodyPosition, radius);
    swallowOrPullList(world.projectiles, world, bodyPosition, radius, density, dt);
    swallowOrPullList(world.ships, world, bodyPosition, radius, density, dt);
}
