#pragma once
#include <string>
#include <vector>

#include "core/geometry.h"

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
// The status text's font, read from the working directory.
constexpr const char* fontFileName = "subatomic.tsoonami.ttf";

extern unsigned int letterTextures[glyphCount];
extern std::vector<metrics> letterMetrics;

// The font file's FreeType face, open for the rest of the run.
typedef struct FT_FaceRec_* FT_Face;
extern FT_Face face;

// The line the font prints when the file at fileName cannot give every glyph, found with
// FreeType alone (no GL); "" when it can.
std::string fontFailure(const std::string& fileName);

class Font {
  public:
    int loaded;
    // Pixels of dark outline drawn round every text; none unless the caller asks.
    float outline = 0;

    explicit Font(std::string fileName);
    // Draws text with its pen starting at (x, y); bytes outside 0 to 127 have no glyph and are
    // skipped without moving the pen. By reference: the status lines are drawn every frame, and a
    // copy of a longer one would go to the heap.
    void displayText(const std::string& text, float x, float y, float scale);
    // How far displayText moves the pen over the text, in the units it draws in.
    float textWidth(const std::string& text, float scale) const;
    // How far the drawn text reaches below (bottom, at most 0) and above (top) its baseline, in
    // the units it draws in, outline included.
    void textHeight(const std::string& text, float scale, float& bottom, float& top) const;

  private:
    // The text at (x, y) once for each offset.
    void drawGlyphs(const std::string& text, float x, float y, float s, const point* offsets,
                    int offsetCount);
    void drawOutline(const std::string& text, float x, float y, float s);
};
