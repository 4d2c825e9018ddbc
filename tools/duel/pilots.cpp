#include "pilots.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "combat/timers.h"
#include "game/game.h"
#include "game/player_loader.h"
#include "game/universe_loader.h"
#include "hud/flight_aids.h"
#include "hud/gate_choice.h"
#include "hud/predicted_path.h"

const Planet* hearth(Game& game) {
    for (const Star& star : currentWorld(game).stars)
        for (const Planet& planet : star.planets)
            if (planet.name == "Hearth")
                return &planet;
    return nullptr;
}

namespace {

constexpr int frameMs = 16;
// The flyer circles the home star this far out, beyond its pull and its planets' orbits, at a
// little under a chaser's top speed so that those behind it close in slowly under fire.
constexpr float circleRadius = 30000;
constexpr float cruiseSpeed = 0.9f;
constexpr float turnSlack = 0.05f; // radians of heading error left alone
constexpr float thrustCone = 0.5f; // radians of heading error within which the engine pushes

bool onScreen(const ViewRect& v, point p) {
    return p.x >= v.left && p.x <= v.right && p.y >= v.bottom && p.y <= v.top;
}

// The cursor, in percent of the view, on `target` (which is on the screen).
void aimAt(Game& game, point target) {
    const Player& ship = *game.universe.player;
    const ViewRect v = viewRect(game.loop, ship.position);
    const float halfWidth = (v.right - v.left) / 2;
    const float halfHeight = (v.top - v.bottom) / 2;
    const float x = std::clamp((target.x - ship.position.x) / halfWidth, -1.0f, 1.0f);
    const float y = std::clamp((target.y - ship.position.y) / halfHeight, -1.0f, 1.0f);
    game.loop.cursor = point{50 + x * 50, 50 + y * 50};
}

const Ship* nearestOnScreen(Game& game) {
    const point at = game.universe.player->position;
    const ViewRect v = viewRect(game.loop, at);
    const Ship* nearest = nullptr;
    for (const Ship& s : currentWorld(game).ships)
        if (onScreen(v, s.position) &&
            (!nearest || pointDistance(s.position, at) < pointDistance(nearest->position, at)))
            nearest = &s;
    return nearest;
}

// Fires at the nearest chaser on the screen, if there is one.
void fightBack(Game& game) {
    const Ship* target = nearestOnScreen(game);
    if (target)
        aimAt(game, target->position);
    game.input.fire = target != nullptr;
}

float wrapAngle(float a) {
    return std::remainder(a, 6.2831853f);
}

// W, A and D towards the velocity that keeps the ship on its circle round the home star.
FlightKeys circleKeys(Game& game) {
    const Player& ship = *game.universe.player;
    const WorldState& world = currentWorld(game);
    const point centre = world.stars.empty() ? point{0, 0} : world.stars.front().position;
    const point out = normalize(point{ship.position.x - centre.x, ship.position.y - centre.y});
    const float drift =
        std::clamp((circleRadius - pointDistance(ship.position, centre)) / 5000, -1.0f, 1.0f);
    const point heading = normalize(point{-out.y + out.x * drift, out.x + out.y * drift});
    const point change{heading.x * cruiseSpeed - ship.velocity.x,
                       heading.y * cruiseSpeed - ship.velocity.y};
    const float error = wrapAngle(std::atan2(change.y, change.x) - ship.angle);
    const bool needed = std::hypot(change.x, change.y) > 0.05f;
    return FlightKeys{ship.isLanded() || (needed && std::fabs(error) < thrustCone), false,
                      error > turnSlack, error < -turnSlack};
}

// The cursor straight out from Hearth's centre through the ship.
void aimIntoSpace(Game& game) {
    const point at = game.universe.player->position;
    const Planet* home = hearth(game);
    if (!home)
        return;
    const point out = normalize(point{at.x - home->position.x, at.y - home->position.y});
    aimAt(game, point{at.x + out.x * 1000, at.y + out.y * 1000});
}

void fly(Pilot pilot, Game& game, unsigned runMs) {
    game.input = HeldInput();
    switch (pilot) {
    case Pilot::camper:
        fightBack(game);
        break;
    case Pilot::flyer:
        game.input.keys = circleKeys(game);
        fightBack(game);
        break;
    case Pilot::blindCamper:
        aimIntoSpace(game);
        game.input.fire = true;
        break;
    case Pilot::coaster:
        game.input.keys.forward = runMs < 500;
        break;
    }
}

// The newcomer's cruise, and how hard it reckons S brakes (a kick of 0.012 a frame at about 60
// frames a second), with room to spare.
constexpr float newcomerCruise = 2.0f;
constexpr float newcomerBraking = 0.0005f; // units/ms per ms
constexpr float newcomerArrival = 0.6f;    // the speed it is content to meet the gate at
constexpr float speedSlack = 0.08f;        // units/ms of velocity error left alone
constexpr float aimSlack = 150;            // how near the gate's centre the path must pass
constexpr int climbSteps = 75;    // a dotted line that ends on a planet within 1.5 s: climb
constexpr float brakeCone = 0.1f; // radians between nose and gate within which S brakes

// How close the predicted path comes to a point ahead of the ship. The line stops where it enters
// a gate's swirl, so its last stretch is read on, straight, past its end.
float closestApproach(const PredictedPath& path, point target) {
    float closest = 1e30f;
    for (int i = 0; i < path.count; ++i)
        closest = std::min(closest, pointDistance(path.points[i], target));
    if (path.count < 2)
        return closest;
    const point last = path.points[path.count - 1];
    const point on = normalize(
        point{last.x - path.points[path.count - 2].x, last.y - path.points[path.count - 2].y});
    const point towards{target.x - last.x, target.y - last.y};
    if (on.x * towards.x + on.y * towards.y > 0)
        closest = std::min(closest, std::fabs(on.x * towards.y - on.y * towards.x));
    return closest;
}

// A person flying by the aids alone: turn the ship towards the velocity it wants (along the arrow,
// as fast as it can still brake from before the gate), thrust when pointing that way, brake with
// S when closing too fast head-on, and coast while the dotted line runs through the gate.
FlightKeys newcomerKeys(Game& game) {
    const Player& ship = *game.universe.player;
    predictPath(currentWorld(game), ship, game.predictedPath);
    const PredictedPath& path = game.predictedPath;
    const Wormhole* gate = chosenGate(game.gateChoice, game.universe);
    if (!gate)
        return FlightKeys{false, false, false, false};
    // No dotted line: the ship is down, and W lifts it off.
    if (path.count == 0)
        return FlightKeys{true, false, false, false};
    const AidReadings aids = readAids(ship, *gate);
    // The ship's velocity as the aids show it: the speed along the dotted line's first step.
    const point step =
        normalize(point{path.points[0].x - ship.position.x, path.points[0].y - ship.position.y});
    const point velocity{step.x * aids.speed, step.y * aids.speed};
    const float wanted = std::clamp(std::sqrt(2 * newcomerBraking * aids.gateDistance),
                                    newcomerArrival, newcomerCruise);
    const point gateAt{ship.position.x + aids.gateDirection.x * aids.gateDistance,
                       ship.position.y + aids.gateDirection.y * aids.gateDistance};
    // The dotted line ends on the ground soon after take-off: climb away from it first.
    const point end = path.points[path.count - 1];
    if (path.count < climbSteps && pointDistance(end, gateAt) > aimSlack * 4)
        return FlightKeys{true, false, false, false};
    const bool onCourse = closestApproach(path, gateAt) < aimSlack;
    if (onCourse && aids.closingSpeed >= wanted * 0.7f && aids.closingSpeed <= wanted + speedSlack)
        return FlightKeys{false, false, false, false};
    const point change{aids.gateDirection.x * wanted - velocity.x,
                       aids.gateDirection.y * wanted - velocity.y};
    if (std::hypot(change.x, change.y) < speedSlack)
        return FlightKeys{false, false, false, false};
    // On a line through the gate but too fast: nose on the gate, then S.
    if (onCourse && aids.closingSpeed > wanted + speedSlack) {
        const float error =
            wrapAngle(std::atan2(aids.gateDirection.y, aids.gateDirection.x) - aids.heading);
        return FlightKeys{false, std::fabs(error) < brakeCone, error > turnSlack,
                          error < -turnSlack};
    }
    const float error = wrapAngle(std::atan2(change.y, change.x) - aids.heading);
    return FlightKeys{std::fabs(error) < thrustCone, false, error > turnSlack, error < -turnSlack};
}

void deleteTimers(Universe& universe) {
    for (WorldState& world : universe.worlds) {
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers.clear();
    }
}

} // namespace

RunResult survivalRun(Pilot pilot, int weapon, unsigned seed, unsigned longestMs) {
    Game game;
    unsigned now = 1000;
    const unsigned start = now;
    game.clock = [&now] { return now; };
    std::unique_ptr<Player> ship(initializePlayer());
    ship->weapon = weapon;
    game.universe.player = ship.get();
    game.universe.worlds.resize(1);
    if (!initializeStars(game.universe))
        return RunResult();
    applySurvivalRules(game.universe);
    // After the player and the wormholes: their emitters seed the generator from the time of day.
    std::srand(seed);
    game.loop.lastTicks = now;
    game.loop.lastSpawn = now;
    while (ship->getHealth() > 0 && now - start < longestMs) {
        game.loop.spawnInterval = pressureSpawnInterval(now - start);
        fly(pilot, game, now - start);
        now += frameMs;
        simulateFrame(game);
    }
    const RunResult result{static_cast<float>(now - start) / 1000, runKills(game.universe),
                           ship->getHealth()};
    deleteTimers(game.universe);
    return result;
}

Spread spread(std::vector<float> values) {
    if (values.empty())
        return Spread();
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return Spread{(values[(n - 1) / 2] + values[n / 2]) / 2, values.front(), values.back()};
}

GateRun newcomerRun(unsigned seed, unsigned longestMs) {
    Game game;
    unsigned now = 1000;
    const unsigned start = now;
    game.clock = [&now] { return now; };
    std::unique_ptr<Player> ship(initializePlayer());
    game.universe.player = ship.get();
    game.universe.worlds.resize(1);
    if (!initializeStars(game.universe))
        return GateRun();
    std::srand(seed);
    game.aidsShown = true;
    game.loop.lastTicks = now;
    game.loop.lastSpawn = now;
    const Wormhole* first = chosenGate(game.gateChoice, game.universe);
    if (!first)
        return GateRun();
    const int home = ship->getWorld();
    const int destination = first->destinationWorld;
    // A newcomer first reads the screen for a while, half a second more with each seed, so each
    // takes off from another point of Hearth's orbit and spin.
    const unsigned readingMs = (seed - 1) % 20 * 500;
    GateRun run;
    while (ship->getHealth() > 0 && now - start < longestMs) {
        const bool reading = now - start < readingMs;
        game.input = HeldInput{reading ? FlightKeys{false, false, false, false} : newcomerKeys(game),
                               false};
        now += frameMs;
        simulateFrame(game);
        if (ship->getWorld() != home) {
            run.reached = ship->getWorld() == destination;
            break;
        }
    }
    run.seconds = static_cast<float>(now - start) / 1000;
    run.health = ship->getHealth();
    deleteTimers(game.universe);
    return run;
}
