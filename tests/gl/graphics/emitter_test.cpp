#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "gl_context.h"
#include "graphics/emitter.h"
#include "graphics/textures.h"
#include "scratch_dir.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

std::string shippedAsset(const std::string& name) {
    std::ifstream in(std::string(ORRISK_SOURCE_DIR) + "/assets/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A soft white disc with alpha, like the flame sprite: particles need a shape to show.
unsigned int softDiscTexture() {
    constexpr int size = 32;
    unsigned char pixels[size * size * 4];
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float r = std::hypot(x + 0.5f - size / 2.0f, y + 0.5f - size / 2.0f) / (size / 2);
            unsigned char* p = pixels + 4 * (y * size + x);
            p[0] = p[1] = p[2] = 255;
            p[3] = static_cast<unsigned char>(255 * std::max(0.0f, 1 - r));
        }
    unsigned int texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return texture;
}

ParameterSet emitterSet(float layers, float program) {
    ParameterSet set(12, std::vector<float>{1});
    set[0] = {layers};
    set[11] = {program};
    return set;
}

// Where the lit pixels of the frame lie, in game units of a 1-unit-per-pixel view centred on 0.
struct LitArea {
    int count = 0;
    float sumX = 0, sumY = 0, maxDistance = 0;
    float meanX() const { return count ? sumX / count : 0; }
    float meanY() const { return count ? sumY / count : 0; }
};

LitArea readLitArea() {
    std::vector<unsigned char> pixels(glTestWidth * glTestHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, glTestWidth, glTestHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    LitArea area;
    for (int y = 0; y < glTestHeight; ++y)
        for (int x = 0; x < glTestWidth; ++x) {
            const unsigned char* p = &pixels[3 * (y * glTestWidth + x)];
            if (p[0] + p[1] + p[2] < 60)
                continue;
            const float gx = x + 0.5f - glTestWidth / 2.0f;
            const float gy = y + 0.5f - glTestHeight / 2.0f;
            ++area.count;
            area.sumX += gx;
            area.sumY += gy;
            area.maxDistance = std::max(area.maxDistance, std::hypot(gx, gy));
        }
    return area;
}

class EmitterGl : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"shader0.vs", "shader0.fs", "shader1.vs", "shader1.fs"})
            dir.write(name, shippedAsset(name));
        InDirectory in(dir.root);
        CaptureStdout();
        CaptureStderr();
        shaders = readShaders();
        readOutput = GetCapturedStdout();
        GetCapturedStderr();
        textures[texFlame] = softDiscTexture();

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(-glTestWidth / 2.0, glTestWidth / 2.0, -glTestHeight / 2.0, glTestHeight / 2.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        // The frame loop leaves the world colour red; the particles must not depend on it.
        glColor4f(1, 0, 0, 1);
    }
    void TearDown() override {
        glDeleteTextures(1, &textures[texFlame]);
        shaders.clear();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    Emitter quietEmitter(EmitterFile sets) {
        CaptureStdout();
        Emitter emitter(std::move(sets));
        GetCapturedStdout();
        return emitter;
    }

    float uniform(unsigned int program, const char* name) {
        float value = -1;
        glGetUniformfv(program, glGetUniformLocation(program, name), &value);
        return value;
    }

    LitArea drawFlame(float thrust, float degrees) {
        glClear(GL_COLOR_BUFFER_BIT);
        Emitter flame = quietEmitter({emitterSet(160, 0)});
        flame.updateValue(thrust, 1);
        flame.update(1234, {0, 0}, degrees, true);
        return readLitArea();
    }

    ScratchDir dir;
    std::string readOutput;
};

} // namespace

TEST_F(EmitterGl, ShippedShadersCompileAndLinkWithoutLogs) {
    EXPECT_EQ(
        readOutput,
        "File 'shader0.vs' is " + std::to_string(shippedAsset("shader0.vs").size()) +
            " long\nFile 'shader0.fs' is " + std::to_string(shippedAsset("shader0.fs").size()) +
            " long\nReading shader 1\nFile 'shader1.vs' is " +
            std::to_string(shippedAsset("shader1.vs").size()) + " long\nFile 'shader1.fs' is " +
            std::to_string(shippedAsset("shader1.fs").size()) +
            " long\nReading shader 2\nShaders read: 2\n");
    ASSERT_EQ(shaders.size(), 2u);
    for (unsigned int program : shaders) {
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
    }
    EXPECT_TRUE(shaderProblems.empty());
}

TEST_F(EmitterGl, MissingFragmentFileIsRecordedAndNeverCompiled) {
    ScratchDir lonely;
    lonely.write("shader0.vs", shippedAsset("shader0.vs"));
    lonely.write("shader0.fs", "");
    lonely.write("shader1.vs", shippedAsset("shader1.vs"));
    InDirectory in(lonely.root);
    CaptureStdout();
    CaptureStderr();
    const std::vector<unsigned int> programs = readShaders();
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(GetCapturedStderr(), "Can't open file 'shader1.fs' for reading\n");
    EXPECT_EQ(programs.size(), 1u) << "the empty fragment source keeps its program's place";
    EXPECT_NE(out.find("File 'shader0.fs' is 0 long\n"), std::string::npos);
    EXPECT_NE(out.find("Shaders read: 1\n"), std::string::npos);
    EXPECT_EQ(shaderProblems, (std::vector<std::string>{
                                  "shader0.fs: does not compile as a fragment shader",
                                  "shader1.fs: missing; shader1.vs needs its fragment shader"}));
}

TEST_F(EmitterGl, UniformLocationsFollowTheProgramsLayout) {
    const Emitter flame = quietEmitter({emitterSet(10, 0)});
    const Emitter swirl = quietEmitter({emitterSet(10, 1)});
    auto location = [](unsigned int program, const char* name) {
        return glGetUniformLocation(program, name);
    };
    EXPECT_EQ(flame.uniformLocations, (std::vector<int>{location(shaders[0], "time_0_X"),
                                                        location(shaders[0], "particleHCthrust"),
                                                        location(shaders[0], "Flame")}));
    EXPECT_EQ(swirl.uniformLocations,
              (std::vector<int>{location(shaders[1], "time_0_X"), location(shaders[1], "Flame"),
                                location(shaders[1], "particleSystemHeight")}));
    for (const Emitter* emitter : {&flame, &swirl})
        for (int found : emitter->uniformLocations)
            EXPECT_NE(found, -1) << "every input is used by the shipped shaders";
    GLint unit = -1;
    glGetUniformiv(shaders[1], swirl.uniformLocations[1], &unit);
    EXPECT_EQ(unit, 0);
}

TEST_F(EmitterGl, ControlValuesAndTheClockReachTheirUniforms) {
    Emitter flame = quietEmitter({emitterSet(4, 0)});
    Emitter swirl = quietEmitter({emitterSet(4, 1)});
    flame.updateValue(0.75f, 1);
    swirl.updateValue(250, 2);
    EXPECT_FLOAT_EQ(uniform(shaders[0], "particleHCthrust"), 0.75f);
    EXPECT_FLOAT_EQ(uniform(shaders[1], "particleSystemHeight"), 250);

    flame.update(1000, {5, 5}, 30, true);
    flame.update(500, true);
    EXPECT_FLOAT_EQ(uniform(shaders[0], "time_0_X"), 1.5f);
    swirl.updateValue(9, 0);
    EXPECT_FLOAT_EQ(uniform(shaders[1], "time_0_X"), 9) << "until the next update";
    swirl.update(250, true);
    EXPECT_FLOAT_EQ(uniform(shaders[1], "time_0_X"), 0.25f);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

TEST_F(EmitterGl, FlameStreamsBehindAndGrowsWithThrust) {
    const LitArea idle = drawFlame(0, 0);
    const LitArea thrusting = drawFlame(1, 0);
    EXPECT_GT(idle.count, 50) << "a pilot glow while idle";
    EXPECT_GT(thrusting.count, 4 * idle.count);
    EXPECT_GT(thrusting.meanY(), 60) << "unturned, the plume runs along +y";
    EXPECT_LT(std::abs(thrusting.meanX()), 20);
    EXPECT_GT(thrusting.maxDistance, 250);
    EXPECT_LT(thrusting.maxDistance, 500);

    const LitArea turned = drawFlame(1, 90);
    EXPECT_LT(turned.meanX(), -60) << "turned a quarter counter-clockwise, it runs along -x";
    EXPECT_LT(std::abs(turned.meanY()), 20);
}

TEST_F(EmitterGl, SwirlSurroundsItsCentreAndFollowsTheRadius) {
    auto drawSwirl = [&](float radius) {
        glClear(GL_COLOR_BUFFER_BIT);
        Emitter swirl = quietEmitter({emitterSet(240, 1)});
        swirl.updateValue(radius, 2);
        swirl.update(987654, {0, -20}, 0, true);
        return readLitArea();
    };
    const LitArea small = drawSwirl(100);
    const LitArea large = drawSwirl(300);
    EXPECT_GT(small.count, 200);
    EXPECT_GT(large.count, 3 * small.count);
    EXPECT_LT(std::hypot(large.meanX(), large.meanY()), 40) << "centred on the position";
    EXPECT_GT(large.maxDistance, 250);
    EXPECT_LT(large.maxDistance, 420);
}

TEST_F(EmitterGl, LayerCountAndProgramGateTheDrawing) {
    glClear(GL_COLOR_BUFFER_BIT);
    Emitter none = quietEmitter({emitterSet(0, 0)});
    none.updateValue(1, 1);
    none.update(100, true);
    Emitter unknown = quietEmitter({emitterSet(100, 4)});
    unknown.updateValue(1, 1);
    unknown.update(100, true);
    Emitter outOfRange = quietEmitter({emitterSet(100, 0)});
    outOfRange.updateValue(1, 7);
    EXPECT_EQ(readLitArea().count, 0);
    EXPECT_TRUE(unknown.uniformLocations.empty());
    EXPECT_EQ(unknown.elapsed, 100);
}
