#include "bodies/planet.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>
#include <utility>

#include "bodies/gravity.h"
#include "bodies/world_state.h"
#include "combat/timers.h"
#include "core/report_error.h"
#include "core/sound_events.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"
#include "player/player.h"

Planet::Planet(float radius, float density, float orbitRadius, float orbitSpeedDegrees,
               float orbitAngleDegrees, float spinSpeed, float spinAngle, int texture,
               std::string name)
    : position{0.0f, 0.0f}, landingAngle(0.0f), radius(radius), density(density),
      orbitRadius(orbitRadius), orbitSpeed(static_cast<float>(orbitSpeedDegrees * 3.14 / 180)),
      orbitAngle(static_cast<float>(orbitAngleDegrees * 3.14 / 180)), spinSpeed(spinSpeed),
      spinAngle(spinAngle), texture(texture), velocity{0.0f, 0.0f}, name(std::move(name)) {
    std::cout << this->name << std::endl;
}

void Planet::update(WorldState& world, Player* player, int dt, point starPosition) {
    if (dt == 0)
        return;
    spinAngle = degreesAfterStep(spinAngle + spinSpeed * dt, spinSpeed * dt);
    const point old = position;
    position = orbitStep(orbitAngle, orbitSpeed, orbitRadius, starPosition, dt);
    velocity = point{(position.x - old.x) / dt, (position.y - old.y) / dt};

    swallowOrPull(world, position, radius, density, dt);
    affectPlayer(world, *player, dt);
}

point orbitStep(float& orbitAngle, float orbitSpeed, float orbitRadius, point starPosition,
                int dt) {
    orbitAngle = radiansAfterStep(orbitAngle + orbitSpeed * dt, orbitSpeed * dt);
    return point{std::cos(orbitAngle) * orbitRadius + starPosition.x,
                 std::sin(orbitAngle) * orbitRadius + starPosition.y};
}

bool touchesShip(point planetPosition, float planetRadius, point shipPosition, float shipRadius) {
    return pointDistance(planetPosition, shipPosition) <= planetRadius + shipRadius;
}

void Planet::affectPlayer(WorldState& world, Player& player, int dt) {
    const float surface = radius + player.getRadius();
    const float d = pointDistance(position, player.position);
    if (player.isLanded()) {
        if (d < surface * 1.2)
            carry(player, dt);
    } else if (touchesShip(position, radius, player.position, player.getRadius())) {
        touch(world, player);
    } else {
        pullShip(position, radius, density, player.position, player.velocity, dt);
    }
}

void Planet::carry(Player& player, int dt) {
    const point old = player.position;
    const double turn = spinSpeed * dt * 0.0174444;
    landingAngle = radiansAfterStep(static_cast<float>(landingAngle + turn), turn);
    const float surface = radius + player.getRadius();
    player.position = point{std::cos(landingAngle) * surface + position.x,
                            std::sin(landingAngle) * surface + position.y};
    player.setAngle(landingAngle);
    // Velocities are game units per ms everywhere, so the carried ship's is its displacement per
    // ms: a ship taking off keeps the planet's motion instead of being flung at dt times it.
    player.setVelocity(point{(player.position.x - old.x) / dt, (player.position.y - old.y) / dt});
}

void Planet::touch(WorldState& world, Player& player) {
    landingAngle = std::atan2(player.position.y - position.y, player.position.x - position.x);
    const float speed = pointDistance(player.getVelocity(), velocity);
    if (speed < 1) {
        player.setLanded();
        soundEvents.record(SoundKind::landing, player.position);
        return;
    }
    // Too fast: the ship crash-lands, losing 100 hit points per unit per ms above 1.
    standardExplosion(player.position, world);
    soundEvents.record(SoundKind::crashLanding, player.position);
    player.setLanded();
    player.takeDamage((speed - 1) * 100);
}

void Planet::draw() {
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glRotatef(spinAngle, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, textures[texture]);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    spriteQuad(radius);
    reportError();
    glPopMatrix();
}
