#include "scene.h"

#include <SDL/SDL.h>

#include <cmath>

#include "combat/timers.h"
#include "game/game.h"
#include "game/loop_rules.h"
#include "player/player.h"

namespace {

// A spot of the start system far from its star, planets and wormholes, so that nothing pulls on
// or swallows the scene; the widest spiral ends well inside the field.
const point centre{-40000, -40000};
const point cruise{1, 0};
constexpr float goldenAngle = 2.39996f;
// Near ships start beyond the bullets' and the shockwaves' reach; their spacing keeps the density
// of the scene the same whatever their number.
constexpr float nearInnerRadius = 700;
constexpr float nearSpacing = 450;
// Far chasers start where spawns do, and even 20,000 of them stay clear of the system's bodies
// and inside the field.
constexpr float farInnerRadius = spawnClearance;
constexpr float farSpacing = 100;
constexpr int chaserType = 1;
constexpr float shotInnerRadius = 150;
constexpr float shotSpacing = 15;
constexpr int bulletType = 0;
constexpr float shotSpeed = 3;
constexpr int shotLife = 2000;
constexpr float waveOffset = 400;
constexpr int waveAge = 1000;
constexpr int waveDuration = 2000;
constexpr int waveReach = 200;

point onSpiral(int i, float inner, float spacing) {
    const float r = inner + spacing * std::sqrt(static_cast<float>(i));
    const float a = goldenAngle * static_cast<float>(i);
    return point{r * std::cos(a), r * std::sin(a)};
}

} // namespace

Scene::Scene(Game& game, const SceneContents& contents)
    : game(game), world(game.universe.player->getWorld()), waves() {
    for (int i = 0; i < contents.nearShips; ++i) {
        const point p = onSpiral(i, nearInnerRadius, nearSpacing);
        ships.emplace_back(point{centre.x + p.x, centre.y + p.y}, contents.nearType);
    }
    for (int i = 0; i < contents.farChasers; ++i) {
        const point p = onSpiral(i, farInnerRadius, farSpacing);
        ships.emplace_back(point{centre.x + p.x, centre.y + p.y}, chaserType);
    }
    held.ships.assign(ships.begin(), ships.end());
    for (int i = 0; i < contents.shots; ++i) {
        const point p = onSpiral(i, shotInnerRadius, shotSpacing);
        shots.push_back(p);
        held.projectiles.emplace_back(centre, p.x, p.y, shotSpeed, held, bulletType, false,
                                      shotLife, 0, 0);
    }
    for (int i = 0; i < 2; ++i) {
        const point at{centre.x + (i == 0 ? waveOffset : -waveOffset), centre.y};
        waves[i] = new TShockwave(waveReach, 0, waveDuration, at);
        addTimer(waves[i], held);
    }
}

// Timers belong to whoever runs them; these were never handed over for good.
Scene::~Scene() {
    for (TimerBase* timer : held.timers)
        delete timer;
}

void Scene::swapWithWorld() {
    WorldState& current = game.universe.worlds[static_cast<size_t>(world)];
    current.ships.swap(held.ships);
    current.projectiles.swap(held.projectiles);
    current.timers.swap(held.timers);
}

void Scene::enter(unsigned now) {
    swapWithWorld();
    Player& player = *game.universe.player;
    player.position = centre;
    player.velocity = cruise;
    SDL_GetKeyState(nullptr)[SDLK_w] = 1;

    auto ship = currentWorld(game).ships.begin();
    for (const Ship& placed : ships)
        *ship++ = placed;
    auto shot = currentWorld(game).projectiles.begin();
    for (const point& p : shots) {
        shot->position = point{centre.x + p.x, centre.y + p.y};
        shot->life = shotLife;
        ++shot;
    }
    // Half way through its life, so the ring is drawn at a middling size and hurts no one.
    for (TShockwave* wave : waves) {
        wave->createdTime = now - waveAge;
        wave->lastHitTime = now;
        wave->startTime = 0;
        wave->endTime = now + waveAge;
    }
}

void Scene::leave() {
    swapWithWorld();
}

const char* Scene::fault() const {
    const Player& player = *game.universe.player;
    if (player.getWorld() != world)
        return "the player left the star system";
    const WorldState& current = game.universe.worlds[static_cast<size_t>(world)];
    if (current.ships.size() != ships.size())
        return "the frame removed an enemy ship";
    if (current.projectiles.size() != shots.size())
        return "the frame removed a projectile";
    if (current.timers.size() != 2)
        return "a timed effect came or went";
    if (player.flameLevel != 1)
        return "the held thrust key did not reach the player";
    return "";
}
