#include "graphics/sprite_decoder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>

#include "core/data_file.h"

#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS spriteSideLimit
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace {

// The decoder's reason as printable text: an unknown PNG chunk's name is copied into it as it was
// in the file, so it may hold any byte or end at once.
std::string failureReason() {
    const char* reason = stbi_failure_reason();
    std::string text = reason ? reason : "";
    for (char& c : text) {
        if (c < ' ' || c > '~')
            c = '?';
    }
    return text.empty() ? "cannot decode" : text;
}

} // namespace

bool decodeSprite(const unsigned char* data, size_t size, int maxSide, DecodedSprite& sprite,
                  std::string& reason) {
    if (size > static_cast<size_t>(std::numeric_limits<int>::max())) {
        reason = "file too large";
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        reason = failureReason();
        return false;
    }
    const int side = std::min(maxSide, spriteSideLimit);
    if (width <= 0 || height <= 0 || width > side || height > side) {
        reason = "picture too large: " + std::to_string(width) + " x " + std::to_string(height) +
                 ", sides up to " + std::to_string(side);
        return false;
    }
    unsigned char* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 0);
    if (!pixels) {
        reason = failureReason();
        return false;
    }
    sprite.width = width;
    sprite.height = height;
    sprite.channels = channels;
    sprite.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height * channels);
    stbi_image_free(pixels);
    return true;
}

bool decodeSpriteFile(const std::string& path, int maxSide, DecodedSprite& sprite,
                      std::string& reason) {
    std::ifstream in;
    if (dataFileOpens(path))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        reason = "can't fopen";
        return false;
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    return decodeSprite(bytes.data(), bytes.size(), maxSide, sprite, reason);
}
