// The radar and map panel backgrounds and the radar blips. The radar is drawn with its picture
// upside down and the map upright, so both panels are symmetric top to bottom.
#include <cmath>

#include "sprites.h"

namespace {

constexpr Rgba panelFill = {0.03f, 0.08f, 0.1f, 0.55f};
constexpr Rgba panelLine = {0.35f, 0.85f, 0.75f, 0.8f};

// Lines are given in picture units (the panel spans -1 to 1); `pixel` is one pixel in those units.
float lineCoverage(float distance, float halfWidth, float pixel) {
    return smoothstep(halfWidth + pixel, halfWidth, distance);
}

Rgba panelFrame(float u, float v, float pixel) {
    const float edge = 1 - std::max(std::abs(u), std::abs(v));
    return withAlpha(panelLine,
                     0.95f * lineCoverage(std::abs(edge - 2.5f * pixel), 1.5f * pixel, pixel));
}

Image paintPanel(int size, bool rings) {
    Image image(size, size);
    const float pixel = 2.0f / size;
    render(image, 4, [pixel, rings](float u, float v) {
        float line = 0;
        if (rings) {
            const float r = std::hypot(u, v);
            for (float ring : {0.3f, 0.6f, 0.9f})
                line = std::max(line, 0.5f * lineCoverage(std::abs(r - ring), 0.5f * pixel, pixel));
            line = std::max(
                line, 0.3f * lineCoverage(std::min(std::abs(u), std::abs(v)), 0.5f * pixel, pixel));
        } else {
            for (float step = -0.75f; step < 1; step += 0.25f)
                line = std::max({line, 0.3f * lineCoverage(std::abs(u - step), 0.5f * pixel, pixel),
                                 0.3f * lineCoverage(std::abs(v - step), 0.5f * pixel, pixel)});
        }
        return over(panelFrame(u, v, pixel), over(withAlpha(panelLine, line), panelFill));
    });
    return image;
}

Image paintBlip(Rgba rim) {
    Image image(32, 32);
    render(image, 4, [rim](float u, float v) {
        const float r = std::hypot(u, v);
        const Rgba c = mix(Rgba{1, 1, 1, 1}, rim, smoothstep(0.15f, 0.55f, r));
        return withAlpha(c, smoothstep(0.95f, 0.75f, r));
    });
    return image;
}

} // namespace

Image paintRadar() {
    return paintPanel(256, true);
}
// Loaded without rescaling and drawn 200 pixels wide, so it is painted at exactly that size.
Image paintMap() {
    return paintPanel(200, false);
}
Image paintEnemyRadar() {
    return paintBlip({1, 0.1f, 0.05f, 1});
}
Image paintPlayerRadar() {
    return paintBlip({0.15f, 1, 0.3f, 1});
}
