#include "combat/ship.h"

#include <cmath>

#include "bodies/world_state.h"
#include "combat/detour.h"
#include "combat/timers.h"
#include "combat/truncate.h"
#include "core/sound_events.h"
#include "data/weapon_ship_tables.h"
#include "player/player.h"

namespace {

constexpr int chase = chaserBehaviour;
constexpr int flee = 2;
constexpr int holdRange = 3;
constexpr float ramDistance = 50;
constexpr float holdDistance = 500;
constexpr float holdBand = 100; // a fifth of the hold distance
constexpr float holdDamping = 0.98f;

// A type the table does not have gives an inert ship rather than a read past the table.
float shipValue(int type, int column) {
    if (type < 0 || static_cast<size_t>(type) >= SHIPDATA.size())
        return 0;
    return SHIPDATA[type][column];
}

// Stops one axis at the field's edge only while it is moving outwards, so ships slide along it.
void keepInside(float& coordinate, float& speed) {
    if (coordinate > fieldHalfSize) {
        coordinate = fieldHalfSize;
        if (speed > 0)
            speed = 0;
    } else if (coordinate < -fieldHalfSize) {
        coordinate = -fieldHalfSize;
        if (speed < 0)
            speed = 0;
    }
}

} // namespace

Ship::Ship(point position, int type)
    : position(position), theta(0), ai(truncateToInt(shipValue(type, 0))), velocity{0, 0},
      acceleration(shipValue(type, 1)), maxSpeed(shipValue(type, 2)), health(shipValue(type, 3)),
      ramDamage(shipValue(type, 4)) {}

void Ship::calcTheta() {
    theta = static_cast<float>(std::atan2(velocity.y, velocity.x) - 1.57);
}

void Ship::limitSpeed() {
    if (maxSpeed < 0)
        return;
    const float s = static_cast<float>(
        std::sqrt(double(velocity.x) * velocity.x + double(velocity.y) * velocity.y));
    if (s > maxSpeed) {
        velocity.x = velocity.x / s * maxSpeed;
        velocity.y = velocity.y / s * maxSpeed;
    }
}

void Ship::steer(point toPlayer, float d) {
    // k scales the offset to the player to the length of one step of acceleration; d is at least
    // the ram distance here, so it never divides by zero.
    float k = acceleration / d;
    switch (ai) {
    case chase:
        velocity.x += toPlayer.x * k;
        velocity.y += toPlayer.y * k;
        limitSpeed();
        calcTheta();
        break;
    case flee:
        velocity.x -= toPlayer.x * k;
        velocity.y -= toPlayer.y * k;
        limitSpeed();
        calcTheta();
        break;
    case holdRange: {
        calcTheta();
        if (d < holdDistance)
            k = -k;
        const float e = std::fabs(d - holdDistance);
        if (e < holdBand) {
            // Near the ring: gentler, damped, and facing the player.
            k = k * e / holdBand;
            velocity.x = (velocity.x + toPlayer.x * k) * holdDamping;
            velocity.y = (velocity.y + toPlayer.y * k) * holdDamping;
            theta = static_cast<float>(std::atan2(toPlayer.y, toPlayer.x) - 1.57);
        } else {
            velocity.x += toPlayer.x * k;
            velocity.y += toPlayer.y * k;
        }
        limitSpeed();
        break;
    }
    default:
        break;
    }
}

void Ship::steerRoundBodies(const WorldState& world, point playerPosition) {
    const point aim = detourAim(position, playerPosition, world.stars);
    const float d = pointDistance(aim, position);
    // Only a waypoint can coincide with the ship; the next step heads on for the player.
    if (d > 0)
        steer(point{aim.x - position.x, aim.y - position.y}, d);
}

bool Ship::update(int ms, WorldState& world, Player* player) {
    if (health <= 0) {
        standardExplosion(position, world);
        soundEvents.record(SoundKind::explosion, position);
        return false;
    }
    const point toPlayer{player->position.x - position.x, player->position.y - position.y};
    const float d = pointDistance(player->position, position);
    // A ram costs the ship itself, without an explosion.
    if (d < ramDistance) {
        player->takeDamage(ramDamage);
        soundEvents.record(SoundKind::ram, position);
        return false;
    }
    if (ai == chase && world.chasersGoRound)
        steerRoundBodies(world, player->position);
    else
        steer(toPlayer, d);
    position.x += velocity.x * ms;
    position.y += velocity.y * ms;
    keepInside(position.x, velocity.x);
    keepInside(position.y, velocity.y);
    return true;
}
