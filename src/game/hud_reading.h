#pragma once
#include "core/geometry.h"
#include "hud/aid_readings.h"
#include "hud/hud_lines.h"

struct Game;
class Wormhole;

// What the HUD shows this frame, read from the world once the frame's steps are done.
struct HudReading {
    point cursor;                    // where the shots would go, in world coordinates
    const Wormhole* gate = nullptr;  // the aids' chosen gate; null while they are off
    AidReadings gateAids{};
    point gateMarker; // where its marker goes, in window pixels
    HudLines lines;
};

// Reads the HUD from the world: the cursor's target, the status lines, the flight aids' gate and
// predicted path, and every text. Nothing here draws.
void readHud(Game& game);
