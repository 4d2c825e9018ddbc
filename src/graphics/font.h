#pragma once
#include <string>
#include <vector>

// Placement of one glyph: offsets in pixels, quad corners and advance in 1/64 pixel.
struct metrics {
    int bitmapLeft;
    int bitmapTop;
    int quadRight;
    int quadLeft;
    int quadTop;
    int quadBottom;
    int advance;
};

constexpr int glyphCount = 128;

extern unsigned int letterTextures[glyphCount];
extern std::vector<metrics> letterMetrics;

class Font {
  public:
    int loaded;

    explicit Font(std::string fileName);
    void displayText(std::string text, float x, float y, float scale);
};
