#pragma once

// Fixed texture slots; drawing code binds textures[slot].
enum TextureSlot {
    texPlayer = 0,
    texMouse = 1,
    texEnemy = 2,
    texExplosion = 3,
    texLaser = 4,
    texBulletDot = 5,
    texFragment = 6,
    texBlast = 7,
    texShockwaveBullet = 8,
    texDust = 9,
    texMars = 10,
    texRadar = 11,
    texEnemyRadar = 12,
    texPlayerRadar = 13,
    texBlueStar = 14,
    texDotTriad = 15,
    texDiamondParticle = 16,
    texFlame = 17,
    texWormhole = 18,
    texMap = 19,
    texWhiteDot = 20,
    textureCount = 21
};

extern unsigned int textures[textureCount];
// The file each slot is loaded from, in slot order.
extern const char* const textureFiles[textureCount];

void loadTextures();
