#include "hud/controls_overlay.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "graphics/font.h"
#include "hud/controls_text.h"

namespace {

const char* const title = "Keys (F1 or Esc closes this list)";
constexpr float margin = 30;
constexpr float columnGap = 20;
constexpr float largestScale = 16;
constexpr float smallestScale = 7;
constexpr float lineSpacing = 1.7f; // line height per unit of scale
const GLfloat veilColour[4] = {0, 0, 0, 0.85f};
const GLfloat keyColour[4] = {1, 0.85f, 0.3f, 1};
const GLfloat effectColour[4] = {1, 1, 1, 1};

// Kept from frame to frame so that measuring and drawing reuse their memory.
std::string piece;

float widthOf(const Font& font, const char* text, size_t length, float scale) {
    piece.assign(text, length);
    return font.textWidth(piece, scale);
}

// Calls each(start, length) for every line text breaks into at spaces within maxWidth; a word
// longer than a line stands on its own.
template <class Each>
int wrap(const Font& font, const char* text, float scale, float maxWidth, Each each) {
    int lines = 0;
    const char* start = text;
    while (*start) {
        const char* end = start;
        const char* lastFit = nullptr;
        for (;;) {
            const char* wordEnd = end;
            while (*wordEnd && *wordEnd != ' ')
                ++wordEnd;
            if (lastFit && widthOf(font, start, wordEnd - start, scale) > maxWidth)
                break;
            lastFit = wordEnd;
            end = wordEnd;
            if (!*end)
                break;
            ++end;
        }
        each(start, static_cast<size_t>(lastFit - start));
        ++lines;
        start = *lastFit ? lastFit + 1 : lastFit;
    }
    return lines;
}

float keyColumnWidth(const Font& font, float scale) {
    float widest = 0;
    for (int i = 0; i < controlLineCount; ++i)
        widest = std::max(widest, widthOf(font, controlLines[i].input,
                                          std::strlen(controlLines[i].input), scale));
    return widest;
}

// The lines the list takes at scale, title included.
int lineCount(const Font& font, float scale, float effectWidth) {
    int lines = 1;
    for (int i = 0; i < controlLineCount; ++i)
        lines += wrap(font, controlLines[i].effect, scale, effectWidth, [](const char*, size_t) {});
    return lines;
}

void drawVeil(float width, float height) {
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor4fv(veilColour);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(0, height);
    glVertex2f(width, height);
    glVertex2f(width, 0);
    glEnd();
    glPopAttrib();
}

} // namespace

void drawControlsOverlay(Font& font, float width, float height) {
    drawVeil(width, height);
    float scale = largestScale;
    float keys = keyColumnWidth(font, scale);
    while (scale > smallestScale &&
           lineCount(font, scale, width - 2 * margin - keys - columnGap) * scale * lineSpacing >
               height - 2 * margin) {
        scale -= 1;
        keys = keyColumnWidth(font, scale);
    }
    const float effectX = margin + keys + columnGap;
    const float effectWidth = width - effectX - margin;
    const float step = scale * lineSpacing;
    float y = height - margin - scale;
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(keyColour);
    piece.assign(title);
    font.displayText(piece, margin, y, scale);
    for (int i = 0; i < controlLineCount; ++i) {
        y -= step;
        glColor4fv(keyColour);
        piece.assign(controlLines[i].input);
        font.displayText(piece, margin, y, scale);
        glColor4fv(effectColour);
        bool first = true;
        wrap(font, controlLines[i].effect, scale, effectWidth,
             [&](const char* text, size_t length) {
                 if (!first)
                     y -= step;
                 first = false;
                 piece.assign(text, length);
                 font.displayText(piece, effectX, y, scale);
             });
    }
    glPopAttrib();
}
