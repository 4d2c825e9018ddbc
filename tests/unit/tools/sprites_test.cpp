// The sprite generator run as the build runs it, and the pictures it paints read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "scratch_dir.h"

namespace {

const std::string generator = std::string(ORRISK_RUNTIME_DIR) + "/../tools/sprites/orrisk-sprites";

const std::vector<std::string> spriteNames = {
    "player.png",    "mouse.png",           "enemy.png",      "explosion.png",       "laser.png",
    "bulletDot.png", "fragment.png",        "blast.png",      "shockwaveBullet.png", "dust.png",
    "mars.png",      "radar.png",           "enemyRadar.png", "playerRadar.png",     "bluestar.png",
    "dotTriad.png",  "diamondParticle.png", "flame.tga",      "wormhole1.tga",       "map.png",
    "whiteDot.png"};

int runGenerator(const std::string& arguments) {
    return std::system(("'" + generator + "' " + arguments + " 2>/dev/null").c_str());
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    // (x, y) with y = 0 the top row, channel 3 the alpha.
    int at(int x, int y, int channel) const { return rgba[(y * width + x) * 4 + channel]; }
    int alpha(int x, int y) const { return at(x, y, 3); }
};

Picture readPicture(const std::string& path) {
    Picture p;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &p.width, &p.height, &channels, 4);
    if (data) {
        p.rgba.assign(data, data + p.width * p.height * 4);
        stbi_image_free(data);
    }
    return p;
}

Picture sprite(const std::string& name) {
    return readPicture(std::string(ORRISK_RUNTIME_DIR) + "/" + name);
}

bool powerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// Mean of a channel over the opaque part of the picture.
double opaqueMean(const Picture& p, int channel) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.alpha(x, y) > 200) {
                sum += p.at(x, y, channel);
                ++count;
            }
    return count ? sum / count : 0;
}

int partlyCovered(const Picture& p) {
    int count = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            count += p.alpha(x, y) > 0 && p.alpha(x, y) < 255;
    return count;
}

// The topmost row that holds any opaque pixel, and the mean x of the opaque pixels there.
std::pair<int, double> topOfShape(const Picture& p) {
    for (int y = 0; y < p.height; ++y) {
        double sum = 0;
        int count = 0;
        for (int x = 0; x < p.width; ++x)
            if (p.alpha(x, y) > 128) {
                sum += x;
                ++count;
            }
        if (count)
            return {y, sum / count};
    }
    return {-1, 0};
}

void expectClearCorners(const Picture& p, const std::string& name) {
    EXPECT_EQ(p.alpha(0, 0), 0) << name;
    EXPECT_EQ(p.alpha(p.width - 1, 0), 0) << name;
    EXPECT_EQ(p.alpha(0, p.height - 1), 0) << name;
    EXPECT_EQ(p.alpha(p.width - 1, p.height - 1), 0) << name;
}

} // namespace

TEST(SpriteGenerator, WritesTheSameBytesEveryRunAsTheBuildDid) {
    ScratchDir first, second;
    ASSERT_EQ(runGenerator("'" + first.root.string() + "'"), 0);
    ASSERT_EQ(runGenerator("'" + second.root.string() + "'"), 0);
    for (const std::string& name : spriteNames) {
        const std::string bytes = bytesOf(first.path(name));
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, bytesOf(second.path(name))) << name;
        EXPECT_EQ(bytes, bytesOf(std::string(ORRISK_RUNTIME_DIR) + "/" + name)) << name;
    }
}

TEST(SpriteGenerator, WritesTheIconAtEverySizeOnARoundBadge) {
    ScratchDir dir;
    ASSERT_EQ(runGenerator("--icons '" + dir.root.string() + "'"), 0);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string name = "orrisk-" + std::to_string(size) + ".png";
        const Picture icon = readPicture(dir.path(name));
        ASSERT_EQ(icon.width, size) << name;
        ASSERT_EQ(icon.height, size) << name;
        expectClearCorners(icon, name);
        EXPECT_EQ(icon.alpha(size / 2, size / 2), 255) << name;
    }
}

TEST(Sprites, EveryFileDecodesAndTheRescaledOnesArePowersOfTwo) {
    for (std::size_t slot = 0; slot < spriteNames.size(); ++slot) {
        const Picture p = sprite(spriteNames[slot]);
        ASSERT_GT(p.width, 0) << spriteNames[slot];
        if (slot <= 16) {
            EXPECT_TRUE(powerOfTwo(p.width)) << spriteNames[slot];
            EXPECT_TRUE(powerOfTwo(p.height)) << spriteNames[slot];
        }
    }
    const Picture map = sprite("map.png");
    EXPECT_EQ(map.width, 200);
    EXPECT_EQ(map.height, 200);
}

TEST(Sprites, ShipsPointUpWithSoftEdgesAndDifferInColour) {
    for (const char* name : {"player.png", "enemy.png", "mouse.png"}) {
        const Picture p = sprite(name);
        expectClearCorners(p, name);
        EXPECT_GT(partlyCovered(p), p.width) << name << " has hard, aliased edges";
    }
    const Picture player = sprite("player.png");
    const auto [noseRow, noseX] = topOfShape(player);
    EXPECT_LT(noseRow, player.height / 10) << "the player's nose should reach the top";
    EXPECT_NEAR(noseX, player.width / 2.0, 2);
    EXPECT_EQ(player.alpha(player.width / 2 - 1, player.height - 2), 0) << "tail notch";

    const Picture enemy = sprite("enemy.png");
    EXPECT_LT(topOfShape(enemy).first, enemy.height / 10);
    EXPECT_GT(opaqueMean(player, 2), opaqueMean(player, 0)) << "the player is blue-grey";
    EXPECT_GT(opaqueMean(enemy, 0), 2 * opaqueMean(enemy, 2)) << "the enemy is red";
}

TEST(Sprites, GlowsFadeToNothingAtTheirEdges) {
    for (const char* name : {"bluestar.png", "flame.tga", "whiteDot.png", "explosion.png",
                             "bulletDot.png", "blast.png", "wormhole1.tga", "mars.png"}) {
        const Picture p = sprite(name);
        expectClearCorners(p, name);
        for (int x = 0; x < p.width; ++x)
            EXPECT_LT(p.alpha(x, 0), 8) << name << " top row, x " << x;
    }
    for (const char* name : {"bluestar.png", "flame.tga", "whiteDot.png", "mars.png"}) {
        const Picture p = sprite(name);
        EXPECT_GT(p.alpha(p.width / 2, p.height / 2), 230) << name;
    }
    const Picture mars = sprite("mars.png");
    EXPECT_GT(opaqueMean(mars, 0), opaqueMean(mars, 1));
    EXPECT_GT(opaqueMean(mars, 1), opaqueMean(mars, 2));
}

TEST(Sprites, LaserProfileIsBrightInTheMiddleAndClearAtTheSides) {
    const Picture laser = sprite("laser.png");
    const int row = laser.height / 2, middle = laser.width / 2;
    EXPECT_EQ(laser.alpha(0, row), 0);
    EXPECT_EQ(laser.alpha(laser.width - 1, row), 0);
    EXPECT_GT(laser.alpha(middle, row), 240);
    for (int x = 1; x < middle; ++x) {
        EXPECT_LE(laser.alpha(x - 1, row), laser.alpha(x, row)) << x;
        EXPECT_LE(laser.alpha(laser.width - x, row), laser.alpha(laser.width - 1 - x, row)) << x;
    }
}

TEST(Sprites, DustTilesWithoutASeamAndStaysMostlyDark) {
    const Picture dust = sprite("dust.png");
    // Difference between two neighbouring columns (or rows), wrapping around the tile.
    const auto columnStep = [&](int x0, int x1) {
        double sum = 0;
        for (int y = 0; y < dust.height; ++y)
            for (int c = 0; c < 4; ++c)
                sum += std::abs(dust.at(x0, y, c) - dust.at(x1, y, c));
        return sum / dust.height;
    };
    const auto rowStep = [&](int y0, int y1) {
        double sum = 0;
        for (int x = 0; x < dust.width; ++x)
            for (int c = 0; c < 4; ++c)
                sum += std::abs(dust.at(x, y0, c) - dust.at(x, y1, c));
        return sum / dust.width;
    };
    double inside = 0;
    for (int i = 1; i < dust.width; ++i)
        inside += columnStep(i - 1, i) + rowStep(i - 1, i);
    inside /= 2 * (dust.width - 1);
    EXPECT_LT(columnStep(dust.width - 1, 0), 1.5 * inside);
    EXPECT_LT(rowStep(dust.height - 1, 0), 1.5 * inside);

    int stars = 0;
    double alpha = 0;
    for (int y = 0; y < dust.height; ++y)
        for (int x = 0; x < dust.width; ++x) {
            stars += dust.alpha(x, y) > 120;
            alpha += dust.alpha(x, y);
        }
    EXPECT_GT(stars, 300);
    EXPECT_LT(alpha / (dust.width * dust.height), 40) << "the backdrop should be mostly clear";
}
