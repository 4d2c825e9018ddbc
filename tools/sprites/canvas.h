#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// A colour with straight (not premultiplied) alpha, every channel 0 to 1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

class Image {
  public:
    Image(int width, int height) : width(width), height(height), pixels(width * height) {}
    Rgba& at(int x, int y) { return pixels[y * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[y * width + x]; }

    int width;
    int height;
    // Row 0 is the top row of the picture, as in the files.
    std::vector<Rgba> pixels;
};

inline float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}
inline float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}
inline float mix(float a, float b, float t) {
    return a + (b - a) * t;
}
inline Rgba mix(Rgba a, Rgba b, float t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}
inline Rgba withAlpha(Rgba c, float a) {
    return {c.r, c.g, c.b, a};
}
inline Rgba scaled(Rgba c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

// Porter-Duff "over" of two straight-alpha colours.
Rgba over(Rgba top, Rgba bottom);

// Fills every pixel with the average of n x n samples of paint(u, v). The picture spans u and v
// from -1 to 1, v growing towards the top row, so a sprite's nose drawn along +v points up.
// Averaging happens on premultiplied colour so that transparent samples do not darken edges.
template <class Paint> void render(Image& image, int n, Paint paint) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    const float px = x + (sx + 0.5f) / n;
                    const float py = y + (sy + 0.5f) / n;
                    const Rgba c = paint(2 * px / image.width - 1, 1 - 2 * py / image.height);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            Rgba& out = image.at(x, y);
            out.a = a / (n * n);
            if (a > 0)
                out = {r / a, g / a, b / a, out.a};
        }
}

// Writes PNG or TGA, chosen by the file name's extension; false when the file cannot be written.
bool writeImage(const Image& image, const std::string& path);
