#include "hud/survival_hud.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "graphics/font.h"
#include "graphics/window_size.h"

namespace {

constexpr float scoreScale = 20;
constexpr float scoreDrop = 32;
constexpr float destroyedScale = 40;
constexpr float figuresScale = 22;
const GLfloat scoreColour[4] = {1, 0.85f, 0.3f, 1};
const GLfloat destroyedColour[4] = {1, 0.3f, 0.2f, 1};

// Kept from frame to frame so that drawing the figures reuses its memory.
void centred(Font& font, const char* text, float y, float scale) {
    static std::string line;
    line.assign(text);
    font.displayText(line, (w - font.textWidth(line, scale)) / 2, y, scale);
}

// m:ss, the way a run's time is read.
void clockText(char* out, size_t size, float seconds) {
    const int whole = static_cast<int>(seconds);
    std::snprintf(out, size, "%d:%02d", whole / 60, whole % 60);
}

// The font's glyphs are alpha textures: they take the current colour, and nothing else drawn
// later sees a changed colour or texture mode.
void beginText(const GLfloat* colour) {
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(colour);
}

} // namespace

void drawRunScore(Font& font, unsigned kills, float seconds) {
    char time[32];
    clockText(time, sizeof time, seconds);
    char line[96];
    std::snprintf(line, sizeof line, "Time %s   Kills %u", time, kills);
    beginText(scoreColour);
    centred(font, line, h - scoreDrop, scoreScale);
    glPopAttrib();
}

void drawDestroyed(Font& font, unsigned kills, float seconds, unsigned bestKills,
                   float bestSeconds) {
    char time[32];
    char line[128];
    beginText(destroyedColour);
    centred(font, "Destroyed", h / 2 + 100, destroyedScale);
    clockText(time, sizeof time, seconds);
    std::snprintf(line, sizeof line, "%u kills in %s", kills, time);
    centred(font, line, h / 2 + 45, figuresScale);
    clockText(time, sizeof time, bestSeconds);
    std::snprintf(line, sizeof line, "Best run: %u kills in %s", bestKills, time);
    centred(font, line, h / 2 + 5, figuresScale);
    glPopAttrib();
}
