#include "pilots.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "combat/timers.h"
#include "game/game.h"
#include "game/player_loader.h"
#include "game/universe_loader.h"

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
