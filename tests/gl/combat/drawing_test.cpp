// What the combat effects, shots, the beam and the trail send to a real GL context, captured
// through GL's feedback mode in window coordinates (one game unit per pixel here).
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "combat/projectile.h"
#include "combat/timers.h"
#include "core/world_state.h"
#include "data/weapon_ship_tables.h"
#include "gl_context.h"
#include "player/player.h"

namespace {

struct Vertex {
    float x, y;
    float r, g, b, a;
};

struct Primitive {
    bool polygon;
    std::vector<Vertex> vertices;
};

std::vector<Primitive> capture(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    constexpr GLint vertexSize = 7; // x, y, z, r, g, b, a
    std::vector<Primitive> primitives;
    for (GLint i = 0; i < used;) {
        const GLenum token = static_cast<GLenum>(buffer[i++]);
        Primitive p{token == GL_POLYGON_TOKEN, {}};
        GLint count = 1;
        if (token == GL_POLYGON_TOKEN)
            count = static_cast<GLint>(buffer[i++]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            count = 2;
        for (GLint k = 0; k < count; ++k, i += vertexSize)
            p.vertices.push_back(Vertex{buffer[i], buffer[i + 1], buffer[i + 3], buffer[i + 4],
                                        buffer[i + 5], buffer[i + 6]});
        primitives.push_back(p);
    }
    return primitives;
}

// The polygons' extents around a centre: the largest |dx| and |dy| of their vertices.
struct Extent {
    float x, y;
};

// The driver may hand a quad back as two triangles, so shapes are measured over all polygons of
// a range of the capture.
Extent extent(const std::vector<Primitive>& drawn, size_t first, size_t last, point centre) {
    Extent e{0, 0};
    for (size_t i = first; i < last; ++i) {
        EXPECT_TRUE(drawn[i].polygon) << i;
        for (const Vertex& v : drawn[i].vertices) {
            e.x = std::max(e.x, std::fabs(v.x - centre.x));
            e.y = std::max(e.y, std::fabs(v.y - centre.y));
        }
    }
    return e;
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
    void TearDown() override {
        for (TimerBase* t : world.timers)
            delete t;
    }

    WorldState world;
};

} // namespace

TEST_F(CombatDrawing, ExplosionIsTwoShrinkingQuadsTurningApart) {
    const point centre{600, 500};
    TExplosion explosion(1000, 1000, centre);
    // At 250 ms: half side 37.5; the first copy has turned 90 degrees, the second -45.
    const auto drawn = capture([&] { explosion.execute(1250, world); });
    ASSERT_TRUE(drawn.size() == 2u || drawn.size() == 4u) << drawn.size();
    const size_t half = drawn.size() / 2;
    const Extent square = extent(drawn, 0, half, centre);
    EXPECT_NEAR(square.x, 37.5f, 0.01f);
    EXPECT_NEAR(square.y, 37.5f, 0.01f);
    const Extent diamond = extent(drawn, half, drawn.size(), centre);
    EXPECT_NEAR(diamond.x, 37.5f * std::sqrt(2.0f), 0.01f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CombatDrawing, ShockwaveIsTranslucentRedAndLeavesThatColourSet) {
    const point centre{640, 512};
    TShockwave wave(200, 0, 2000, centre);
    wave.rotation = 0;
    const auto drawn = capture([&] { wave.execute(1000, world); });
    ASSERT_FALSE(drawn.empty());
    EXPECT_NEAR(extent(drawn, 0, drawn.size(), centre).x, 156, 0.01f);
    const Vertex& v = drawn[0].vertices[0];
    EXPECT_NEAR(v.r, 1, 0.01f);
    EXPECT_NEAR(v.g, 0, 0.01f);
    EXPECT_NEAR(v.a, 0.3f, 0.01f);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[3], 0.3f, 0.01f);
}

TEST_F(CombatDrawing, ShotIsAFortyUnitQuadAtItsPosition) {
    Projectile shot(point{300, 400}, 1, 0, 0.5f, world, 0, true, 1000, 0, 0);
    // Aimed along +x: its heading turns the quad by about -90 degrees, which keeps it square.
    const auto drawn = capture([&] { ASSERT_TRUE(shot.update(20, world, 0)); });
    ASSERT_FALSE(drawn.empty());
    const Extent e = extent(drawn, 0, drawn.size(), point{310, 400});
    EXPECT_NEAR(e.x, 20, 0.05f);
    EXPECT_NEAR(e.y, 20, 0.05f);
}

TEST_F(CombatDrawing, BeamRunsFromTheShipToTheShipItHits) {
    Player player(point{200, 300}, 0.001f, 0.05f, 0.002f, 100, 50);
    world.ships.push_back(Ship(point{700, 310}, 0));
    player.weapon = 1;
    const auto drawn = capture([&] { player.shoot(1000, world, point{300, 300}, 16); });
    ASSERT_FALSE(drawn.empty());
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const Primitive& p : drawn)
        for (const Vertex& v : p.vertices) {
            minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
            minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
        }
    // Along the aim (+x), as long as the distance to the ship's centre, 20 wide; the heading's
    // quarter turn of 1.57 rather than pi/2 tilts the far end by 0.4 units.
    EXPECT_NEAR(minX, 200, 0.1f);
    EXPECT_NEAR(maxX, 200 + std::hypot(500.0f, 10.0f), 0.1f);
    EXPECT_NEAR(minY, 290, 0.5f);
    EXPECT_NEAR(maxY, 310, 0.5f);
    EXPECT_FLOAT_EQ(world.ships.front().health, 92);
}

TEST_F(CombatDrawing, TrailIsOneStripFromTheOldestSampleToTheShip) {
    Trail trail(4, point{100, 100}, 100);
    trail.update(point{200, 100}, 100);
    trail.update(point{300, 100}, 100);
    const auto drawn = capture([&] { trail.draw(point{350, 120}); });
    // Four samples and the ship make four segments.
    ASSERT_EQ(drawn.size(), 4u);
    const float expected[][2] = {{100, 100}, {100, 100}, {200, 100}, {300, 100}, {350, 120}};
    for (size_t i = 0; i < drawn.size(); ++i) {
        ASSERT_FALSE(drawn[i].polygon);
        EXPECT_FLOAT_EQ(drawn[i].vertices[0].x, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(drawn[i].vertices[1].x, expected[i + 1][0]) << i;
        EXPECT_FLOAT_EQ(drawn[i].vertices[1].y, expected[i + 1][1]) << i;
    }
}
