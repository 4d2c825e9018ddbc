// The two ships and the desktop icon. Noses point along +v, the top of the picture.
#include <cmath>

#include "shapes.h"
#include "sprites.h"

namespace {

constexpr int shipSize = 128;
constexpr int shipSamples = 4;

// Lit from the upper left, darker towards the rim, with a thin dark outline that keeps the
// silhouette readable against bright stars.
Rgba hullShade(Rgba base, float inside, Vec p) {
    const float bevel = 0.55f + 0.45f * smoothstep(0.0f, 0.14f, inside);
    const float light = 0.9f + 0.25f * (p.y - p.x) * 0.5f;
    Rgba c = scaled(base, bevel * light);
    if (inside < 0.025f)
        c = scaled(c, 0.45f);
    c.a = 1;
    return c;
}

Rgba playerShip(Vec p) {
    static const std::vector<Vec> hull = mirrored({{0, 0.95f},
                                                   {0.13f, 0.55f},
                                                   {0.19f, 0.12f},
                                                   {0.74f, -0.42f},
                                                   {0.78f, -0.7f},
                                                   {0.32f, -0.58f},
                                                   {0.24f, -0.8f},
                                                   {0, -0.7f}});
    const float inside = polygonInside(hull, p);
    if (inside <= 0)
        return {};
    Rgba c = hullShade({0.68f, 0.76f, 0.86f, 1}, inside, p);
    // Blue stripes along the wings and a darker spine.
    if (std::abs(p.y + 0.35f - 0.55f * std::abs(p.x)) < 0.05f && std::abs(p.x) > 0.3f)
        c = {0.15f, 0.45f, 0.95f, 1};
    if (std::abs(p.x) < 0.018f && p.y < 0.15f && p.y > -0.62f)
        c = scaled(c, 0.7f);
    const float canopy = ellipseInside({0, 0.36f}, 0.085f, 0.2f, p);
    if (canopy > 0) {
        const float glint = smoothstep(0.06f, 0.0f, std::hypot(p.x + 0.025f, p.y - 0.44f));
        c = mix(Rgba{0.1f, 0.55f, 0.75f, 1}, Rgba{0.85f, 1, 1, 1}, glint);
    }
    // Engine nozzles at the back.
    for (float side : {-1.0f, 1.0f})
        if (ellipseInside({side * 0.12f, -0.72f}, 0.06f, 0.05f, p) > 0)
            c = {1, 0.6f, 0.2f, 1};
    return c;
}

Rgba enemyShip(Vec p) {
    static const std::vector<Vec> claw = {
        {0.3f, 0.05f}, {0.55f, 0.5f}, {0.36f, 0.92f}, {0.3f, 0.55f}, {0.14f, 0.3f}};
    static const std::vector<Vec> fin = {
        {0.2f, -0.3f}, {0.72f, -0.82f}, {0.45f, -0.88f}, {0.1f, -0.45f}};
    const Vec mirror = {std::abs(p.x), p.y};
    const float body = circleInside({0, -0.08f}, 0.42f, p);
    const float inside = std::max({body, polygonInside(claw, mirror), polygonInside(fin, mirror)});
    if (inside <= 0)
        return {};
    Rgba c = hullShade({0.78f, 0.14f, 0.1f, 1}, inside, p);
    if (body > 0) {
        // A domed body: brighter towards its upper left.
        const float dome = 1 - std::hypot(p.x + 0.12f, p.y - 0.05f) / 0.5f;
        c = mix(c, Rgba{1, 0.45f, 0.25f, 1}, clamp01(dome) * 0.6f);
    }
    const float eye = circleInside({0, 0.08f}, 0.12f, p);
    if (eye > 0)
        c = mix(Rgba{1, 0.75f, 0.1f, 1}, Rgba{1, 1, 0.8f, 1}, smoothstep(0, 0.1f, eye));
    return c;
}

} // namespace

Image paintPlayer() {
    Image image(shipSize, shipSize);
    render(image, shipSamples, [](float u, float v) { return playerShip({u, v}); });
    return image;
}

Image paintEnemy() {
    Image image(shipSize, shipSize);
    render(image, shipSamples, [](float u, float v) { return enemyShip({u, v}); });
    return image;
}

Image paintIcon(int size) {
    Image image(size, size);
    render(image, size < 64 ? 8 : 4, [](float u, float v) {
        const float r = std::hypot(u, v);
        Rgba badge = {};
        if (r < 0.98f)
            badge = mix(Rgba{0.1f, 0.12f, 0.22f, 1}, Rgba{0.02f, 0.02f, 0.06f, 1}, r);
        if (r < 0.98f && r > 0.92f)
            badge = {0.3f, 0.45f, 0.7f, 1};
        return over(playerShip({u / 0.78f, v / 0.78f}), badge);
    });
    return image;
}
