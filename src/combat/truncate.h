#pragma once
#include <climits>
#include <cmath>

// Truncates toward zero like a cast, but values beyond int's range (or NaN, read as 0) saturate
// instead of being undefined: table values are typed in by hand.
inline int truncateToInt(float v) {
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0f)
        return INT_MAX;
    if (v <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(v);
}
