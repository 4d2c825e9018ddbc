#include "combat/timers.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cmath>
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

TExplosion::TExplosion(unsigned createdTime, int duration, point position)
    : createdTime(createdTime), duration(duration), position(position), size(explosionSize) {}

float TExplosion::halfSide(unsigned now) const {
    return static_cast<float>(ticksAfter(createdTime + static_cast<unsigned>(duration), now)) /
           static_cast<float>(duration) * size;
}

void TExplosion::execute(unsigned /*now*/, WorldState& /*world*/) {}

void TExplosion::draw(unsigned now) const {
    const float s = halfSide(now);
    const int age = ticksAfter(now, createdTime);
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    // Two copies spinning against each other: one turn a second one way, half a turn the other.
    glPushMatrix();
    glRotatef(static_cast<float>((age * 360) / 1000), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texExplosion]);
    spriteQuad(s);
    glPopMatrix();
    glRotatef(static_cast<float>((-age * 360) / 2000), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texExplosion]);
    spriteQuad(s);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

void TExplosion::drawIn(unsigned now, const ViewRect& view) const {
    if (mayTouch(view, position, turnedReach(std::fabs(halfSide(now)))))
        draw(now);
}

TShockwave::TShockwave(int reach, unsigned createdTime, int duration, point position)
    : reach(reach), createdTime(createdTime), duration(duration), position(position),
      rotation(std::rand() % 360), lastHitTime(createdTime) {}

float TShockwave::halfSide(unsigned now) const {
    return static_cast<float>(static_cast<float>(reach * ticksAfter(now, createdTime)) /
                              static_cast<float>(duration) * shockwaveGrowth);
}

void TShockwave::draw(unsigned now) const {
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

void TShockwave::drawIn(unsigned now, const ViewRect& view) const {
    if (mayTouch(view, position, turnedReach(std::fabs(halfSide(now)))))
        draw(now);
    else
        glColor4f(1, 0, 0, 0.3f);
}

void TShockwave::execute(unsigned now, WorldState& world) {
    const float s = halfSide(now);
    // Damage follows the time each ship spends inside the ring, frame by frame.
    const int elapsed = ticksAfter(now, lastHitTime);
    lastHitTime = now;
    const int reachNow = pixelToGame(s);
    for (Ship& ship : world.ships)
        if (static_cast<float>(reachNow) > pointDistance(position, ship.position))
            ship.takeDamage(WEAPONDATA[shellWeapon][3] * elapsed);
}

void standardExplosion(point position, WorldState& world, unsigned now) {
    TExplosion* explosion = new TExplosion(now, explosionDuration, position);
    explosion->startTime = 0;
    explosion->endTime = now + explosionDuration;
    world.timers.push_back(explosion);
}

std::function<unsigned()> effectClock = SDL_GetTicks;

void standardExplosion(point position, WorldState& world) {
    standardExplosion(position, world, effectClock());
}

void addTimer(TimerBase* timer, WorldState& world) {
    if (timer->startTime == 0) {
        world.timers.push_front(timer);
        return;
    }
    auto it = world.timers.begin();
    while (it != world.timers.end() &&
           ((*it)->startTime == 0 || ticksAfter(timer->startTime, (*it)->startTime) > 0))
        ++it;
    world.timers.insert(it, timer);
}

namespace {

// A start time of 0 is at once and an end time of 0 never, whatever the tick count.
bool waiting(const TimerBase& timer, unsigned now) {
    return timer.startTime != 0 && ticksAfter(timer.startTime, now) > 0;
}

bool started(const TimerBase& timer, unsigned now) {
    return timer.startTime == 0 ? now != 0 : ticksAfter(now, timer.startTime) > 0;
}

bool over(const TimerBase& timer, unsigned now) {
    return timer.endTime != 0 && ticksAfter(now, timer.endTime) > 0;
}

} // namespace

void runTimer(unsigned now, WorldState& world) {
    for (auto it = world.timers.begin(); it != world.timers.end();) {
        TimerBase* timer = *it;
        // A timer still waiting holds back everything behind it.
        if (waiting(*timer, now))
            return;
        if (over(*timer, now)) {
            delete timer;
            it = world.timers.erase(it);
            continue;
        }
        if (started(*timer, now))
            timer->execute(now, world);
        ++it;
    }
}

void drawTimers(unsigned now, const WorldState& world, const ViewRect& view) {
    for (const TimerBase* timer : world.timers) {
        if (waiting(*timer, now))
            return;
        if (started(*timer, now))
            timer->drawIn(now, view);
    }
}
