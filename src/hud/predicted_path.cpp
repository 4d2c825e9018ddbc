#include "hud/predicted_path.h"

#include "bodies/gravity.h"
#include "bodies/world_state.h"
#include "player/player.h"

namespace {

bool insideGate(const WorldState& world, point at) {
    for (const Wormhole& gate : world.wormholes)
        if (pointDistance(at, gate.position) <= gate.radius)
            return true;
    return false;
}

int planetCount(const WorldState& world) {
    int count = 0;
    for (const Star& star : world.stars)
        count += static_cast<int>(star.planets.size());
    return count;
}

// The bodies' part of one step, in the order the star pass runs it: each star's planets move on
// and pull, then the star pulls. False when the ship comes down on a planet.
bool pullByBodies(const WorldState& world, float* orbitAngles, float shipRadius, point position,
                  point& velocity) {
    int n = 0;
    for (const Star& star : world.stars) {
        for (const Planet& planet : star.planets) {
            const point at = orbitStep(orbitAngles[n++], planet.orbitSpeed, planet.orbitRadius,
                                       star.position, pathStepMs);
            if (touchesShip(at, planet.radius, position, shipRadius))
                return false;
            pullShip(at, planet.radius, planet.density, position, velocity, pathStepMs);
        }
        pullShip(star.position, star.radius, star.density, position, velocity, pathStepMs);
    }
    return true;
}

} // namespace

void predictPath(const WorldState& world, const Player& ship, PredictedPath& path) {
    path.count = 0;
    if (ship.isLanded() || planetCount(world) > maxPathPlanets)
        return;
    float orbitAngles[maxPathPlanets];
    int n = 0;
    for (const Star& star : world.stars)
        for (const Planet& planet : star.planets)
            orbitAngles[n++] = planet.orbitAngle;
    point position = ship.position;
    point velocity = ship.velocity;
    while (path.count < pathSteps) {
        coast(position, velocity, pathStepMs);
        path.points[path.count++] = position;
        if (insideGate(world, position) ||
            !pullByBodies(world, orbitAngles, ship.getRadius(), position, velocity))
            return;
    }
}
