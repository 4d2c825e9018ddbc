#pragma once
#include <functional>

// The values the random generator is seeded with: the calendar time, unless a replay gives the
// ones its recording took. Every seed the game takes is passed to seedTaken, so a recording can
// keep it.
extern std::function<unsigned()> seedSource;
extern std::function<void(unsigned)> seedTaken;

unsigned takeSeed();
