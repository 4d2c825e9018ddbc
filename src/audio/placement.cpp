#include "audio/placement.h"

#include <algorithm>

Placement placeSound(point listener, point source) {
    const float d = pointDistance(listener, source);
    const float nearness = d < hearingReach ? 1 - d / hearingReach : 0;
    const float pan = std::clamp((source.x - listener.x) / panReach, -1.0f, 1.0f);
    // Squared, so loudness falls off quickly at first, as it does in the open.
    return Placement{nearness * nearness, pan};
}
