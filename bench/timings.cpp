#include "timings.h"

#include <algorithm>

Timings::Timings(int frames) {
    times.reserve(static_cast<size_t>(frames));
}

double Timings::percentile(int p) const {
    if (times.empty())
        return 0;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    // Nearest rank: the smallest value with at least p percent of the frames at or below it.
    const size_t rank = (sorted.size() * static_cast<size_t>(p) + 99) / 100;
    return sorted[std::max<size_t>(rank, 1) - 1];
}
