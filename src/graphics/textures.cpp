#include "graphics/textures.h"

#include <GL/glew.h>
#include <SOIL/SOIL.h>

#include <cstdio>
#include <string>

#include "core/report_error.h"
#include "graphics/sprite_decoder.h"

unsigned int textures[textureCount] = {};

const char* const textureFiles[textureCount] = {
    "player.png",    "mouse.png",           "enemy.png",      "explosion.png",       "laser.png",
    "bulletDot.png", "fragment.png",        "blast.png",      "shockwaveBullet.png", "dust.png",
    "mars.png",      "radar.png",           "enemyRadar.png", "playerRadar.png",     "bluestar.png",
    "dotTriad.png",  "diamondParticle.png", "flame.tga",      "wormhole1.tga",       "map.png",
    "whiteDot.png"};

namespace {

// Sprites up to the diamond particle are rescaled to power-of-two sides and mipmapped; the
// particle blob, the swirl and the two panel pictures are uploaded as they are.
constexpr int firstUnscaledSlot = texFlame;
constexpr unsigned int scaledFlags =
    SOIL_FLAG_POWER_OF_TWO | SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y;
constexpr unsigned int unscaledFlags = SOIL_FLAG_INVERT_Y;

void printLoadFailure(int slot, const char* reason) {
    if (slot == texDiamondParticle)
        std::printf("SOIL loading error on diamondParticle: '%s'\n", reason);
    else if (slot >= texMap)
        std::printf("SOIL loading error on %s: %s\n", textureFiles[slot], reason);
    else
        std::printf("SOIL loading error on %s: '%s'\n", textureFiles[slot], reason);
}

// Decodes the slot's file and uploads it with the slot's flags; 0 after printing the failure.
unsigned int loadSlot(int slot, int maxSide) {
    DecodedSprite sprite;
    std::string reason;
    if (!decodeSpriteFile(textureFiles[slot], maxSide, sprite, reason)) {
        printLoadFailure(slot, reason.c_str());
        return 0;
    }
    const unsigned int flags = slot < firstUnscaledSlot ? scaledFlags : unscaledFlags;
    const unsigned int texture =
        SOIL_create_OGL_texture(sprite.pixels.data(), sprite.width, sprite.height, sprite.channels,
                                SOIL_CREATE_NEW_ID, flags);
    if (texture == 0)
        printLoadFailure(slot, SOIL_last_result());
    return texture;
}

} // namespace

void loadTextures() {
    glEnable(GL_TEXTURE_2D);
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    for (int slot = 0; slot < textureCount; ++slot) {
        textures[slot] = loadSlot(slot, maxSide);
        if (textures[slot] == 0)
            continue;
        glBindTexture(GL_TEXTURE_2D, textures[slot]);
        // The backdrop is tiled by texture coordinates far beyond 0 to 1.
        if (slot == texDust) {
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, 10497.0f);
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, 10497.0f);
        }
    }
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    reportError();
    glBindTexture(GL_TEXTURE_2D, 0);
}
