#include "player/player.h"

#include <GL/gl.h>

#include <cmath>

#include "core/report_error.h"
#include "core/sound_events.h"
#include "graphics/emitter_data.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"

namespace {

// The flame is emitter file 0; without it (no emitter files read) the flame has no parameters and
// draws nothing, which start-up refuses elsewhere.
EmitterFile flameParameters() {
    return emitters.empty() ? EmitterFile{} : emitters[0];
}

} // namespace

Player::Player(point position, float thrustPower, float reversePower, float turnRate, float health,
               float radius)
    : position(position), weapon(0), weaponOffset(0), warpReady(true), outsideWormholes(true),
      landed(false), takeoffDelay(0), velocity{0, 0}, thrustPower(thrustPower),
      reversePower(reversePower), turnRate(turnRate), angle(0), health(health), radius(radius),
      nextShotTime(0), takeoffCharge(0), flameLevel(0), engineFlame(flameParameters()), world(0),
      trail(100, position, 100) {}

void Player::turnCW(int ms) {
    if (!landed)
        angle = radiansAfterStep(angle - turnRate * ms, turnRate * ms);
}

void Player::turnCCW(int ms) {
    if (!landed)
        angle = radiansAfterStep(angle + turnRate * ms, turnRate * ms);
}

void Player::forwardThrust(int ms) {
    if (takeoffDelay > 0)
        return;
    if (landed) {
        // Take-off spends the charge gathered on the ground as extra thrust time.
        landed = false;
        soundEvents.record(SoundKind::takeOff, position);
        ms += takeoffCharge;
        takeoffCharge = 0;
    }
    velocity.x += std::cos(angle) * thrustPower * ms;
    velocity.y += std::sin(angle) * thrustPower * ms;
}

void Player::reverseThrust(int ms) {
    if (landed) {
        takeoffCharge += ms;
        return;
    }
    // Reverse thrust is a fixed kick per frame, whatever the frame's length.
    velocity.x -= std::cos(angle) * reversePower;
    velocity.y -= std::sin(angle) * reversePower;
}

namespace {

// Stops one axis at the field's edge; the other axis keeps its speed.
void clampAxis(float& coordinate, float& speed) {
    if (coordinate > fieldHalfSize) {
        coordinate = fieldHalfSize;
        speed = 0;
    } else if (coordinate < -fieldHalfSize) {
        coordinate = -fieldHalfSize;
        speed = 0;
    }
}

} // namespace

void coast(point& position, point& velocity, int ms) {
    position.x += velocity.x * ms;
    position.y += velocity.y * ms;
    clampAxis(position.x, velocity.x);
    clampAxis(position.y, velocity.y);
}

void Player::update(int ms, FlightKeys keys) {
    // A wormhole may send the ship on only after a whole frame spent outside every wormhole.
    if (outsideWormholes)
        warpReady = true;
    outsideWormholes = true;

    if (keys.turnRight)
        turnCW(ms);
    if (keys.turnLeft)
        turnCCW(ms);

    if (keys.forward) {
        flameLevel = 1;
        forwardThrust(ms);
    } else if (keys.reverse) {
        flameLevel = 0;
        reverseThrust(ms);
    } else {
        flameLevel = 0;
    }

    if (takeoffDelay > 0)
        takeoffDelay -= ms;
    // The planet carries a landed ship; its trail waits for the take-off.
    if (landed)
        return;

    coast(position, velocity, ms);
    trail.update(position, ms);
}

void Player::advanceFlame(int ms) {
    engineFlame.advance(ms);
}

void Player::drawTrail() {
    engineFlame.updateValue(flameLevel, 1);
    engineFlame.position = position;
    engineFlame.angle = getAngle() + 180;
    engineFlame.draw();
    trail.draw(position);
}

void Player::draw() {
    glPushMatrix();
    reportError();
    glTranslatef(position.x, position.y, 0);
    glRotatef(getAngle(), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texPlayer]);
    reportError();
    spriteQuad(radius);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}
