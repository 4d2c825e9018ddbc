#include "combat/projectile.h"

#include <GL/gl.h>

#include <cmath>

#include "bodies/world_state.h"
#include "combat/ship_positions.h"
#include "combat/timers.h"
#include "core/report_error.h"
#include "core/sound_events.h"
#include "data/weapon_ship_tables.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"

namespace {

constexpr int bulletType = 0;
constexpr int shellType = 2;
constexpr int defaultHitRadius = 50;
constexpr int shockwaveReach = 200;
constexpr int shockwaveDuration = 2000;

// Reflects one axis that has left the field, pushing it back by twice this frame's step.
bool bounceAxis(float& coordinate, float& speed, int ms) {
    if (coordinate <= fieldHalfSize && coordinate >= -fieldHalfSize)
        return false;
    speed = -speed;
    coordinate += 2 * speed * ms;
    return true;
}

bool outsideField(point p) {
    return p.x > fieldHalfSize || p.x < -fieldHalfSize || p.y > fieldHalfSize ||
           p.y < -fieldHalfSize;
}

} // namespace

Projectile::Projectile(point position, float dx, float dy, float speed, WorldState& /*world*/,
                       int type, bool bounces, int life, float vx, float vy)
    : type(type), theta(0), bounces(bounces), position(position), life(life), velocity{0, 0},
      damage(type >= 0 && static_cast<size_t>(type) < WEAPONDATA.size() ? WEAPONDATA[type][3] : 0) {
    // A zero aim has no direction: the shot simply keeps the shooter's velocity.
    if (dx != 0 || dy != 0) {
        const float len = static_cast<float>(std::sqrt(double(dx) * dx + double(dy) * dy));
        velocity = point{dx * speed / len, dy * speed / len};
        calcTheta();
    }
    velocity.x += vx;
    velocity.y += vy;
}

void Projectile::calcTheta() {
    theta = static_cast<float>(std::atan2(velocity.y, velocity.x) - 1.57);
}

bool Projectile::update(int ms, WorldState& world, unsigned now) {
    ShipPositions ships;
    ships.gather(world.ships);
    return update(ms, world, now, ships);
}

bool Projectile::update(int ms, WorldState& world, unsigned now, const ShipPositions& ships) {
    const point previous = position;
    position.x += velocity.x * ms;
    position.y += velocity.y * ms;

    if (bounces) {
        if (bounceAxis(position.x, velocity.x, ms))
            calcTheta();
        if (bounceAxis(position.y, velocity.y, ms))
            calcTheta();
    } else if (outsideField(position)) {
        return false;
    }

    const bool expired = life >= 0 && life < ms;
    if (type == bulletType) {
        if (expired || handleCollision(previous, ships, defaultHitRadius))
            return false;
    } else if (type == shellType) {
        if (expired || handleCollision(previous, ships, defaultHitRadius)) {
            TShockwave* wave = new TShockwave(shockwaveReach, now, shockwaveDuration, position);
            wave->startTime = 0;
            wave->endTime = now + shockwaveDuration;
            addTimer(wave, world);
            soundEvents.record(SoundKind::shockwave, position);
            return false;
        }
    }

    // A negative life means no limit; it is left alone so that it cannot run down and wrap.
    if (life >= 0)
        life -= ms;
    return true;
}

bool Projectile::handleCollision(point previous, WorldState& world, unsigned now) {
    return handleCollision(previous, world, now, defaultHitRadius);
}

bool Projectile::handleCollision(point previous, WorldState& world, unsigned /*now*/,
                                 int hitRadius) {
    ShipPositions ships;
    ships.gather(world.ships);
    return handleCollision(previous, ships, hitRadius);
}

bool Projectile::handleCollision(point previous, const ShipPositions& ships, int hitRadius) {
    Ship* nearest = ships.nearestOnPath(position, previous, hitRadius);
    if (nearest == nullptr)
        return false;
    // Shells burst on contact; only bullets hurt the ship directly.
    if (type == bulletType)
        nearest->takeDamage(damage);
    return true;
}

int Projectile::spriteSlot() const {
    if (type == bulletType)
        return texBulletDot;
    if (type == shellType)
        return texShockwaveBullet;
    return noSprite;
}

void Projectile::drawQuad() const {
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glRotatef(static_cast<float>(theta * 57.2958), 0, 0, 1);
    spriteQuad(spriteHalfSize);
    glPopMatrix();
}
