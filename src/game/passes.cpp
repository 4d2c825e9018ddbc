#include "game/passes.h"

#include <GL/gl.h>

#include "bodies/world_state.h"
#include "combat/ship_positions.h"
#include "core/report_error.h"
#include "game/loop_rules.h"
#include "graphics/sprite_quad.h"
#include "graphics/textures.h"
#include "hud/overlays.h"
#include "player/player.h"

bool processWormholes(Universe& universe) {
    WorldState& start = universe.worlds[universe.player->getWorld()];
    bool jumped = false;
    for (Wormhole& wormhole : start.wormholes)
        jumped = wormhole.update(universe) || jumped;
    return jumped;
}

void drawWormholes(WorldState& world, int now) {
    for (Wormhole& wormhole : world.wormholes)
        wormhole.draw(now);
}

void updateProjectiles(WorldState& world, int delta, unsigned now) {
    // Kept from frame to frame so that gathering the ships reuses its memory.
    static ShipPositions ships;
    ships.gather(world.ships);
    for (auto it = world.projectiles.begin(); it != world.projectiles.end();) {
        if (it->update(delta, world, now, ships))
            ++it;
        else
            it = world.projectiles.erase(it);
    }
}

void drawProjectiles(const WorldState& world, const ViewRect& view) {
    constexpr float reach = turnedReach(Projectile::spriteHalfSize);
    int bound = Projectile::noSprite;
    bool anySprite = false;
    for (const Projectile& projectile : world.projectiles) {
        const int slot = projectile.spriteSlot();
        anySprite = anySprite || slot != Projectile::noSprite;
        if (slot == Projectile::noSprite || !mayTouch(view, projectile.position, reach))
            continue;
        if (slot != bound)
            glBindTexture(GL_TEXTURE_2D, textures[slot]);
        bound = slot;
        projectile.drawQuad();
    }
    // Each shot's sprite used to unbind its texture after it, and the trail drawn next takes the
    // texture coordinate the last quad left: both stay so with every shot out of view.
    if (anySprite) {
        glBindTexture(GL_TEXTURE_2D, 0);
        leaveQuadTexCoord();
    }
    reportError();
}

void updateShips(WorldState& world, Player* player, int delta) {
    for (auto it = world.ships.begin(); it != world.ships.end();) {
        if (it->update(delta, world, player))
            ++it;
        else {
            if (it->health <= 0)
                ++world.kills;
            it = world.ships.erase(it);
        }
    }
}

void drawShips(const WorldState& world, const ViewRect& view) {
    constexpr float reach = turnedReach(enemyHalfSize);
    bool bound = false;
    for (const Ship& ship : world.ships) {
        if (!mayTouch(view, ship.position, reach))
            continue;
        if (!bound)
            glBindTexture(GL_TEXTURE_2D, textures[texEnemy]);
        bound = true;
        drawEnemyQuad(ship.position, ship.getTheta());
    }
    if (bound)
        glBindTexture(GL_TEXTURE_2D, 0);
    reportError();
}

void updateStars(WorldState& world, Player* player, int delta) {
    for (size_t i = 0; i < world.stars.size(); ++i)
        world.stars[i].update(world, player, delta);
}

void drawStars(WorldState& world, const ViewRect& view) {
    for (Star& star : world.stars) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // Every planet draws in the texture mode it sets; set here, it stays as drawing them all
        // would leave it, whichever are out of view.
        if (!star.planets.empty())
            glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        for (Planet& planet : star.planets)
            if (mayTouch(view, planet.position, turnedReach(planet.radius)))
                planet.draw();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (mayTouch(view, star.position, turnedReach(star.radius)))
            star.draw();
    }
}
