#pragma once
// Sprites come from mods, so their bytes are untrusted: only PNG and TGA are read, recognised by
// content, and a picture's declared size is checked before any memory is set aside for it.
#include <cstddef>
#include <string>
#include <vector>

// The largest side a sprite may declare, whatever the driver allows: a picture of 8192 x 8192
// already takes 256 MiB to decode, which bounds the pixels in all too.
constexpr int spriteSideLimit = 8192;

struct DecodedSprite {
    std::vector<unsigned char> pixels; // rows top to bottom, channels bytes per pixel
    int width = 0;
    int height = 0;
    int channels = 0;
};

// Decodes a PNG or TGA whose sides are at most maxSide (and spriteSideLimit). On failure returns
// false and sets reason to why the picture was refused.
bool decodeSprite(const unsigned char* data, size_t size, int maxSide, DecodedSprite& sprite,
                  std::string& reason);
bool decodeSpriteFile(const std::string& path, int maxSide, DecodedSprite& sprite,
                      std::string& reason);
