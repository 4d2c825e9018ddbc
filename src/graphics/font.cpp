#include "graphics/font.h"

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

#include "core/data_file.h"

unsigned int letterTextures[glyphCount];
std::vector<metrics> letterMetrics(glyphCount);
FT_Face face = nullptr;

namespace {

// FreeType rasterises at this size; displayText scales it down to the size asked for.
constexpr FT_UInt glyphPixels = 300;

metrics metricsOf(FT_GlyphSlot slot) {
    metrics m;
    m.bitmapLeft = slot->bitmap_left;
    m.bitmapTop = slot->bitmap_top;
    m.quadLeft = m.bitmapLeft * 64;
    m.quadRight = m.quadLeft + static_cast<int>(slot->metrics.width);
    m.quadTop = m.bitmapTop * 64;
    m.quadBottom = m.quadTop - static_cast<int>(slot->metrics.height);
    m.advance = static_cast<int>(slot->advance.x);
    return m;
}

// White texels carrying the coverage in alpha, rows flipped so that t = 0 is the glyph's bottom.
void uploadGlyph(const FT_Bitmap& bitmap, unsigned int texture,
                 std::vector<unsigned char>& texels) {
    const int rows = static_cast<int>(bitmap.rows);
    const int width = static_cast<int>(bitmap.width);
    texels.assign(static_cast<size_t>(rows) * width * 2, 255);
    for (int j = 0; j < rows; ++j) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(j) * bitmap.pitch;
        unsigned char* target = texels.data() + static_cast<size_t>(rows - 1 - j) * width * 2;
        for (int k = 0; k < width; ++k)
            target[k * 2 + 1] = source[k];
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, rows, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 texels.data());
}

// Opens the face at the glyph size; "" or the failure line. A directory in the font's place is
// a missing font, as it is for every data file.
std::string openFace(FT_Library library, const std::string& fileName, FT_Face& opened) {
    const FT_Error error =
        dataFileOpens(fileName) ? FT_New_Face(library, fileName.c_str(), 0, &opened) : 1;
    if (error == FT_Err_Unknown_File_Format)
        return "the font file could be opened and read, but it appears ... that its font format "
               "is unsupported";
    if (error)
        return "Error initializing face " + fileName;
    if (FT_Set_Pixel_Sizes(opened, 0, glyphPixels))
        return "Error setting font size";
    return "";
}

// The texels are made from one byte of coverage per pixel; a glyph in any other form (a
// one-bit bitmap font, colour glyphs) would be read past its rows.
bool loadGlyph(FT_Face from, int c) {
    if (FT_Load_Char(from, c, FT_LOAD_RENDER))
        return false;
    const FT_Bitmap& bitmap = from->glyph->bitmap;
    return bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.num_grays == 256;
}

const char* const glyphFailure = "Error loading character";

} // namespace

std::string fontFailure(const std::string& fileName) {
    FT_Library library;
    if (FT_Init_FreeType(&library))
        return "Error initializing freetype library";
    FT_Face checked = nullptr;
    std::string failure = openFace(library, fileName, checked);
    for (int c = 0; failure.empty() && c < glyphCount; ++c)
        if (!loadGlyph(checked, c))
            failure = glyphFailure;
    FT_Done_FreeType(library);
    return failure;
}

Font::Font(std::string fileName) {
    glEnable(GL_TEXTURE_2D);
    glGenTextures(glyphCount, letterTextures);
    loaded = 0;

    // The library handle is needed only while the glyphs are built, but the face lives on.
    FT_Library library;
    if (FT_Init_FreeType(&library)) {
        std::printf("Error initializing freetype library\n");
        return;
    }
    const std::string failure = openFace(library, fileName, face);
    if (!failure.empty()) {
        std::printf("%s\n", failure.c_str());
        return;
    }
    std::vector<unsigned char> texels;
    for (int c = 0; c < glyphCount; ++c) {
        if (!loadGlyph(face, c)) {
            std::printf("%s\n", glyphFailure);
            return;
        }
        letterMetrics[c] = metricsOf(face->glyph);
        uploadGlyph(face->glyph->bitmap, letterTextures[c], texels);
    }
    loaded = 1;
}

void Font::drawGlyphs(const std::string& text, float x, float y, float s, const point* offsets,
                      int offsetCount) {
    glPushMatrix();
    glTranslatef(x, y, 0);
    for (const char byte : text) {
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code >= glyphCount)
            continue;
        const metrics& m = letterMetrics[code];
        // Every copy of a glyph in one batch on its texture.
        glBindTexture(GL_TEXTURE_2D, letterTextures[code]);
        glBegin(GL_QUADS);
        for (int i = 0; i < offsetCount; ++i) {
            const float left = m.quadLeft * s + offsets[i].x;
            const float right = m.quadRight * s + offsets[i].x;
            const float bottom = m.quadBottom * s + offsets[i].y;
            const float top = m.quadTop * s + offsets[i].y;
            glTexCoord2f(0, 0);
            glVertex2f(left, bottom);
            glTexCoord2f(0, 1);
            glVertex2f(left, top);
            glTexCoord2f(1, 1);
            glVertex2f(right, top);
            glTexCoord2f(1, 0);
            glVertex2f(right, bottom);
        }
        glEnd();
        glTranslatef(m.advance * s, 0, 0);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

// Dark copies of the text round it, so that it reads over a bright star as well as over space.
void Font::drawOutline(const std::string& text, float x, float y, float s) {
    // The outline fades with the text: by the current colour's alpha, unless the text is drawn
    // in its texels' own colour.
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLint mode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    const float alpha = mode == GL_REPLACE ? 1 : colour[3];
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(0, 0, 0, alpha * 0.85f);
    point round[8];
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy)
                round[n++] = point{dx * outline, dy * outline};
    drawGlyphs(text, x, y, s, round, n);
    glPopAttrib();
}

void Font::displayText(const std::string& text, float x, float y, float scale) {
    glBindTexture(GL_TEXTURE_2D, 0);
    const float s = scale * 0.0001f;
    if (!loaded)
        return;
    if (outline > 0)
        drawOutline(text, x, y, s);
    const point here{0, 0};
    drawGlyphs(text, x, y, s, &here, 1);
}

float Font::textWidth(const std::string& text, float scale) const {
    if (!loaded)
        return 0;
    float width = 0;
    for (const char byte : text) {
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code < glyphCount)
            width += letterMetrics[code].advance * scale * 0.0001f;
    }
    return width;
}

void Font::textHeight(const std::string& text, float scale, float& bottom, float& top) const {
    bottom = 0;
    top = 0;
    if (!loaded)
        return;
    for (const char byte : text) {
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code < glyphCount) {
            bottom = std::min(bottom, letterMetrics[code].quadBottom * scale * 0.0001f);
            top = std::max(top, letterMetrics[code].quadTop * scale * 0.0001f);
        }
    }
    bottom -= outline;
    top += outline;
}
