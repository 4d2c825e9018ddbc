#pragma once
#include <vector>

#include "core/geometry.h"

class Star;

// Where a chaser at `from` heads for to reach `to` without crossing the gravity reach of a star or
// planet that lies between them: `to` itself when the straight way is clear, otherwise a point
// just outside the reach of the first body in the way, on the side the straight way passes it.
// A body beyond `to`, or one whose reach `to` sits in while the way comes from its open side, is
// not in the way.
point detourAim(point from, point to, const std::vector<Star>& stars);
