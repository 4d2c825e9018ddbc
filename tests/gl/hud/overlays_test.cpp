// The scene overlays drawn in the real GL context: geometry captured through GL's feedback mode
// (window coordinates, colours and texture coordinates of every vertex), pixels read back.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "gl_context.h"
#include "graphics/textures.h"
#include "hud/overlays.h"
#include "scratch_dir.h"

namespace {

struct Vertex {
    float x, y, z;
    float r, g, b, a;
    float s, t;
};

struct Primitive {
    GLenum kind; // GL_POLYGON_TOKEN or GL_LINE_TOKEN (line resets count as lines)
    std::vector<Vertex> vertices;
};

std::vector<Primitive> captureFeedback(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> primitives;
    const auto readVertex = [&](GLint at) {
        const GLfloat* f = &buffer[at];
        return Vertex{f[0], f[1], f[2], f[4], f[5], f[6], f[7], f[8], f[9]};
    };
    constexpr GLint vertexSize = 12;
    for (GLint i = 0; i < used;) {
        const GLenum token = static_cast<GLenum>(buffer[i++]);
        Primitive p{token == GL_LINE_RESET_TOKEN ? GL_LINE_TOKEN : token, {}};
        GLint count = 1;
        if (token == GL_POLYGON_TOKEN)
            count = static_cast<GLint>(buffer[i++]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (token == GL_PASS_THROUGH_TOKEN)
            count = 0, ++i;
        for (GLint k = 0; k < count; ++k, i += vertexSize)
            p.vertices.push_back(readVertex(i));
        primitives.push_back(p);
    }
    return primitives;
}

std::vector<Vertex> polygonVertices(const std::vector<Primitive>& primitives) {
    std::vector<Vertex> all;
    for (const Primitive& p : primitives)
        if (p.kind == GL_POLYGON_TOKEN)
            all.insert(all.end(), p.vertices.begin(), p.vertices.end());
    return all;
}

// Whether some vertex lies at window position (x, y) with texture coordinates (s, t).
bool hasVertex(const std::vector<Vertex>& vertices, float x, float y, float s, float t,
               float tolerance = 0.01f) {
    for (const Vertex& v : vertices)
        if (std::abs(v.x - x) < tolerance && std::abs(v.y - y) < tolerance &&
            std::abs(v.s - s) < 1e-4f && std::abs(v.t - t) < 1e-4f)
            return true;
    return false;
}

std::vector<GLfloat> modelview() {
    std::vector<GLfloat> m(16);
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

struct Pixel {
    int r, g, b;
};

Pixel readPixel(int x, int y) {
    unsigned char rgba[4];
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

bool dark(Pixel p) {
    return p.r < 20 && p.g < 20 && p.b < 20;
}

class Overlays : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        InDirectory runtime(ORRISK_RUNTIME_DIR);
        loadTextures();
    }

    void SetUp() override {
        glViewport(0, 0, glTestWidth, glTestHeight);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(1, 1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, 0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // One game unit per pixel, the origin at the window's centre, depths down to -20000 visible.
    static void pixelOrtho(float unitsPerPixel = 1) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-640 * unitsPerPixel, 640 * unitsPerPixel, -512 * unitsPerPixel,
                512 * unitsPerPixel, -1, 20000);
        glMatrixMode(GL_MODELVIEW);
    }

    static constexpr float centreX = glTestWidth / 2.0f;
    static constexpr float centreY = glTestHeight / 2.0f;
};

TEST_F(Overlays, BackgroundLaysBothDustLayersOverTheWholeField) {
    pixelOrtho(200);
    const std::vector<GLfloat> before = modelview();
    const std::vector<Vertex> v = polygonVertices(captureFeedback(drawBackground));
    ASSERT_FALSE(v.empty());
    for (const Vertex& corner : v) {
        EXPECT_NEAR(std::abs(corner.x - centreX), 500, 0.01);
        EXPECT_NEAR(std::abs(corner.y - centreY), 500, 0.01);
    }
    // The field spans 500 pixels either side of the centre at 200 units per pixel.
    for (float repeats : {20.0f, 4.0f}) {
        EXPECT_TRUE(hasVertex(v, centreX - 500, centreY - 500, 0, 0)) << repeats;
        EXPECT_TRUE(hasVertex(v, centreX - 500, centreY + 500, 0, repeats)) << repeats;
        EXPECT_TRUE(hasVertex(v, centreX + 500, centreY + 500, repeats, repeats)) << repeats;
        EXPECT_TRUE(hasVertex(v, centreX + 500, centreY - 500, repeats, 0)) << repeats;
    }
    // The far layer lies deeper than the near one.
    const auto nearLayer =
        std::find_if(v.begin(), v.end(), [](const Vertex& x) { return x.s == 20; });
    const auto farLayer =
        std::find_if(v.begin(), v.end(), [](const Vertex& x) { return x.s == 4; });
    EXPECT_GT(farLayer->z, nearLayer->z);
    EXPECT_EQ(modelview(), before);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), textures[texDust]);
}

TEST_F(Overlays, BoundaryIsAWhiteSquareJoinedToARedOneBelowAndKeepsTheColour) {
    pixelOrtho(200);
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    std::vector<Primitive> lines = captureFeedback(drawBoundary);
    ASSERT_EQ(lines.size(), 9u);
    for (const Primitive& p : lines)
        ASSERT_EQ(p.kind, static_cast<GLenum>(GL_LINE_TOKEN));
    const Vertex start = lines.front().vertices[0];
    EXPECT_NEAR(start.x, centreX - 500, 0.01);
    EXPECT_NEAR(start.y, centreY - 500, 0.01);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i].vertices[1].b, 1.0f) << "white square, segment " << i;
    // The fifth segment joins the corners of the two squares, white to red.
    EXPECT_NEAR(lines[4].vertices[1].x, centreX - 500, 0.01);
    EXPECT_GT(lines[4].vertices[1].z, lines[4].vertices[0].z);
    for (int i = 5; i < 9; ++i) {
        EXPECT_EQ(lines[i].vertices[0].r, 1.0f) << "red square, segment " << i;
        EXPECT_EQ(lines[i].vertices[0].g, 0.0f) << "red square, segment " << i;
    }
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.2f);
    EXPECT_FLOAT_EQ(colour[1], 0.4f);
    EXPECT_FLOAT_EQ(colour[2], 0.6f);
    EXPECT_FLOAT_EQ(colour[3], 0.8f);
}

TEST_F(Overlays, MouseDrawsTheCrosshairCentredOnTheCursorAndRestoresState) {
    pixelOrtho();
    glColor4f(0, 0.7f, 0, 1);
    const std::vector<GLfloat> before = modelview();
    const std::vector<Vertex> v = polygonVertices(captureFeedback([] { drawMouse({200, 100}); }));
    EXPECT_TRUE(hasVertex(v, centreX + 170, centreY + 70, 0, 0));
    EXPECT_TRUE(hasVertex(v, centreX + 170, centreY + 130, 0, 1));
    EXPECT_TRUE(hasVertex(v, centreX + 230, centreY + 130, 1, 1));
    EXPECT_TRUE(hasVertex(v, centreX + 230, centreY + 70, 1, 0));

    drawMouse({200, 100});
    EXPECT_EQ(modelview(), before);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    const int x = static_cast<int>(centreX) + 200, y = static_cast<int>(centreY) + 100;
    // The centre dot and the ring show in the cursor's green; the gaps and the world stay dark.
    for (Pixel p : {readPixel(x, y), readPixel(x + 18, y), readPixel(x, y - 18)}) {
        EXPECT_GT(p.g, 120);
        EXPECT_LT(p.r, 20);
    }
    EXPECT_TRUE(dark(readPixel(x + 8, y + 8)));
    EXPECT_TRUE(dark(readPixel(x + 26, y + 26)));
    EXPECT_TRUE(dark(readPixel(static_cast<int>(centreX), static_cast<int>(centreY))));
}

TEST_F(Overlays, EnemyTurnsBy57Point32DegreesPerRadian) {
    pixelOrtho();
    for (float heading : {0.0f, 1.57f, 10.0f}) {
        const std::vector<Vertex> v = polygonVertices(captureFeedback([heading] {
            drawEnemy({-100, 50}, heading);
        }));
        const double angle = heading * 57.32 * 3.14159265358979 / 180;
        const auto corner = [&](float cx, float cy, float s, float t) {
            const double x = cx * std::cos(angle) - cy * std::sin(angle);
            const double y = cx * std::sin(angle) + cy * std::cos(angle);
            return hasVertex(v, static_cast<float>(centreX - 100 + x),
                             static_cast<float>(centreY + 50 + y), s, t, 0.005f);
        };
        EXPECT_TRUE(corner(-40, -40, 0, 0)) << heading;
        EXPECT_TRUE(corner(-40, 40, 0, 1)) << heading;
        EXPECT_TRUE(corner(40, 40, 1, 1)) << heading;
        EXPECT_TRUE(corner(40, -40, 1, 0)) << heading;
    }
}

} // namespace
