#include "sprites.h"

const std::vector<SpriteFile>& spriteFiles() {
    static const std::vector<SpriteFile> files = {
        {"player.png", paintPlayer},
        {"mouse.png", paintMouse},
        {"enemy.png", paintEnemy},
        {"explosion.png", paintExplosion},
        {"laser.png", paintLaser},
        {"bulletDot.png", paintBulletDot},
        {"fragment.png", paintFragment},
        {"blast.png", paintBlast},
        {"shockwaveBullet.png", paintShockwaveBullet},
        {"dust.png", paintDust},
        {"mars.png", paintMars},
        {"radar.png", paintRadar},
        {"enemyRadar.png", paintEnemyRadar},
        {"playerRadar.png", paintPlayerRadar},
        {"bluestar.png", paintBlueStar},
        {"dotTriad.png", paintDotTriad},
        {"diamondParticle.png", paintDiamondParticle},
        {"flame.tga", paintFlame},
        {"wormhole1.tga", paintWormhole},
        {"map.png", paintMap},
        {"whiteDot.png", paintWhiteDot},
    };
    return files;
}

const std::vector<int>& iconSizes() {
    static const std::vector<int> sizes = {16, 32, 48, 64, 128, 256};
    return sizes;
}
