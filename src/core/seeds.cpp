#include "core/seeds.h"

#include <ctime>

std::function<unsigned()> seedSource = [] { return static_cast<unsigned>(std::time(nullptr)); };
std::function<void(unsigned)> seedTaken;

unsigned takeSeed() {
    const unsigned seed = seedSource();
    if (seedTaken)
        seedTaken(seed);
    return seed;
}
