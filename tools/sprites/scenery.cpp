// The backdrop, the planet and the star.
#include <cmath>

#include "noise.h"
#include "sprites.h"

namespace {

constexpr int dustSize = 1024;

float wrappedOffset(float d) {
    if (d > dustSize / 2.0f)
        return d - dustSize;
    if (d < -dustSize / 2.0f)
        return d + dustSize;
    return d;
}

// Faint, dark clouds of dust; the lattice repeats once across the tile so the tile has no seam.
void paintClouds(Image& image) {
    for (int y = 0; y < dustSize; ++y)
        for (int x = 0; x < dustSize; ++x) {
            const float fx = x * 8.0f / dustSize, fy = y * 8.0f / dustSize;
            const float density = periodicFractal(fx, fy, 8, 5, 1234);
            const float hue = periodicNoise(fx * 0.5f, fy * 0.5f, 4, 77);
            const float a = 0.22f * smoothstep(0.45f, 0.8f, density);
            image.at(x, y) = {mix(0.25f, 0.45f, hue), 0.25f, mix(0.6f, 0.4f, hue), a};
        }
}

// One star: a Gaussian spot added with wrap-around, so stars on the tile's edge continue on the
// opposite edge.
void addStar(Image& image, float cx, float cy, float sigma, float brightness, Rgba tint) {
    const int reach = static_cast<int>(std::ceil(sigma * 3.5f));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const int x = ((static_cast<int>(cx) + dx) % dustSize + dustSize) % dustSize;
            const int y = ((static_cast<int>(cy) + dy) % dustSize + dustSize) % dustSize;
            const float ox = wrappedOffset(x + 0.5f - cx), oy = wrappedOffset(y + 0.5f - cy);
            const float a = brightness * std::exp(-(ox * ox + oy * oy) / (2 * sigma * sigma));
            image.at(x, y) = over(withAlpha(tint, clamp01(a)), image.at(x, y));
        }
}

} // namespace

Image paintDust() {
    Image image(dustSize, dustSize);
    paintClouds(image);
    Rng rng(20240611);
    for (int i = 0; i < 700; ++i) {
        const float x = rng.range(0, dustSize), y = rng.range(0, dustSize);
        // Mostly dim specks, a few bright stars.
        const float power = std::pow(rng.uniform(), 3.0f);
        const float sigma = 0.55f + 1.1f * power;
        const float brightness = 0.35f + 0.65f * rng.uniform();
        const float warmth = rng.uniform();
        const Rgba tint = {mix(0.75f, 1, warmth), mix(0.85f, 0.95f, warmth), mix(1, 0.75f, warmth),
                           1};
        addStar(image, x, y, sigma, brightness, tint);
    }
    return image;
}

Image paintMars() {
    Image image(256, 256);
    render(image, 3, [](float u, float v) {
        const float r2 = u * u + v * v;
        if (r2 >= 0.96f * 0.96f)
            return Rgba{};
        const float r = std::sqrt(r2) / 0.96f;
        const float z = std::sqrt(1 - r * r);
        // Lambert light from the upper left, plus a little ambient so the night side shows.
        const float nx = u / 0.96f, ny = v / 0.96f;
        const float light = clamp01(-0.5f * nx + 0.45f * ny + 0.74f * z) * 0.85f + 0.15f;
        const float terrain = periodicFractal((nx / (1.3f - 0.3f * z) + 1) * 4,
                                              (ny / (1.3f - 0.3f * z) + 1) * 4, 8, 4, 4242);
        Rgba ground = mix(Rgba{0.55f, 0.2f, 0.1f, 1}, Rgba{0.85f, 0.45f, 0.25f, 1}, terrain);
        if (ny > 0.82f)
            ground = mix(ground, Rgba{0.95f, 0.92f, 0.9f, 1}, smoothstep(0.82f, 0.9f, ny));
        Rgba c = scaled(ground, light);
        c.a = 1;
        return c;
    });
    return image;
}

// Drawn additively: a white-blue core and a corona that fades to nothing at the picture's edge.
// The sprite's half side is the star's contact radius, so the core fills most of it: what looks
// like the star is what burns.
Image paintBlueStar() {
    Image image(256, 256);
    render(image, 2, [](float u, float v) {
        const float r = std::hypot(u, v);
        const float core = smoothstep(0.62f, 0.5f, r);
        const float corona = std::exp(-std::fmax(r - 0.5f, 0.0f) * 6) * smoothstep(1.0f, 0.72f, r);
        const float angle = std::atan2(v, u);
        const float rays =
            0.15f * std::pow(std::abs(std::cos(angle * 2)), 40.0f) * smoothstep(1.0f, 0.2f, r);
        Rgba c = mix(Rgba{0.45f, 0.65f, 1, 1}, Rgba{1, 1, 1, 1}, clamp01(core + corona * 0.5f));
        c.a = clamp01(core + corona * 1.4f + rays);
        return c;
    });
    return image;
}
