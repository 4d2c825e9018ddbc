#include "bodies/star.h"

#include <GL/gl.h>

#include <utility>

#include "bodies/gravity.h"
#include "bodies/world_state.h"
#include "combat/timers.h"
#include "core/report_error.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"
#include "player/player.h"

Star::Star(point position, float radius, float density, float extraValue, int texture,
           std::string name)
    : position(position), radius(radius), density(density), extraValue(extraValue),
      texture(texture), name(std::move(name)) {}

void Star::update(WorldState& world, Player* player, int dt) {
    for (size_t i = 0; i < planets.size(); ++i)
        planets[i].update(world, player, dt, position);

    swallowOrPull(world, position, radius, density, dt);

    // A star burns the player's ship without harming it: an explosion every frame it is inside.
    const float d = pointDistance(position, player->position);
    if (d <= radius)
        standardExplosion(player->position, world);
    if (!player->isLanded())
        pullShip(position, radius, density, player->position, player->velocity, dt);
}

void Star::draw() {
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glBindTexture(GL_TEXTURE_2D, textures[texture]);
    spriteQuad(radius);
    reportError();
    glPopMatrix();
}
