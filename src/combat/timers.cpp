#include "combat/timers.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdlib>

#include "bodies/world_state.h"
#include "data/weapon_ship_tables.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"

namespace {

constexpr int explosionDuration = 1000;
constexpr float explosionSize = 50;
// A double: in float, 1.56 is a hair small and the ring falls one unit short at whole ages.
constexpr double shockwaveGrowth = 1.56;
constexpr int shellWeapon = 2;

} // namespace

TExplosion::TExplosion(int createdTime, int duration, point position)
    : createdTime(createdTime), duration(duration), position(position), size(explosionSize) {}

float TExplosion::halfSide(int now) const {
    return static_cast<float>(createdTime + duration - now) / static_cast<float>(duration) * size;
}

void TExplosion::execute(int /*now*/, WorldState& /*world*/) {}

void TExplosion::draw(int now) const {
    const float s = halfSide(now);
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    // Two copies spinning against each other: one turn a second one way, half a turn the other.
    glPushMatrix();
    glRotatef(static_cast<float>(((now - createdTime) * 360) / 1000), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texExplosion]);
    spriteQuad(s);
    glPopMatrix();
    glRotatef(static_cast<float>(((createdTime - now) * 360) / 2000), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texExplosion]);
    spriteQuad(s);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

TShockwave::TShockwave(int reach, int createdTime, int duration, point position)
    : reach(reach), createdTime(createdTime), duration(duration), position(position),
      rotation(std::rand() % 360), lastHitTime(createdTime) {}

float TShockwave::halfSide(int now) const {
    return static_cast<float>(static_cast<float>(reach * (now - createdTime)) /
                              static_cast<float>(duration) * shockwaveGrowth);
}

void TShockwave::draw(int now) const {
    const float s = halfSide(now);
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glPushMatrix();
    glRotatef(static_cast<float>(rotation), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texBlast]);
    glColor4f(1, 0, 0, 0.3f);
    spriteQuad(s);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

void TShockwave::execute(int now, WorldState& world) {
    const float s = halfSide(now);
    // Damage follows the time each ship spends inside the ring, frame by frame.
    const int elapsed = now - lastHitTime;
    lastHitTime = now;
    const int reachNow = pixelToGame(s);
    for (Ship& ship : world.ships)
        if (static_cast<float>(reachNow) > pointDistance(position, ship.position))
            ship.takeDamage(WEAPONDATA[shellWeapon][3] * elapsed);
}

void standardExplosion(point position, WorldState& world, int now) {
    TExplosion* explosion = new TExplosion(now, explosionDuration, position);
    explosion->startTime = 0;
    explosion->endTime = now + explosionDuration;
    world.timers.push_back(explosion);
}

std::function<unsigned()> effectClock = SDL_GetTicks;

void standardExplosion(point position, WorldState& world) {
    standardExplosion(position, world, static_cast<int>(effectClock()));
}

void addTimer(TimerBase* timer, WorldState& world) {
    if (timer->startTime == 0) {
        world.timers.push_front(timer);
        return;
    }
    auto it = world.timers.begin();
    while (it != world.timers.end() && (*it)->startTime < timer->startTime)
        ++it;
    world.timers.insert(it, timer);
}

void runTimer(int now, WorldState& world) {
    for (auto it = world.timers.begin(); it != world.timers.end();) {
        TimerBase* timer = *it;
        // A timer still waiting holds back everything behind it.
        if (timer->startTime > now)
            return;
        if (timer->endTime != 0 && timer->endTime < now) {
            delete timer;
            it = world.timers.erase(it);
            continue;
        }
        if (timer->startTime < now)
            timer->execute(now, world);
        ++it;
    }
}

void drawTimers(int now, const WorldState& world) {
    for (const TimerBase* timer : world.timers) {
        if (timer->startTime > now)
            return;
        if (timer->startTime < now)
            timer->draw(now);
    }
}
