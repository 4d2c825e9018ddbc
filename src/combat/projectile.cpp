#include "combat/projectile.h"

#include <GL/gl.h>

#include <cmath>

#include "combat/timers.h"
#include "core/report_error.h"
#include "core/world_state.h"
#include "data/weapon_ship_tables.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"

namespace {

constexpr int bulletType = 0;
constexpr int shellType = 2;
constexpr int defaultHitRadius = 50;
constexpr int shockwaveReach = 200;
constexpr int shockwaveDuration = 2000;
constexpr float halfSize = 20;

// Reflects one axis that has left the field, pushing it back by twice this frame's step.
bool bounceAxis(float& coordinate, float& speed, int ms) {
    if (coordinate <= fieldHalfSize && coordinate >= -fieldHalfSize)
        return false;
    speed = -speed;
    coordinate += 2 * speed * ms;
    return true;
}

// The path's bounding box grown by the hit radius plus some slack. A ship outside it is farther
// than the radius from every point of the path, so the exact sweep test would miss it anyway;
// skipping that test keeps a crowded frame cheap. The slack, a unit plus a margin far above the
// rounding of coordinates this large, keeps rounding from ever deciding. A ship at NaN is never
// excluded; a path with NaN misses every ship in the exact test as well.
struct SweepBox {
    float left;
    float right;
    float bottom;
    float top;

    SweepBox(point a, point b, int hitRadius) {
        const float magnitude = std::fabs(a.x) + std::fabs(a.y) + std::fabs(b.x) + std::fabs(b.y);
        const float reach = std::fabs(static_cast<float>(hitRadius)) + 1 + magnitude * 1e-5f;
        left = std::fmin(a.x, b.x) - reach;
        right = std::fmax(a.x, b.x) + reach;
        bottom = std::fmin(a.y, b.y) - reach;
        top = std::fmax(a.y, b.y) + reach;
    }
    bool excludes(point p) const { return p.x < left || p.x > right || p.y < bottom || p.y > top; }
};

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

bool Projectile::update(int ms, WorldState& world, int now) {
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
        if (expired || handleCollision(previous, world, now))
            return false;
        draw(texBulletDot);
    } else if (type == shellType) {
        if (expired || handleCollision(previous, world, now)) {
            TShockwave* wave = new TShockwave(shockwaveReach, now, shockwaveDuration, position);
            wave->startTime = 0;
            wave->endTime = now + shockwaveDuration;
            addTimer(wave, world);
            return false;
        }
        draw(texShockwaveBullet);
    }

    // A negative life means no limit; it is left alone so that it cannot run down and wrap.
    if (life >= 0)
        life -= ms;
    return true;
}

bool Projectile::handleCollision(point previous, WorldState& world, int now) {
    return handleCollision(previous, world, now, defaultHitRadius);
}

bool Projectile::handleCollision(point previous, WorldState& world, int /*now*/, int hitRadius) {
    Ship* nearest = nullptr;
    float nearestDistance = 0;
    const SweepBox box(position, previous, hitRadius);
    for (Ship& ship : world.ships) {
        if (box.excludes(ship.position) ||
            !intersectCircleLine(position, previous, ship.position, static_cast<float>(hitRadius)))
            continue;
        const float distance = pointDistance(ship.position, position);
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = &ship;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr)
        return false;
    // Shells burst on contact; only bullets hurt the ship directly.
    if (type == bulletType)
        nearest->takeDamage(damage);
    return true;
}

void Projectile::draw(int textureSlot) {
    glPushMatrix();
    reportError();
    glTranslatef(position.x, position.y, 0);
    glRotatef(static_cast<float>(theta * 57.2958), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[textureSlot]);
    spriteQuad(halfSize);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}
