#pragma once
#include "hud/aid_readings.h"
#include "hud/hud_layout.h"

struct HudLines;
struct PredictedPath;
class Font;
class Player;

// The flight aids (H): what the ship is doing and where the way out is. Nothing is drawn while
// they are off; the caller only calls these while they are on. Their texts, the system's name and
// the ship's speed, are the HUD's own.

// A line from the ship along its velocity, in world coordinates (the camera's projection): a
// unit per ms is velocityLineScale units long, and no longer than maxLength.
constexpr float velocityLineScale = 1000;
void drawVelocityLine(const Player& player, float maxLength);

// The predicted path as dots, in world coordinates.
void drawPredictedPath(const PredictedPath& path);

// The chosen gate, in window pixels with y upwards: a marker at `at` (see gateMarker) pointing
// towards it, labelled with lines' gate label and closing speed. The label rises clear of
// keepOut (the status lines).
void drawGateMarker(Font& font, const AidReadings& aids, point at, const HudLines& lines,
                    const HudRect& keepOut = HudRect{});

// A ring round the ship at the window's centre with a tick along its heading, the same size at
// any zoom; in window pixels.
void drawShipRing(float heading);
