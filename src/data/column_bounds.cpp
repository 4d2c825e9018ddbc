#include "data/column_bounds.h"

#include <iterator>

namespace {

constexpr float F = largestFloat;
using T = DataTable;

// A step is at most 20 ms. Positions are compared by squaring the difference of two of them in
// float, axis by axis, and summing: (2 x 1e18)^2 x 2 = 8e36 stays below float's 3.4e38.
constexpr float coordinate = 1e18f;
// What a step adds to a velocity moves a ship by 20 ms times it, 2e16 at 1e15; the field's edge
// stops a ship's outward speed, so it cannot build up past the coordinate bound.
constexpr float perStep = 1e15f;
// A body pulls a ship at its surface by 8.4e-5 x radius x density a step; both at 1e10 keep that
// pull, and the move it gives, within the coordinate bound, and its reach (10 x radius x
// density) finite.
constexpr float bodySize = 1e10f;
// A take-off spends the time S was held on the ground as thrust: an hour of it (3.6e6 ms) at
// 1e10 still moves a step less than the coordinate bound.
constexpr float thrust = 1e10f;
// A step turns an angle by at most 20 ms x rate. The angle is wrapped whenever the step is small
// against it (16 float spacings or more), so it never grows past some 2^20 steps: 2.1e36
// radians at 1e29, finite in degrees too; at 1e36 a held turn reaches infinity in 17 steps.
constexpr float rate = 1e29f;
constexpr float angle = 1e38f;
// Hit points lose at most 20 x damage a step: a day of steady hits (8.64e7 ms) at 1e30 takes
// 8.64e37, which leaves hit points of up to 2e38 below 3.4e38.
constexpr float damage = 1e30f;
constexpr float hitPoints = 2e38f;

const char* const coordinateWhy = "two positions' difference is squared in float";
const char* const bodyWhy = "the pull at the surface grows with radius x density";
const char* const rateWhy =
    "a step adds 20 ms x rate to an angle, and past 1e29 the angle outgrows the wrap";
const char* const angleWhy = "a step's turn is added to it";
const char* const hitWhy = "hits add up over a day of play";
constexpr float infinity = std::numeric_limits<float>::infinity();
const char* const outsideField = "outside the field: the next step puts the ship on its edge";
const char* const densitySlip =
    "a negative density pushes ships away; above 100 it pulls far harder than any shipped body";

constexpr float field = 100000;

const ColumnBound bounds[] = {
    {T::weapons, 0, -F, F,
     "truncated to whole ms, saturating at 2147483647: such a weapon waits 24.8 days", 0, F,
     "a negative reload fires every step the key is held"},
    {T::weapons, 1, -1e17f, 1e17f,
     "a step and a bounce move a shot 60 x speed, and the hit test squares that in float", -F, F,
     nullptr},
    {T::weapons, 2, -F, F,
     "truncated to whole ms, saturating; it only runs down while not negative", -F, F, nullptr},
    {T::weapons, 3, -damage, damage, hitWhy, -F, F, nullptr},

    {T::ships, 0, -F, F, "truncated, saturating; only 1, 2 and 3 steer", -F, F, nullptr},
    {T::ships, 1, -perStep, perStep, "added to the velocity every step", -F, F, nullptr},
    {T::ships, 2, -infinity, infinity,
     "it only ever scales a velocity down; infinity sets no limit, as a negative value does", -F, F,
     nullptr},
    {T::ships, 3, -hitPoints, hitPoints, hitWhy, -F, F, nullptr},
    {T::ships, 4, -damage, damage, hitWhy, -F, F, nullptr},

    {T::player, 0, -coordinate, coordinate, coordinateWhy, -field, field, outsideField},
    {T::player, 1, -coordinate, coordinate, coordinateWhy, -field, field, outsideField},
    {T::player, 2, -thrust, thrust, "a take-off adds hours of charge to a step's thrust", -F, F,
     nullptr},
    {T::player, 3, -perStep, perStep, "added to the velocity every step", -F, F, nullptr},
    {T::player, 4, -rate, rate, rateWhy, -F, F, nullptr},
    {T::player, 5, -hitPoints, hitPoints, hitWhy, -F, F, nullptr},
    {T::player, 6, -coordinate, coordinate,
     "a landed ship stands a planet's radius plus its own away", -F, F, nullptr},

    {T::stars, 1, -coordinate, coordinate, coordinateWhy, -F, F, nullptr},
    {T::stars, 2, -coordinate, coordinate, coordinateWhy, -F, F, nullptr},
    {T::stars, 3, -bodySize, bodySize, bodyWhy, -F, F, nullptr},
    {T::stars, 4, -bodySize, bodySize, bodyWhy, 0, 100, densitySlip},
    {T::stars, 5, -infinity, infinity, "read by nothing", -F, F, nullptr, true},

    {T::planets, 1, -bodySize, bodySize, bodyWhy, -F, F, nullptr},
    {T::planets, 2, -bodySize, bodySize, bodyWhy, 0, 100, densitySlip},
    // Star plus orbit stays within twice the coordinate bound: (4e18)^2 x 2 is still finite.
    {T::planets, 3, -coordinate, coordinate, "added to the star's position", 0, F,
     "a negative orbit radius puts the planet on the far side of its orbit"},
    {T::planets, 4, -rate, rate, rateWhy, -F, F, nullptr},
    {T::planets, 5, -angle, angle, angleWhy, -F, F, nullptr},
    {T::planets, 6, -rate, rate, rateWhy, -F, F, nullptr},
    {T::planets, 7, -angle, angle, angleWhy, -F, F, nullptr},

    {T::wormholes, 1, -coordinate, coordinate, coordinateWhy, -F, F, nullptr},
    {T::wormholes, 2, -coordinate, coordinate, coordinateWhy, -F, F, nullptr},
    {T::wormholes, 3, -coordinate, coordinate, "compared with a distance", -F, F, nullptr},
    {T::wormholes, 5, -coordinate, coordinate, coordinateWhy, -field, field, outsideField},
    {T::wormholes, 6, -coordinate, coordinate, coordinateWhy, -field, field, outsideField},
};

} // namespace

const ColumnBound* columnBoundsBegin() {
    return std::begin(bounds);
}

const ColumnBound* columnBoundsEnd() {
    return std::end(bounds);
}

const ColumnBound* boundOf(DataTable table, size_t column) {
    for (const ColumnBound& bound : bounds)
        if (bound.table == table && static_cast<size_t>(bound.column) == column)
            return &bound;
    return nullptr;
}
