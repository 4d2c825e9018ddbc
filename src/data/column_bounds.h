#pragma once
// How far each value column of the six tables may go: the magnitude beyond which the arithmetic
// the value feeds overflows. Within its bound the game plays any value as written; a value
// outside the usual span is a likely slip that orrisk-check warns about.
#include <cstddef>
#include <limits>

enum class DataTable { weapons, ships, player, stars, planets, wormholes };

struct ColumnBound {
    DataTable table;
    int column;
    float low;
    float high;
    const char* why; // what goes wrong beyond the bound
    float usualLow;
    float usualHigh;
    const char* slip; // what a value outside the usual span does; null when any is usual
    // Infinite bounds take the infinities too; a column nothing reads takes "nan" as well.
    bool readByNothing = false;
};

constexpr float largestFloat = std::numeric_limits<float>::max();

// Every value column; index columns (systems, texture slots, star rows, emitters) are not here,
// as they are checked against what they name.
const ColumnBound* columnBoundsBegin();
const ColumnBound* columnBoundsEnd();
// The bound of one column, or null for an index column.
const ColumnBound* boundOf(DataTable table, size_t column);
