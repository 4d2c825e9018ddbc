// The frame's ships, shots, timed effects and bodies drawn through the real camera, with and
// without leaving out what lies outside the view: the pictures must be the same pixel for pixel.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bodies/world_state.h"
#include "combat/timers.h"
#include "game/game.h"
#include "game/loop_rules.h"
#include "game/passes.h"
#include "gl_context.h"
#include "graphics/textures.h"
#include "player/player.h"
#include "scratch_dir.h"

namespace {

// Ships and shots on grids reaching well past every edge of the view, at many headings, so
// that plenty of sprites straddle each edge.
void fillAround(WorldState& world, point centre, float halfWidth, float halfHeight) {
    constexpr float spacing = 47;
    int i = 0;
    for (float y = -1.5f * halfHeight; y <= 1.5f * halfHeight; y += spacing) {
        for (float x = -1.5f * halfWidth; x <= 1.5f * halfWidth; x += spacing, ++i) {
            const point p{centre.x + x, centre.y + y};
            const float heading = 0.37f * static_cast<float>(i);
            if (i % 97 == 0) {
                world.stars.emplace_back(p, 120, 1, 0, texBlueStar, "");
                world.stars.back().addPlanet(
                    Planet(60, 1, 0, 0, 0, 0, heading * 57.3f, texMars, ""));
                world.stars.back().planets.back().position = point{p.x + 150, p.y};
            } else if (i % 41 == 0) {
                standardExplosion(p, world, 500);
                world.timers.push_front(new TShockwave(200, 0, 2000, p));
            } else if (i % 3 == 0) {
                world.projectiles.emplace_back(p, std::cos(heading), std::sin(heading), 1.0f, world,
                                               0, false, 1000, 0, 0);
            } else {
                world.ships.emplace_back(p, 0);
                world.ships.back().theta = heading;
            }
        }
    }
}

std::vector<unsigned char> drawAndRead(Game& game, WorldState& world, const ViewRect& view) {
    glClear(GL_COLOR_BUFFER_BIT);
    // Both pictures start from the same colour and texture mode (the planets leave theirs).
    glColor4f(1, 1, 1, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    setCamera(game);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawProjectiles(world, view);
    drawTimers(1000, world, view);
    drawShips(world, view);
    drawStars(world, view);
    std::vector<unsigned char> pixels(glTestWidth * glTestHeight * 4);
    glReadPixels(0, 0, glTestWidth, glTestHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Whether something is drawn on each of the window's four edges: the sprites reach past them.
bool litAtEachEdge(const std::vector<unsigned char>& pixels) {
    unsigned edges = 0;
    for (int y = 0; y < glTestHeight; ++y)
        for (int x = 0; x < glTestWidth; ++x) {
            const unsigned char* p = &pixels[(static_cast<size_t>(y) * glTestWidth + x) * 4];
            if (p[0] + p[1] + p[2] > 0)
                edges |= (x == 0) | (x == glTestWidth - 1) << 1 | (y == 0) << 2 |
                         (y == glTestHeight - 1) << 3;
        }
    return edges == 15;
}

// What a pass of shots leaves for the trail drawn after it: the current texture coordinate and
// the bound texture, starting from what the beam and the swirls leave.
std::vector<float> leftByShots(const WorldState& world, const ViewRect& view) {
    glTexCoord2f(1, 0.5f);
    glBindTexture(GL_TEXTURE_2D, textures[texFlame]);
    drawProjectiles(world, view);
    std::vector<float> left(5);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, left.data());
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    left[4] = static_cast<float>(bound);
    return left;
}

struct Camera {
    float viewHeight;
    float nearScale;
};

} // namespace

TEST(Culling, LeavesThePictureOfShipsShotsAndBodiesExactlyAsItWas) {
    {
        InDirectory runtime(ORRISK_RUNTIME_DIR);
        loadTextures();
    }
    glViewport(0, 0, glTestWidth, glTestHeight);
    glClearColor(0, 0, 0, 0);
    Player player(point{1234, -567}, 0.001f, 0.001f, 0.002f, 100, 50);
    Game game;
    game.universe.player = &player;
    game.loop.aspect = static_cast<float>(glTestWidth) / glTestHeight;
    const ViewRect everything{-fieldHalfSize, fieldHalfSize, -fieldHalfSize, fieldHalfSize};
    // As the game starts, zoomed out, and with the near plane pulled so close that the plane of
    // the game lies at twice its depth and the view there is twice as wide.
    for (const Camera camera : {Camera{4000, 1}, Camera{9000, 1}, Camera{1500, 0.0001f}}) {
        game.loop.viewHeight = camera.viewHeight;
        game.loop.nearScale = camera.nearScale;
        const float seenHalfHeight = camera.viewHeight / 2 * (1 + 1 / (camera.nearScale * 10000));
        WorldState world;
        fillAround(world, player.position, seenHalfHeight * game.loop.aspect, seenHalfHeight);
        const std::vector<unsigned char> whole = drawAndRead(game, world, everything);
        const std::vector<unsigned char> culled =
            drawAndRead(game, world, drawnRect(game.loop, player.position));
        EXPECT_TRUE(litAtEachEdge(whole)) << camera.viewHeight;
        EXPECT_TRUE(whole == culled) << camera.viewHeight << " " << camera.nearScale;
        // Alone and far out of view, a ring must still leave its colour for the ships after it.
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers = {new TShockwave(200, 0, 2000, point{-90000, -90000})};
        EXPECT_TRUE(drawAndRead(game, world, everything) ==
                    drawAndRead(game, world, drawnRect(game.loop, player.position)));
        delete world.timers.front();
        // Every shot out of view leaves the state as drawing them all would.
        world.projectiles.erase(std::next(world.projectiles.begin()), world.projectiles.end());
        world.projectiles.front().position = point{-90000, -90000};
        EXPECT_EQ(leftByShots(world, everything),
                  leftByShots(world, drawnRect(game.loop, player.position)));
    }
}
