#include "synth.h"

#include <algorithm>

int samplesFor(double seconds) {
    return static_cast<int>(seconds * sampleRate + 0.5);
}

float Noise::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

Wave whiteNoise(int length, uint32_t seed) {
    Noise noise(seed);
    Wave wave(static_cast<size_t>(length));
    for (float& v : wave)
        v = noise.next();
    return wave;
}

void lowPass(Wave& wave, float hz) {
    lowPassSweep(wave, [hz](double) { return hz; });
}

void highPass(Wave& wave, float hz) {
    Wave low = wave;
    lowPass(low, hz);
    for (size_t i = 0; i < wave.size(); ++i)
        wave[i] -= low[i];
}

void percussive(Wave& wave, double attack, double decay) {
    for (size_t i = 0; i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
        wave[i] *= static_cast<float>(rise * std::exp(-std::max(0.0, t - attack) / decay));
    }
}

void mixInto(Wave& into, const Wave& from, float gain, int offset) {
    for (size_t i = 0; i < from.size(); ++i) {
        const size_t j = i + static_cast<size_t>(offset);
        if (j < into.size())
            into[j] += from[i] * gain;
    }
}

void normalise(Wave& wave, float peak) {
    float largest = 0;
    for (float v : wave)
        largest = std::max(largest, std::fabs(v));
    if (largest > 0)
        for (float& v : wave)
            v *= peak / largest;
}

void softEdges(Wave& wave) {
    const size_t ramp = std::min(wave.size() / 2, static_cast<size_t>(samplesFor(0.004)));
    for (size_t i = 0; i < ramp; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(ramp);
        wave[i] *= g;
        wave[wave.size() - 1 - i] *= g;
    }
}

Wave seamless(const Wave& wave, int length) {
    const size_t n = static_cast<size_t>(length);
    const size_t fold = wave.size() - n;
    Wave looped(wave.begin(), wave.begin() + length);
    // Equal-power crossfade: the tail past `length` fades out over the start as it fades in.
    for (size_t i = 0; i < fold; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(fold);
        looped[i] = static_cast<float>(looped[i] * std::sin(t * M_PI / 2) +
                                       wave[n + i] * std::cos(t * M_PI / 2));
    }
    return looped;
}
