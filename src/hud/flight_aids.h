#pragma once
#include "core/geometry.h"
#include "hud/hud_layout.h"

struct WorldState;
class Font;
class Player;

// The flight aids (H): what the ship is doing and where the way out is. Nothing is drawn while
// they are off; the caller only calls these while they are on.

// A line from the ship along its velocity, in world coordinates (the camera's projection): a
// unit per ms is velocityLineScale units long, and no longer than maxLength.
constexpr float velocityLineScale = 1000;
void drawVelocityLine(const Player& player, float maxLength);

// Where the nearest gate of the system is, in window pixels with y upwards: a marker on it,
// or on the view's edge towards it when it is off screen, with its distance. viewHeight is the
// game units the window's height shows. The distance rises clear of keepOut (the status lines).
void drawWormholeMarker(Font& font, const WorldState& world, point ship, float viewHeight,
                        const HudRect& keepOut = HudRect{});

// The system's star by name, under the arrival name.
void drawSystemName(Font& font, const WorldState& world);

// Where a marker towards offset (game units from the ship, which sits at the window's centre)
// goes in window pixels: the point itself when it lies inside the box the margins leave (a
// wider one at the top, for the panels), else the box's edge along the way to it.
point edgeMarker(point offset, float pixelsPerUnit, float width, float height, float margin,
                 float topMargin);
