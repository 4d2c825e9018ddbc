#include "canvas.h"

#include <cstdint>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

Rgba over(Rgba top, Rgba bottom) {
    const float a = top.a + bottom.a * (1 - top.a);
    if (a <= 0)
        return {};
    const auto channel = [&](float t, float b) {
        return (t * top.a + b * bottom.a * (1 - top.a)) / a;
    };
    return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

namespace {

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255));
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

bool writeImage(const Image& image, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 4);
    for (const Rgba& c : image.pixels) {
        bytes.push_back(toByte(c.r));
        bytes.push_back(toByte(c.g));
        bytes.push_back(toByte(c.b));
        bytes.push_back(toByte(c.a));
    }
    if (endsWith(path, ".tga")) {
        // Plain uncompressed TGA: every reader handles it, RLE is optional in some.
        stbi_write_tga_with_rle = 0;
        return stbi_write_tga(path.c_str(), image.width, image.height, 4, bytes.data()) != 0;
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 4, bytes.data(),
                          image.width * 4) != 0;
}
