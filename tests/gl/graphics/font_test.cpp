// The status-text font against FreeType's own numbers, and its drawing read back from the
// framebuffer.
#include <GL/glew.h>
#include <GL/glu.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gl_context.h"
#include "graphics/font.h"
#include "scratch_dir.h"

namespace {

const std::string fontFile = ORRISK_RUNTIME_DIR "/subatomic.tsoonami.ttf";

// The shipped font opened independently of the game's code, at the game's glyph size.
class ReferenceFace {
  public:
    ReferenceFace() {
        EXPECT_EQ(FT_Init_FreeType(&library), 0);
        EXPECT_EQ(FT_New_Face(library, fontFile.c_str(), 0, &ftFace), 0);
        EXPECT_EQ(FT_Set_Pixel_Sizes(ftFace, 0, 300), 0);
    }
    ~ReferenceFace() {
        FT_Done_Face(ftFace);
        FT_Done_FreeType(library);
    }
    FT_GlyphSlot load(unsigned char c) {
        EXPECT_EQ(FT_Load_Char(ftFace, c, FT_LOAD_RENDER), 0);
        return ftFace->glyph;
    }

  private:
    FT_Library library = nullptr;
    FT_Face ftFace = nullptr;
};

struct Bounds {
    int left = glTestWidth, right = -1, bottom = glTestHeight, top = -1;
    bool empty() const { return right < 0; }
};

std::vector<unsigned char> readRed() {
    std::vector<unsigned char> pixels(glTestWidth * glTestHeight);
    glReadPixels(0, 0, glTestWidth, glTestHeight, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The box of pixels brighter than the threshold, in window pixels from the bottom-left.
Bounds brightBounds(const std::vector<unsigned char>& red, int threshold) {
    Bounds b;
    for (int y = 0; y < glTestHeight; ++y)
        for (int x = 0; x < glTestWidth; ++x)
            if (red[y * glTestWidth + x] > threshold) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.bottom = std::min(b.bottom, y);
                b.top = std::max(b.top, y);
            }
    return b;
}

int boundTexture() {
    int name = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

std::array<float, 16> modelview() {
    std::array<float, 16> m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

int modelviewDepth() {
    int depth = -1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

class FontTest : public testing::Test {
  protected:
    void SetUp() override {
        // The game sets these before it builds the font; glyph rows are byte-aligned.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, glTestWidth, 0, glTestHeight);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 1);
    }

    std::string construct(const std::string& file) {
        testing::internal::CaptureStdout();
        Font font(file);
        std::fflush(stdout);
        loaded = font.loaded;
        return testing::internal::GetCapturedStdout();
    }

    std::vector<unsigned char> drawn(Font& font, const std::string& text, float x, float y,
                                     float scale) {
        glClear(GL_COLOR_BUFFER_BIT);
        font.displayText(text, x, y, scale);
        return readRed();
    }

    int loaded = -1;
};

TEST_F(FontTest, GlyphMetricsMatchFreeTypeAtThreeHundredPixels) {
    std::fill(letterMetrics.begin(), letterMetrics.end(), metrics{});
    EXPECT_EQ(construct(fontFile), "");
    EXPECT_EQ(loaded, 1);
    ASSERT_EQ(letterMetrics.size(), 128u);

    ReferenceFace reference;
    for (unsigned char c : {'\n', ' ', 'A', 'g', 'W', '0', '|', '~'}) {
        SCOPED_TRACE(testing::Message() << "character code " << int(c));
        const FT_GlyphSlot slot = reference.load(c);
        const metrics& m = letterMetrics[c];
        EXPECT_EQ(m.bitmapLeft, slot->bitmap_left);
        EXPECT_EQ(m.bitmapTop, slot->bitmap_top);
        EXPECT_EQ(m.quadLeft, slot->bitmap_left * 64);
        EXPECT_EQ(m.quadRight, slot->bitmap_left * 64 + slot->metrics.width);
        EXPECT_EQ(m.quadTop, slot->bitmap_top * 64);
        EXPECT_EQ(m.quadBottom, slot->bitmap_top * 64 - slot->metrics.height);
        EXPECT_EQ(m.advance, slot->advance.x);
    }
    // Sanity of the reference itself: the rasterisation is the big one the game scales down.
    EXPECT_GT(letterMetrics['A'].quadTop - letterMetrics['A'].quadBottom, 150 * 64);
}

TEST_F(FontTest, GlyphTexturesAreWhiteCoverageStoredBottomUp) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    construct(fontFile);
    int envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, GL_REPLACE);

    ReferenceFace reference;
    for (unsigned char c : {'T', 'g', 'L'}) {
        SCOPED_TRACE(testing::Message() << "character " << c);
        const FT_Bitmap& bitmap = reference.load(c)->bitmap;
        const int rows = bitmap.rows, width = bitmap.width;
        glBindTexture(GL_TEXTURE_2D, letterTextures[c]);
        int texWidth = 0, texHeight = 0, minFilter = 0, magFilter = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texHeight);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(texWidth, width);
        EXPECT_EQ(texHeight, rows);
        EXPECT_EQ(minFilter, GL_LINEAR);
        EXPECT_EQ(magFilter, GL_LINEAR);

        std::vector<unsigned char> texels(static_cast<size_t>(rows) * width * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        int mismatches = 0, notWhite = 0;
        for (int j = 0; j < rows; ++j)
            for (int k = 0; k < width; ++k) {
                const unsigned char* texel = &texels[((rows - 1 - j) * width + k) * 4];
                mismatches += texel[3] != bitmap.buffer[j * bitmap.pitch + k];
                notWhite += texel[0] != 255 || texel[1] != 255 || texel[2] != 255;
            }
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(notWhite, 0);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(FontTest, PenMovesBySumOfAdvancesTimesScale) {
    Font font(fontFile);
    ReferenceFace reference;
    const float scale = 100, s = scale * 0.0001f, x = 100, y = 300;
    const long spaceAdvance = reference.load(' ')->advance.x;
    const FT_GlyphSlot bar = reference.load('|');
    const float barLeft = x + (2 * spaceAdvance + bar->bitmap_left * 64) * s;
    const float barRight = barLeft + bar->metrics.width * s;
    const float barTop = y + bar->bitmap_top * 64 * s;
    const float barBottom = barTop - bar->metrics.height * s;

    const Bounds b = brightBounds(drawn(font, "  |", x, y, scale), 128);
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(b.left, barLeft, 2);
    EXPECT_NEAR(b.right + 1, barRight, 2);
    EXPECT_NEAR(b.top + 1, barTop, 2);
    EXPECT_NEAR(b.bottom, barBottom, 2);

    EXPECT_TRUE(brightBounds(drawn(font, "HHH", 200, 200, 0), 0).empty());
}

TEST_F(FontTest, DrawingLeavesMatricesAsFoundAndUnbindsTextures) {
    Font font(fontFile);
    glTranslatef(3, 4, 0);
    const std::array<float, 16> before = modelview();
    const int depth = modelviewDepth();
    for (const std::string text : {"", "Ships: 12"}) {
        SCOPED_TRACE("text \"" + text + "\"");
        glBindTexture(GL_TEXTURE_2D, letterTextures['A']);
        font.displayText(text, 50, 60, 20);
        EXPECT_EQ(boundTexture(), 0);
        EXPECT_EQ(modelviewDepth(), depth);
        EXPECT_EQ(modelview(), before);
    }
}

TEST_F(FontTest, BytesWithoutGlyphsAreSkipped) {
    Font font(fontFile);
    const std::vector<unsigned char> plain = drawn(font, "AB", 100, 100, 60);
    ASSERT_FALSE(brightBounds(plain, 128).empty());
    EXPECT_EQ(drawn(font,
                    "A\x80\xff"
                    "B\xc3\xa9",
                    100, 100, 60),
              plain);
    EXPECT_EQ(drawn(font,
                    "\xe2\x82\xac"
                    "AB",
                    100, 100, 60),
              plain);
}

TEST_F(FontTest, FileThatIsNotAFontLeavesAFontThatDrawsNothing) {
    ScratchDir scratch;
    scratch.write("notafont.ttf", "Ships: 3\nProjectiles: 0\n");
    std::fill(std::begin(letterTextures), std::end(letterTextures), 0u);

    EXPECT_EQ(construct(scratch.path("notafont.ttf")),
              "the font file could be opened and read, but it appears ... that its font format "
              "is unsupported\n");
    EXPECT_EQ(loaded, 0);
    // The glyph texture names exist whatever happens after they are made.
    EXPECT_NE(letterTextures[0], 0u);
    EXPECT_NE(letterTextures[127], 0u);

    testing::internal::CaptureStdout();
    Font broken(scratch.path("notafont.ttf"));
    testing::internal::GetCapturedStdout();
    glBindTexture(GL_TEXTURE_2D, letterTextures[5]);
    EXPECT_TRUE(brightBounds(drawn(broken, "Player HP: 100", 0, 0, 100), 0).empty());
    EXPECT_EQ(boundTexture(), 0);
}

TEST_F(FontTest, MissingFileOrADirectoryNamesTheFile) {
    ScratchDir scratch;
    const std::string missing = scratch.path("subatomic.tsoonami.ttf");
    EXPECT_EQ(construct(missing), "Error initializing face " + missing + "\n");
    EXPECT_EQ(loaded, 0);
    std::filesystem::create_directory(missing);
    EXPECT_EQ(construct(missing), "Error initializing face " + missing + "\n");
    EXPECT_EQ(fontFailure(missing), "Error initializing face " + missing);
    EXPECT_EQ(fontFailure(fontFile), "");
}

// A bitmap font renders one bit per pixel, which the glyph textures cannot be made from.
TEST_F(FontTest, GlyphsThatAreNotGreyBitmapsAreRefused) {
    ScratchDir scratch;
    std::string bdf = "STARTFONT 2.1\nFONT -orrisk-mono\nSIZE 300 72 72\n"
                      "FONTBOUNDINGBOX 8 8 0 0\nSTARTPROPERTIES 2\nPIXEL_SIZE 300\n"
                      "DEFAULT_CHAR 0\n"
                      "ENDPROPERTIES\nCHARS 1\nSTARTCHAR zero\nENCODING 0\nSWIDTH 500 0\n"
                      "DWIDTH 8 0\nBBX 8 8 0 0\nBITMAP\n";
    for (int row = 0; row < 8; ++row)
        bdf += "FF\n";
    scratch.write("mono.bdf", bdf + "ENDCHAR\nENDFONT\n");
    EXPECT_EQ(construct(scratch.path("mono.bdf")), "Error loading character\n");
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(fontFailure(scratch.path("mono.bdf")), "Error loading character");
}

} // namespace
