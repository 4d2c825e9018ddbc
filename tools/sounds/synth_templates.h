#pragma once
#include <cmath>

template <typename Cutoff> void lowPassSweep(Wave& wave, Cutoff cutoff) {
    float y = 0;
    const double n = static_cast<double>(wave.size());
    for (size_t i = 0; i < wave.size(); ++i) {
        const double hz = cutoff(static_cast<double>(i) / n);
        const float a = static_cast<float>(1 - std::exp(-2 * M_PI * hz / sampleRate));
        y += a * (wave[i] - y);
        wave[i] = y;
    }
}

template <typename Hz> Wave tone(int length, Shape shape, Hz hz) {
    Wave wave(static_cast<size_t>(length));
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        const double p = phase - std::floor(phase);
        float v = 0;
        switch (shape) {
        case Shape::sine:
            v = static_cast<float>(std::sin(2 * M_PI * p));
            break;
        case Shape::square:
            v = p < 0.5 ? 1.0f : -1.0f;
            break;
        case Shape::saw:
            v = static_cast<float>(2 * p - 1);
            break;
        }
        wave[static_cast<size_t>(i)] = v;
        phase += hz(static_cast<double>(i) / length) / sampleRate;
    }
    return wave;
}

template <typename Gain> void shapeBy(Wave& wave, Gain gain) {
    const double n = static_cast<double>(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        wave[i] *= static_cast<float>(gain(static_cast<double>(i) / n));
}
