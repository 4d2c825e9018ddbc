#include "hud/aid_readings.h"

#include <algorithm>
#include <cmath>

#include "bodies/world_state.h"
#include "graphics/window_size.h"
#include "player/player.h"

namespace {

constexpr float markerMargin = 60;
// Below the panels and the figures between them.
constexpr float markerTopMargin = 260;

// Where a marker towards offset (game units from the ship, which sits at the window's centre)
// goes in window pixels: the point itself when it lies inside the box the margins leave (a
// wider one at the top, for the panels), else the box's edge along the way to it.
point edgeMarker(point offset, float pixelsPerUnit, float width, float height, float margin,
                 float topMargin) {
    const point centre{width / 2, height / 2};
    const point pixels{offset.x * pixelsPerUnit, offset.y * pixelsPerUnit};
    // How far along the way to the gate each edge of the box cuts it; 1 or more: not before it.
    const float alongX = std::fabs(pixels.x) / (width / 2 - margin);
    const float alongY =
        std::fabs(pixels.y) / (pixels.y > 0 ? height / 2 - topMargin : height / 2 - margin);
    const float scale = std::max(alongX, alongY);
    if (scale <= 1)
        return point{centre.x + pixels.x, centre.y + pixels.y};
    return point{centre.x + pixels.x / scale, centre.y + pixels.y / scale};
}

} // namespace

AidReadings readAids(const Player& ship, const Wormhole& gate) {
    const point offset{gate.position.x - ship.position.x, gate.position.y - ship.position.y};
    const float distance = pointDistance(gate.position, ship.position);
    const point towards =
        distance > 0 ? point{offset.x / distance, offset.y / distance} : point{0, 0};
    const point v = ship.velocity;
    return AidReadings{towards, distance, v.x * towards.x + v.y * towards.y,
                       std::sqrt(v.x * v.x + v.y * v.y), ship.angle};
}

point gateMarker(const AidReadings& aids, float viewHeight) {
    const point offset{aids.gateDirection.x * aids.gateDistance,
                       aids.gateDirection.y * aids.gateDistance};
    return edgeMarker(offset, static_cast<float>(h) / viewHeight, static_cast<float>(w),
                      static_cast<float>(h), markerMargin, markerTopMargin);
}
