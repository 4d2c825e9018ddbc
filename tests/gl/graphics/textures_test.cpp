// The texture table decoded and uploaded into the real GL context, from the generated sprites and
// from scratch directories holding chosen files.
#include <GL/glew.h>
#include <SOIL/SOIL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "graphics/sprite_decoder.h"
#include "graphics/textures.h"
#include "scratch_dir.h"

namespace {

// Disturbs everything the loader must leave in a known state, so that the checks can fail.
void disturbState() {
    for (unsigned int& name : textures)
        name = 0;
    GLuint stray;
    glGenTextures(1, &stray);
    glBindTexture(GL_TEXTURE_2D, stray);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glDisable(GL_TEXTURE_2D);
}

std::vector<std::string> loadCapturingLines() {
    disturbState();
    testing::internal::CaptureStdout();
    loadTextures();
    std::fflush(stdout);
    std::istringstream text(testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

void expectEndState() {
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint mode = 0, bound = -1;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(bound, 0);
}

GLint parameter(unsigned int texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

GLint levelWidth(unsigned int texture) {
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glBindTexture(GL_TEXTURE_2D, 0);
    return width;
}

// A mipmap level's texels as RGBA; empty when the level does not exist.
std::vector<unsigned char> levelTexels(unsigned int texture, int level) {
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!pixels.empty())
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

// The first texel of level 0, which is the picture's bottom-left after the vertical flip.
std::vector<unsigned char> firstTexel(unsigned int texture) {
    const std::vector<unsigned char> pixels = levelTexels(texture, 0);
    return {pixels.begin(), pixels.begin() + 4};
}

// A 3 x 2 picture, red on top and blue below: neither side a power of two in width, so the two
// flag sets give different texture widths, and the rows show whether the picture was flipped.
void writeProbe(const ScratchDir& dir, const std::string& name) {
    const unsigned char pixels[] = {255, 0, 0,   255, 255, 0, 0,   255, 255, 0, 0,   255,
                                    0,   0, 255, 255, 0,   0, 255, 255, 0,   0, 255, 255};
    const std::string path = dir.path(name);
    const bool tga = name.size() > 4 && name.compare(name.size() - 4, 4, ".tga") == 0;
    ASSERT_TRUE(tga ? stbi_write_tga(path.c_str(), 3, 2, 4, pixels)
                    : stbi_write_png(path.c_str(), 3, 2, 4, pixels, 12));
}

std::string quotedFailure(const std::string& shownName, const std::string& reason) {
    return "SOIL loading error on " + shownName + ": '" + reason + "'";
}

// What the sprite decoder says about a file it refuses.
std::string reasonFor(const std::string& path) {
    DecodedSprite sprite;
    std::string reason;
    EXPECT_FALSE(decodeSpriteFile(path, spriteSideLimit, sprite, reason)) << path;
    return reason;
}

} // namespace

TEST(TextureTable, LoadsEveryGeneratedSpriteSilentlyWithOnlyTheDustRepeating) {
    InDirectory runtime(ORRISK_RUNTIME_DIR);
    EXPECT_TRUE(loadCapturingLines().empty());
    for (int slot = 0; slot < textureCount; ++slot) {
        EXPECT_NE(textures[slot], 0u) << textureFiles[slot];
        EXPECT_TRUE(glIsTexture(textures[slot])) << textureFiles[slot];
        for (int other = 0; other < slot; ++other)
            EXPECT_NE(textures[slot], textures[other]) << textureFiles[slot];
        // GL's own default is to repeat; SOIL clamps unless told otherwise.
        const bool dust = slot == texDust;
        EXPECT_EQ(parameter(textures[slot], GL_TEXTURE_WRAP_S) == GL_REPEAT, dust);
        EXPECT_EQ(parameter(textures[slot], GL_TEXTURE_WRAP_T) == GL_REPEAT, dust);
    }
    expectEndState();
}

TEST(TextureTable, EveryFileMissingGivesOneLinePerSlotInOrderAndNoTextures) {
    ScratchDir empty;
    InDirectory inEmpty(empty.root);
    const std::vector<std::string> lines = loadCapturingLines();
    const std::string reason = reasonFor(empty.path("player.png"));
    ASSERT_FALSE(reason.empty());
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], quotedFailure("player.png", reason));
    EXPECT_EQ(lines[9], quotedFailure("dust.png", reason));
    EXPECT_EQ(lines[15], quotedFailure("dotTriad.png", reason));
    EXPECT_EQ(lines[16], quotedFailure("diamondParticle", reason));
    EXPECT_EQ(lines[17], quotedFailure("flame.tga", reason));
    EXPECT_EQ(lines[18], quotedFailure("wormhole1.tga", reason));
    EXPECT_EQ(lines[19], "SOIL loading error on map.png: " + reason);
    EXPECT_EQ(lines[20], "SOIL loading error on whiteDot.png: " + reason);
    for (int slot = 0; slot < textureCount; ++slot) {
        if (slot != texDiamondParticle && slot < texMap) {
            EXPECT_EQ(lines[slot], quotedFailure(textureFiles[slot], reason));
        }
        EXPECT_EQ(textures[slot], 0u) << textureFiles[slot];
    }
    expectEndState();
}

TEST(TextureTable, FlagsRescaleAndMipmapTheSpritesButNotTheLastFour) {
    ScratchDir dir;
    for (const char* name : textureFiles)
        writeProbe(dir, name);
    InDirectory inDir(dir.root);
    EXPECT_TRUE(loadCapturingLines().empty());
    for (int slot = 0; slot < textureCount; ++slot) {
        const bool scaled = slot < texFlame;
        EXPECT_EQ(levelWidth(textures[slot]), scaled ? 4 : 3) << textureFiles[slot];
        const GLint minFilter = parameter(textures[slot], GL_TEXTURE_MIN_FILTER);
        EXPECT_EQ(minFilter != GL_LINEAR && minFilter != GL_NEAREST, scaled) << textureFiles[slot];
        // Flipped on upload: the bottom row, blue, comes first.
        const std::vector<unsigned char> texel = firstTexel(textures[slot]);
        EXPECT_EQ(texel[0], 0) << textureFiles[slot];
        EXPECT_EQ(texel[2], 255) << textureFiles[slot];
    }
}

TEST(TextureTable, OneBadFileLeavesTheOtherSlotsAloneAndAMissingDustSetsNoRepeat) {
    ScratchDir dir;
    for (const char* name : textureFiles)
        writeProbe(dir, name);
    dir.write("map.png", "this is not a picture");
    std::remove(dir.path("dust.png").c_str());
    InDirectory inDir(dir.root);
    const std::string missing = reasonFor(dir.path("dust.png"));
    const std::string reason = reasonFor(dir.path("map.png"));
    ASSERT_NE(reason, missing);
    const std::vector<std::string> lines = loadCapturingLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], quotedFailure("dust.png", missing));
    EXPECT_EQ(lines[1], "SOIL loading error on map.png: " + reason);
    for (int slot = 0; slot < textureCount; ++slot) {
        EXPECT_EQ(textures[slot] == 0, slot == texDust || slot == texMap) << textureFiles[slot];
        if (textures[slot] != 0) {
            EXPECT_NE(parameter(textures[slot], GL_TEXTURE_WRAP_S), GL_REPEAT);
        }
    }
    expectEndState();
}

// The side bound is the smaller of the driver's largest texture and 8192: with a limit below a
// picture's side, even a small valid picture is refused, naming that limit.
TEST(SpriteDecoder, ASideBeyondTheDriversLimitIsRefusedNamingThatLimit) {
    ScratchDir dir;
    writeProbe(dir, "probe.png");
    DecodedSprite sprite;
    std::string reason;
    EXPECT_TRUE(decodeSpriteFile(dir.path("probe.png"), 3, sprite, reason)) << reason;
    EXPECT_FALSE(decodeSpriteFile(dir.path("probe.png"), 2, sprite, reason));
    EXPECT_EQ(reason, "picture too large: 3 x 2, sides up to 2");
}

// Today's loader read the file through SOIL itself; every shipped sprite must come out the same.
TEST(TextureTable, ShippedSpritesGiveTheSameTexelsAsLoadingThroughSoil) {
    InDirectory runtime(ORRISK_RUNTIME_DIR);
    EXPECT_TRUE(loadCapturingLines().empty());
    for (int slot = 0; slot < textureCount; ++slot) {
        const unsigned int flags =
            slot < texFlame ? SOIL_FLAG_POWER_OF_TWO | SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y
                            : SOIL_FLAG_INVERT_Y;
        const unsigned int old =
            SOIL_load_OGL_texture(textureFiles[slot], SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, flags);
        ASSERT_NE(old, 0u) << textureFiles[slot];
        for (int level = 0; level < 3; ++level) {
            const std::vector<unsigned char> expected = levelTexels(old, level);
            EXPECT_TRUE(levelTexels(textures[slot], level) == expected)
                << textureFiles[slot] << " level " << level;
            EXPECT_EQ(expected.empty(), level > 0 && slot >= texFlame) << textureFiles[slot];
        }
        glDeleteTextures(1, &old);
    }
}
