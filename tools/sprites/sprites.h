#pragma once
#include <vector>

#include "canvas.h"

// One file of the game's texture table and the painter that draws it.
struct SpriteFile {
    const char* name;
    Image (*paint)();
};

// Every sprite the game loads, in the order of its texture slots.
const std::vector<SpriteFile>& spriteFiles();

// The sizes the desktop icon is written at.
const std::vector<int>& iconSizes();
// The player's ship on a dark round badge, size x size pixels.
Image paintIcon(int size);

// Painters, grouped by the files that hold them.
Image paintPlayer();
Image paintEnemy();
Image paintMouse();
Image paintExplosion();
Image paintLaser();
Image paintBulletDot();
Image paintFragment();
Image paintBlast();
Image paintShockwaveBullet();
Image paintDust();
Image paintMars();
Image paintRadar();
Image paintEnemyRadar();
Image paintPlayerRadar();
Image paintBlueStar();
Image paintDotTriad();
Image paintDiamondParticle();
Image paintFlame();
Image paintWormhole();
Image paintMap();
Image paintWhiteDot();
