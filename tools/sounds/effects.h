#pragma once
#include "synth.h"

// One function per sound file; each returns finished samples from -1 to 1.
Wave thrustLoop();
Wave reverseLoop();
Wave laserLoop();
Wave bulletShot();
Wave shellLaunch();
Wave shockwaveBurst();
Wave enemyExplosion();
Wave ramOnShip();
Wave landing();
Wave crashLanding();
Wave takeOff();
Wave wormholeJump();
Wave arrival();
