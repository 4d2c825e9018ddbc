#pragma once
#include <cstddef>

#include "core/geometry.h"
#include "hud/hud_layout.h"

struct WorldState;
struct PredictedPath;
class Font;
class Player;
class Wormhole;

// The flight aids (H): what the ship is doing and where the way out is. Nothing is drawn while
// they are off; the caller only calls these while they are on.

// A line from the ship along its velocity, in world coordinates (the camera's projection): a
// unit per ms is velocityLineScale units long, and no longer than maxLength.
constexpr float velocityLineScale = 1000;
void drawVelocityLine(const Player& player, float maxLength);

// What the aids tell a pilot about the ship and the chosen gate.
struct AidReadings {
    point gateDirection; // unit vector from the ship towards the gate (the arrow)
    float gateDistance;  // game units between the ship's centre and the gate's
    float closingSpeed;  // units/ms at which that distance shrinks (negative: it grows)
    float speed;         // the ship's speed, units/ms
    float heading;       // radians, the ring's tick
};
AidReadings readAids(const Player& ship, const Wormhole& gate);

// The gate's label, "to Tallow 22.8k" (below a thousand units the whole number), and the line
// under it, "closing 0.84/ms"; the ship's speed, "speed 0.84 units/ms".
void formatGateLabel(char* out, size_t size, const char* leadsTo, float distance);
void formatClosing(char* out, size_t size, float closingSpeed);
void formatSpeed(char* out, size_t size, float speed);

// The chosen gate, in window pixels with y upwards: a marker on it, or on the view's edge towards
// it when it is off screen, labelled with where it leads, how far it is and the closing speed.
// viewHeight is the game units the window's height shows. The label rises clear of keepOut (the
// status lines).
void drawGateMarker(Font& font, const AidReadings& aids, const char* leadsTo, float viewHeight,
                    const HudRect& keepOut = HudRect{});

// The ship's speed, under the system's name, on the baseline y.
TextExtent measureSpeed(const Font& font, float speed);
void drawSpeed(Font& font, float speed, float y);

// A ring round the ship at the window's centre with a tick along its heading, the same size at
// any zoom; in window pixels.
void drawShipRing(float heading);

// The predicted path as dots, in world coordinates.
void drawPredictedPath(const PredictedPath& path);

// The system's star by name, under the arrival name.
void drawSystemName(Font& font, const WorldState& world);

// The name of system `index`: its first star's, or "system N" when it has none. Kept in a buffer
// that the next call overwrites.
const char* systemName(const WorldState& world, int index);

// Where a marker towards offset (game units from the ship, which sits at the window's centre)
// goes in window pixels: the point itself when it lies inside the box the margins leave (a
// wider one at the top, for the panels), else the box's edge along the way to it.
point edgeMarker(point offset, float pixelsPerUnit, float width, float height, float margin,
                 float topMargin);
