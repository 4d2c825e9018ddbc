// What the timed effects, the beam and the trail send to a real GL context, captured through GL's
// feedback mode in window coordinates (one game unit per pixel here).
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "bodies/world_state.h"
#include "combat/timers.h"
#include "data/weapon_ship_tables.h"
#include "gl_context.h"
#include "player/player.h"

namespace {

// Every vertex of every primitive drawn, as x, y, z, r, g, b, a; the driver may hand a quad
// back as two triangles, so shapes are measured by their vertices' bounds.
using Vertices = std::vector<std::vector<GLfloat>>;

Vertices capture(const std::function<void()>& draw, GLenum wanted) {
    static std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    Vertices found;
    for (GLint i = 0; i < used;) {
        const GLenum token = static_cast<GLenum>(buffer[i++]);
        const bool line = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
        const GLint count = token == GL_POLYGON_TOKEN ? static_cast<GLint>(buffer[i++]) : 2;
        for (GLint k = 0; k < count; ++k, i += 7)
            if ((line ? GL_LINE_TOKEN : GL_POLYGON_TOKEN) == wanted)
                found.emplace_back(&buffer[i], &buffer[i + 7]);
    }
    return found;
}

// The largest distance of the vertices from a centre along x and along y.
std::pair<float, float> reach(const Vertices& vertices, size_t first, size_t last, point c) {
    float x = 0, y = 0;
    for (size_t i = first; i < last; ++i) {
        x = std::max(x, std::fabs(vertices[i][0] - c.x));
        y = std::max(y, std::fabs(vertices[i][1] - c.y));
    }
    return {x, y};
}

class CombatDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, glTestWidth, 0, glTestHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor4f(1, 1, 1, 1);
        WEAPONDATA = {{200, 2, 1000, 10}, {0, 0, 0, 0.5f}, {700, 1, 3000, 0.1f}};
        SHIPDATA = {{0, 0, 0, 100, 0}};
    }

    WorldState world;
};

} // namespace

TEST_F(CombatDrawing, ExplosionIsTwoShrinkingQuadsTurningApart) {
    const point c{600, 500};
    TExplosion explosion(1000, 1000, c);
    // At 250 ms: half side 37.5; the first copy has turned 90 degrees, the second -45.
    const Vertices v = capture([&] { explosion.draw(1250); }, GL_POLYGON_TOKEN);
    ASSERT_TRUE(v.size() == 8u || v.size() == 12u) << v.size();
    const size_t half = v.size() / 2;
    EXPECT_NEAR(reach(v, 0, half, c).first, 37.5f, 0.01f);
    EXPECT_NEAR(reach(v, 0, half, c).second, 37.5f, 0.01f);
    EXPECT_NEAR(reach(v, half, v.size(), c).first, 37.5f * std::sqrt(2.0f), 0.01f);
}

TEST_F(CombatDrawing, ShockwaveIsTranslucentRedAndLeavesThatColourSet) {
    const point c{640, 512};
    TShockwave wave(200, 0, 2000, c);
    wave.rotation = 0;
    const Vertices v = capture([&] { wave.draw(1000); }, GL_POLYGON_TOKEN);
    ASSERT_FALSE(v.empty());
    EXPECT_NEAR(reach(v, 0, v.size(), c).first, 156, 0.01f);
    EXPECT_NEAR(v[0][3], 1, 0.01f);
    EXPECT_NEAR(v[0][4], 0, 0.01f);
    EXPECT_NEAR(v[0][6], 0.3f, 0.01f);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[3], 0.3f, 0.01f);
}

TEST_F(CombatDrawing, BeamRunsFromTheShipToTheShipItHits) {
    Player player(point{200, 300}, 0.001f, 0.05f, 0.002f, 100, 50);
    world.ships.push_back(Ship(point{700, 310}, 0));
    player.weapon = 1;
    const Vertices v = capture(
        [&] {
            player.shoot(1000, world, point{300, 300}, 16);
            player.drawBeam();
        },
        GL_POLYGON_TOKEN);
    ASSERT_FALSE(v.empty());
    // Along the aim (+x), as long as the distance to the ship's centre and 20 wide; the heading's
    // quarter turn of 1.57 rather than pi/2 tilts the far end by 0.4 units.
    const auto [alongX, acrossY] = reach(v, 0, v.size(), point{200, 300});
    EXPECT_NEAR(alongX, std::hypot(500.0f, 10.0f), 0.1f);
    EXPECT_NEAR(acrossY, 10, 0.5f);
    EXPECT_FLOAT_EQ(world.ships.front().health, 92);
}

TEST_F(CombatDrawing, TrailIsOneStripFromTheOldestSampleToTheShip) {
    Trail trail(4, point{100, 100}, 100);
    trail.update(point{200, 100}, 100);
    trail.update(point{300, 100}, 100);
    const Vertices v = capture([&] { trail.draw(point{350, 120}); }, GL_LINE_TOKEN);
    // Four samples and the ship: four segments, each from one vertex to the next.
    const float xs[] = {100, 100, 200, 300, 350};
    ASSERT_EQ(v.size(), 8u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(v[2 * i][0], xs[i]) << i;
        EXPECT_FLOAT_EQ(v[2 * i + 1][0], xs[i + 1]) << i;
    }
    EXPECT_FLOAT_EQ(v[7][1], 120);
}
