#include "effects.h"

#include <cmath>

// Levels: the ship's loops sit low so they can run for minutes; one-shots peak at about half of
// full scale, so the handful the game mixes at once stays clear of clipping.

namespace {

// Rumble low in pitch with a slow unsteady swell, as of a rocket heard through the hull.
// Every steady pitch or swell here goes a whole number of times round in the loop's length.
Wave rumble(double seconds, float cutoff, uint32_t seed) {
    const int n = samplesFor(seconds);
    const int fold = samplesFor(0.1);
    Wave w = whiteNoise(n + fold, seed);
    lowPass(w, cutoff);
    lowPass(w, cutoff);
    return seamless(w, n);
}

Wave boom(double seconds, double fromHz, double toHz, double decay) {
    Wave w = tone(samplesFor(seconds), Shape::sine,
                  [=](double t) { return toHz + (fromHz - toHz) * std::exp(-t * 8); });
    percussive(w, 0.002, decay);
    return w;
}

// Noise whose brightness falls as it dies away: the body of every blast.
Wave blast(double seconds, float startHz, float endHz, double decay, uint32_t seed) {
    Wave w = whiteNoise(samplesFor(seconds), seed);
    lowPassSweep(w, [=](double t) { return endHz + (startHz - endHz) * std::exp(-t * 5); });
    percussive(w, 0.003, decay);
    return w;
}

Wave finished(Wave w, float peak) {
    normalise(w, peak);
    softEdges(w);
    return w;
}

} // namespace

Wave thrustLoop() {
    const double seconds = 1.0;
    Wave w = rumble(seconds, 380, 11);
    normalise(w, 1);
    const int n = samplesFor(seconds);
    Wave hum = tone(n + samplesFor(0.1), Shape::saw, [](double) { return 55.0; });
    lowPass(hum, 400);
    mixInto(w, seamless(hum, n), 0.25f);
    shapeBy(w, [](double t) { return 0.85 + 0.15 * std::sin(2 * M_PI * 3 * t); });
    normalise(w, 0.28f);
    return w;
}

Wave reverseLoop() {
    const double seconds = 0.5;
    const int n = samplesFor(seconds);
    Wave w = whiteNoise(n + samplesFor(0.1), 23);
    lowPass(w, 2400);
    highPass(w, 900);
    w = seamless(w, n);
    shapeBy(w, [](double t) { return 0.7 + 0.3 * std::sin(2 * M_PI * 8 * t); });
    normalise(w, 0.22f);
    return w;
}

Wave laserLoop() {
    const double seconds = 0.5;
    const int n = samplesFor(seconds);
    // The filter settles over a first stretch that the seam folds away. 440 Hz with a vibrato of 6
    // whole cycles a loop: the phase meets itself at the seam.
    auto pitch = [](double t) { return 440 + 12 * std::sin(2 * M_PI * 6 * t); };
    const double lead = 0.1;
    const int fold = samplesFor(lead);
    Wave w =
        tone(n + fold, Shape::saw, [&](double t) { return pitch(t * (seconds + lead) / seconds); });
    lowPass(w, 2600);
    w = seamless(w, n);
    const Wave octave = tone(n, Shape::sine, [&](double t) { return 2 * pitch(t); });
    mixInto(w, octave, 0.35f);
    const Wave sub = tone(n, Shape::square, [](double) { return 110.0; });
    mixInto(w, sub, 0.08f);
    normalise(w, 0.2f);
    return w;
}

Wave bulletShot() {
    const int n = samplesFor(0.12);
    Wave w = tone(n, Shape::square, [](double t) { return 300 + 1300 * std::exp(-t * 6); });
    lowPass(w, 3500);
    Wave click = whiteNoise(n, 31);
    percussive(click, 0.0005, 0.006);
    mixInto(w, click, 0.6f);
    percussive(w, 0.001, 0.03);
    return finished(w, 0.3f);
}

Wave shellLaunch() {
    Wave w = boom(0.35, 170, 50, 0.08);
    Wave puff = blast(0.35, 2500, 300, 0.06, 41);
    mixInto(w, puff, 0.5f);
    return finished(w, 0.42f);
}

Wave shockwaveBurst() {
    // The ring's rush: noise swelling and brightening, then sinking away, over a short boom.
    Wave w = whiteNoise(samplesFor(1.0), 53);
    lowPassSweep(w, [](double t) { return 300 + 2200 * t * std::exp(-t * 3); });
    shapeBy(w, [](double t) { return std::sin(M_PI * std::sqrt(t)); });
    normalise(w, 1);
    const Wave thump = boom(1.0, 90, 35, 0.12);
    mixInto(w, thump, 0.6f);
    return finished(w, 0.5f);
}

Wave enemyExplosion() {
    Wave w = blast(1.2, 7000, 500, 0.25, 61);
    normalise(w, 1);
    const Wave thump = boom(1.2, 120, 40, 0.2);
    mixInto(w, thump, 0.5f);
    // Crackle: sparse sharp grains over the first half second.
    Noise dice(67);
    Wave crackle(w.size(), 0);
    for (size_t i = 0; i < crackle.size() / 2; ++i)
        if (dice.next() > 0.995f)
            crackle[i] = dice.next();
    lowPass(crackle, 6000);
    percussive(crackle, 0, 0.25);
    normalise(crackle, 1);
    mixInto(w, crackle, 0.35f);
    return finished(w, 0.5f);
}

Wave ramOnShip() {
    const int n = samplesFor(0.45);
    Wave w(static_cast<size_t>(n), 0);
    // A clang of the hull: partials that are not multiples of one another, the high ones short.
    const double partials[][3] = {
        {231, 1, 0.18}, {377, 0.8, 0.12}, {613, 0.6, 0.08}, {1042, 0.4, 0.05}, {1523, 0.3, 0.03}};
    for (const auto& p : partials) {
        Wave part = tone(n, Shape::sine, [f = p[0]](double) { return f; });
        percussive(part, 0.001, p[2]);
        mixInto(w, part, static_cast<float>(p[1]));
    }
    Wave hit = blast(0.45, 4000, 500, 0.03, 71);
    mixInto(w, hit, 1.2f);
    return finished(w, 0.5f);
}

Wave landing() {
    Wave w = boom(0.3, 140, 70, 0.05);
    Wave clunk = blast(0.3, 1800, 400, 0.015, 83);
    mixInto(w, clunk, 1.0f, samplesFor(0.03));
    return finished(w, 0.35f);
}

Wave crashLanding() {
    Wave w = enemyExplosion();
    Wave clang = ramOnShip();
    Wave grind = blast(1.2, 900, 200, 0.4, 89);
    w.resize(static_cast<size_t>(samplesFor(1.2)), 0);
    mixInto(w, clang, 0.8f);
    mixInto(w, grind, 0.5f);
    return finished(w, 0.55f);
}

Wave takeOff() {
    const int n = samplesFor(0.7);
    Wave w = whiteNoise(n, 97);
    lowPassSweep(w, [](double t) { return 300 + 2500 * t; });
    shapeBy(w, [](double t) { return std::sin(M_PI * t) * (0.6 + 0.4 * t); });
    normalise(w, 1);
    const Wave rise = tone(n, Shape::saw, [](double t) { return 90 + 260 * t * t; });
    Wave soft = rise;
    lowPass(soft, 600);
    shapeBy(soft, [](double t) { return std::sin(M_PI * t); });
    mixInto(w, soft, 0.5f);
    return finished(w, 0.35f);
}

Wave wormholeJump() {
    const int n = samplesFor(0.8);
    // Three detuned glides up the scale: a shimmering pull.
    Wave w(static_cast<size_t>(n), 0);
    for (double detune : {1.0, 1.007, 0.994}) {
        const Wave voice =
            tone(n, Shape::sine, [detune](double t) { return detune * 180 * std::pow(12.0, t); });
        mixInto(w, voice, 0.33f);
    }
    shapeBy(w, [](double t) {
        return std::sin(M_PI * std::pow(t, 0.7)) * (0.8 + 0.2 * std::sin(2 * M_PI * 14 * t));
    });
    Wave air = whiteNoise(n, 101);
    lowPassSweep(air, [](double t) { return 500 + 4000 * t; });
    highPass(air, 300);
    shapeBy(air, [](double t) { return t * (1 - t) * 4; });
    mixInto(w, air, 0.4f);
    return finished(w, 0.35f);
}

Wave arrival() {
    // Heard after the jump has had its moment: a quarter second of quiet, then a settling chime.
    const int lead = samplesFor(0.25);
    const int n = samplesFor(0.65);
    Wave w(static_cast<size_t>(lead + n), 0);
    Wave chime(static_cast<size_t>(n), 0);
    for (double detune : {1.0, 1.006}) {
        const Wave voice = tone(n, Shape::sine, [detune](double t) {
            return detune * (330 + 1400 * std::exp(-t * 6));
        });
        mixInto(chime, voice, 0.5f);
    }
    const Wave fifth = tone(n, Shape::sine, [](double) { return 495.0; });
    mixInto(chime, fifth, 0.3f);
    percussive(chime, 0.01, 0.2);
    shapeBy(chime, [](double t) { return 0.8 + 0.2 * std::sin(2 * M_PI * 10 * t); });
    mixInto(w, chime, 1, lead);
    return finished(w, 0.3f);
}
