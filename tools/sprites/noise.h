#pragma once
#include <cstdint>

// A small fixed-seed generator (xorshift32) so that every build writes the same bytes.
class Rng {
  public:
    explicit Rng(std::uint32_t seed) : state(seed ? seed : 1) {}
    std::uint32_t next();
    // Uniform in [0, 1).
    float uniform();
    float range(float low, float high) { return low + (high - low) * uniform(); }

  private:
    std::uint32_t state;
};

// Value noise on a lattice that repeats every `period` cells, so a picture sampled over exactly
// one period tiles without seams. x and y are in lattice cells; the result lies in [0, 1].
float periodicNoise(float x, float y, int period, std::uint32_t seed);
// Several octaves of periodicNoise, each with twice the frequency and half the weight.
float periodicFractal(float x, float y, int period, int octaves, std::uint32_t seed);
