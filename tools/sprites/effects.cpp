// Small sprites for shots, effects and particles. Most are tinted by the current colour when
// drawn, so they are kept white or close to it where a tint must show.
#include <cmath>

#include "noise.h"
#include "shapes.h"
#include "sprites.h"

namespace {

constexpr float pi = 3.14159265f;

Image painted(int width, int height, Rgba (*paint)(Vec)) {
    Image image(width, height);
    render(image, 4, [paint](float u, float v) { return paint({u, v}); });
    return image;
}

// A round glow: alpha 1 at the centre, 0 at radius 1 and beyond.
float softDisc(Vec p, float sharpness) {
    const float r = std::hypot(p.x, p.y);
    return std::pow(clamp01(1 - r), sharpness);
}

Rgba crosshair(Vec p) {
    const float r = std::hypot(p.x, p.y);
    const bool ring = std::abs(r - 0.62f) < 0.09f;
    const bool bar = (std::abs(p.x) < 0.07f || std::abs(p.y) < 0.07f) && r > 0.28f && r < 0.98f;
    const bool dot = r < 0.1f;
    return ring || bar || dot ? Rgba{1, 1, 1, 1} : Rgba{};
}

Rgba fireball(Vec p) {
    const float r = std::hypot(p.x, p.y);
    const float angle = std::atan2(p.y, p.x);
    // Ragged rim: the radius of the ball wobbles with angle.
    const float wobble = periodicFractal((angle + pi) / (2 * pi) * 12, r * 3, 12, 3, 31);
    const float edge = 0.72f + 0.25f * wobble;
    const float t = clamp01(r / edge);
    const Rgba core = {1, 1, 0.85f, 1}, mid = {1, 0.62f, 0.12f, 1}, rim = {0.75f, 0.12f, 0.04f, 1};
    Rgba c = t < 0.45f ? mix(core, mid, t / 0.45f) : mix(mid, rim, (t - 0.45f) / 0.55f);
    c.a = smoothstep(1.0f, 0.55f, t) * (0.75f + 0.25f * wobble);
    return c;
}

Rgba bulletDot(Vec p) {
    const float glow = softDisc({p.x / 0.95f, p.y / 0.95f}, 2);
    const float core = smoothstep(0.4f, 0.25f, std::hypot(p.x, p.y));
    return {1, 1, mix(0.6f, 1, core), clamp01(glow + core)};
}

Rgba fragment(Vec p) {
    static const std::vector<Vec> shard = {{-0.15f, 0.85f}, {0.4f, 0.35f},  {0.7f, -0.2f},
                                           {0.2f, -0.8f},   {-0.3f, -0.5f}, {-0.6f, 0.1f}};
    const float inside = polygonInside(shard, p);
    if (inside <= 0)
        return {};
    const float light = 0.55f + 0.45f * clamp01(0.5f + 0.6f * (p.y - p.x));
    return scaled(
        mix(Rgba{0.55f, 0.5f, 0.45f, 1}, Rgba{1, 0.55f, 0.2f, 1}, smoothstep(0.12f, 0, inside)),
        light);
}

// The expanding blast ring: a bright rim with a faint fill behind it.
Rgba blastRing(Vec p) {
    const float r = std::hypot(p.x, p.y);
    const float rim = std::exp(-std::pow((r - 0.85f) / 0.07f, 2));
    const float fill = 0.25f * smoothstep(0.0f, 0.85f, r) * (r < 0.85f ? 1 : 0);
    return {1, 1, 1, clamp01(rim + fill) * smoothstep(1.0f, 0.95f, r)};
}

Rgba shockwaveShell(Vec p) {
    const float r = std::hypot(p.x, p.y);
    const float shell = std::exp(-std::pow((r - 0.62f) / 0.1f, 2));
    const float core = smoothstep(0.35f, 0.0f, r);
    const Rgba c = mix(Rgba{0.55f, 0.8f, 1, 1}, Rgba{1, 1, 1, 1}, core);
    return withAlpha(c, clamp01(shell * 0.9f + core + 0.3f * softDisc(p, 1.5f)));
}

Rgba dotTriad(Vec p) {
    float a = 0;
    for (int i = 0; i < 3; ++i) {
        const float angle = pi / 2 + i * 2 * pi / 3;
        const Vec d = {(p.x - 0.5f * std::cos(angle)) / 0.4f,
                       (p.y - 0.5f * std::sin(angle)) / 0.4f};
        a += softDisc(d, 1.5f);
    }
    return {1, 1, 1, clamp01(a)};
}

Rgba diamond(Vec p) {
    const float d = std::abs(p.x) / 0.6f + std::abs(p.y);
    const float body = smoothstep(0.95f, 0.85f, d);
    const float glow = 0.5f * clamp01(1 - d) + body;
    return {1, 1, 1, clamp01(glow)};
}

Rgba flameBlob(Vec p) {
    const float t = softDisc(p, 1);
    return {1, mix(0.9f, 1, t), mix(0.8f, 1, t), t * t * (3 - 2 * t)};
}

Rgba swirl(Vec p) {
    const float r = std::hypot(p.x, p.y);
    if (r >= 1 || r < 1e-4f)
        return {};
    const float angle = std::atan2(p.y, p.x);
    // Three arms winding inwards along a logarithmic spiral.
    const float arms = 0.5f + 0.5f * std::cos(3 * angle + 5 * std::log(r));
    const float envelope = smoothstep(1.0f, 0.6f, r) * smoothstep(0.0f, 0.25f, r);
    const float eye = smoothstep(0.25f, 0.0f, r);
    Rgba c = mix(Rgba{0.35f, 0.2f, 0.9f, 1}, Rgba{0.75f, 0.9f, 1, 1}, arms * (1 - r));
    c.a = clamp01(envelope * (0.25f + 0.75f * arms * arms) + eye * 0.9f);
    return c;
}

Rgba whiteDot(Vec p) {
    return {1, 1, 1, smoothstep(1.0f, 0.3f, std::hypot(p.x, p.y))};
}

} // namespace

Image paintMouse() {
    return painted(64, 64, crosshair);
}
Image paintExplosion() {
    return painted(128, 128, fireball);
}
Image paintBulletDot() {
    return painted(32, 32, bulletDot);
}
Image paintFragment() {
    return painted(32, 32, fragment);
}
Image paintBlast() {
    return painted(256, 256, blastRing);
}
Image paintShockwaveBullet() {
    return painted(64, 64, shockwaveShell);
}
Image paintDotTriad() {
    return painted(64, 64, dotTriad);
}
Image paintDiamondParticle() {
    return painted(32, 32, diamond);
}
Image paintFlame() {
    return painted(64, 64, flameBlob);
}
Image paintWormhole() {
    return painted(128, 128, swirl);
}
Image paintWhiteDot() {
    return painted(32, 32, whiteDot);
}

// Only the middle row is used, stretched along the beam: every row holds the same profile across
// the beam, white-hot in the middle and fading to nothing at both sides.
Image paintLaser() {
    Image image(64, 8);
    render(image, 4, [](float u, float) {
        const float core = std::exp(-std::pow(u / 0.18f, 2));
        const float glow = std::exp(-std::pow(u / 0.5f, 2)) * smoothstep(1.0f, 0.8f, std::abs(u));
        return Rgba{mix(0.75f, 1, core), mix(0.85f, 1, core), 1, clamp01(core + 0.6f * glow)};
    });
    return image;
}
