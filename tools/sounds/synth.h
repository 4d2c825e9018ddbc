#pragma once
// The few pieces every effect is built from: a deterministic noise source, one-pole filters,
// oscillators whose pitch glides, envelopes, and the finishing steps (level, edges, loop seam).
#include <cstdint>
#include <vector>

constexpr int sampleRate = 22050;

using Wave = std::vector<float>;

int samplesFor(double seconds);

// The same sequence on every build, so the generated files are too.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    float next();

  private:
    uint32_t state_;
};

Wave whiteNoise(int length, uint32_t seed);
// One-pole filters; cutoff(t) in Hz for t from 0 to 1 over the wave.
template <typename Cutoff> void lowPassSweep(Wave& wave, Cutoff cutoff);
void lowPass(Wave& wave, float hz);
void highPass(Wave& wave, float hz);

enum class Shape { sine, square, saw };
// An oscillator whose frequency follows hz(t), t from 0 to 1 over the wave.
template <typename Hz> Wave tone(int length, Shape shape, Hz hz);

// Multiplies by an envelope rising over attack seconds, then decaying with the time constant decay.
void percussive(Wave& wave, double attack, double decay);
// Multiplies sample by sample by gain(t), t from 0 to 1 over the wave.
template <typename Gain> void shapeBy(Wave& wave, Gain gain);

void mixInto(Wave& into, const Wave& from, float gain, int offset = 0);
// Scales the wave so its largest sample is peak (below 1: no clipping).
void normalise(Wave& wave, float peak);
// Short ramps at both ends, so a one-shot starts and stops without a click.
void softEdges(Wave& wave);
// Folds the wave's tail over its start so the last sample runs on into the first: the result is
// `length` long and loops without a seam.
Wave seamless(const Wave& wave, int length);

#include "synth_templates.h"
