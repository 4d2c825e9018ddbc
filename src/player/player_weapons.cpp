#include <GL/gl.h>

#include <cmath>
#include <iostream>

#include "bodies/world_state.h"
#include "combat/timers.h"
#include "combat/truncate.h"
#include "core/sound_events.h"
#include "data/weapon_ship_tables.h"
#include "graphics/textures.h"
#include "player/player.h"

namespace {

constexpr int bulletWeapon = 0;
constexpr int laserWeapon = 1;
constexpr int shellWeapon = 2;
constexpr int lastWeaponNumber = 3; // accepted, fires nothing
constexpr float laserHitRadius = 50;
// Shots are not fired at targets this close to the ship on both axes.
constexpr double minimumAim = 20;

// Multiples of d from c to the edge on one axis; 0 when the beam runs parallel to that edge.
template <typename Real> Real edgeMultiple(Real c, Real d) {
    if (d > 0)
        return (fieldHalfSize - c) / d;
    if (d < 0)
        return (-fieldHalfSize - c) / d;
    return 0;
}

template <typename Real> point edgePoint(point from, point d) {
    const Real tx = edgeMultiple<Real>(from.x, d.x);
    const Real ty = edgeMultiple<Real>(from.y, d.y);
    const Real t = ((ty > tx && tx != 0) || ty == 0) ? tx : ty;
    return point{static_cast<float>(from.x + d.x * t), static_cast<float>(from.y + d.y * t)};
}

void drawBeamQuad(point from, point aim, float length) {
    glPushMatrix();
    glTranslatef(from.x, from.y, 0);
    glRotatef(static_cast<float>((std::atan2(aim.y, aim.x) - 1.57) * 57.2958), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texLaser]);
    // Only the texture's middle row is used, stretched along the beam.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0.5f);
    glVertex2f(-10, 0);
    glTexCoord2f(0, 0.5f);
    glVertex2f(-10, length);
    glTexCoord2f(1, 0.5f);
    glVertex2f(10, length);
    glTexCoord2f(1, 0.5f);
    glVertex2f(10, 0);
    glEnd();
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool aimedAwayFromShip(point ship, point target) {
    return std::fabs(std::trunc(double(ship.x)) - std::trunc(double(target.x))) > minimumAim ||
           std::fabs(std::trunc(double(ship.y)) - std::trunc(double(target.y))) > minimumAim;
}

} // namespace

point beamEdgePoint(point from, point d) {
    const point end = edgePoint<float>(from, d);
    if (std::isfinite(end.x) && std::isfinite(end.y))
        return end;
    // An aim so short that its multiple to the edge is beyond a float: the same point, in double.
    return edgePoint<double>(from, d);
}

point Player::fireLaser(WorldState& world, point target, int ms) {
    const point aim{target.x - position.x, target.y - position.y};
    point end = beamEdgePoint(position, aim);

    Ship* hitShip = nullptr;
    float nearest = 0;
    for (Ship& ship : world.ships) {
        if (!intersectCircleLine(position, end, ship.position, laserHitRadius))
            continue;
        const float distance = pointDistance(position, ship.position);
        if (hitShip == nullptr || distance < nearest) {
            hitShip = &ship;
            nearest = distance;
        }
    }

    // A star or planet nearer than the ship takes the beam instead.
    bool anyHit = hitShip != nullptr;
    bool blocked = false;
    auto blockWith = [&](point centre, float bodyRadius) {
        if (!intersectCircleLine(position, end, centre, bodyRadius))
            return;
        const float distance = pointDistance(position, centre);
        if (!anyHit || distance < nearest) {
            anyHit = true;
            blocked = true;
            nearest = distance;
        }
    };
    for (const Star& star : world.stars) {
        blockWith(star.position, star.getRadius());
        for (const Planet& planet : star.planets)
            blockWith(planet.position, planet.getRadius());
    }

    if (hitShip != nullptr && !blocked) {
        end = hitShip->position;
        hitShip->takeDamage(WEAPONDATA[laserWeapon][3] * ms);
    }
    beamShown = true;
    beamAim = aim;
    beamEnd = end;
    return end;
}

void Player::drawBeam() const {
    if (beamShown)
        drawBeamQuad(position, beamAim, pointDistance(beamEnd, position));
}

void Player::fireProjectile(int n, unsigned now, WorldState& world, point target) {
    const bool reloaded = nextShotTime == 0 || ticksAfter(now, nextShotTime) > 0;
    if (!reloaded || !aimedAwayFromShip(position, target))
        return;
    const std::vector<float>& row = WEAPONDATA[n];
    // Whole milliseconds: a shot may go once the tick count is beyond now + reload. A negative
    // reload puts that tick in the past, so the next step may fire again; it is not added to the
    // unsigned tick count, where it would wrap.
    const int reload = truncateToInt(std::floor(row[0]));
    nextShotTime = reload < 0 ? 0 : now + static_cast<unsigned>(reload);
    world.projectiles.push_front(Projectile(position, target.x - position.x, target.y - position.y,
                                            row[1], world, n, true, truncateToInt(row[2]),
                                            velocity.x, velocity.y));
    soundEvents.record(n == shellWeapon ? SoundKind::shellLaunch : SoundKind::bulletShot, position);
}

void Player::shoot(unsigned now, WorldState& world, point target, int ms) {
    const int n = weapon + weaponOffset;
    if (n > lastWeaponNumber) {
        std::cout << "Error, weapon number exceeded" << std::endl;
        weapon = 0;
        weaponOffset = 0;
        return;
    }
    if (n == laserWeapon)
        fireLaser(world, target, ms);
    else if (n == bulletWeapon || n == shellWeapon)
        fireProjectile(n, now, world, target);
}
