#include "hud/survival_hud.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/status_lines.h"

namespace {

constexpr float scoreScale = 20;
constexpr float destroyedScale = 40;
constexpr float figuresScale = 22;
// The figures' baselines under "Destroyed".
constexpr float runDrop = 55;
constexpr float bestDrop = 95;
const GLfloat scoreColour[4] = {1, 0.85f, 0.3f, 1};
const GLfloat destroyedColour[4] = {1, 0.3f, 0.2f, 1};

// Kept from frame to frame so that drawing the figures reuses their memory.
std::string scoreLine;
std::string destroyedLine = "Destroyed";
std::string runLine;
std::string bestLine;

void centred(Font& font, const std::string& text, float y, float scale) {
    font.displayText(text, (w - font.textWidth(text, scale)) / 2, y, scale);
}

// m:ss, the way a run's time is read.
void clockText(char* out, size_t size, float seconds) {
    const int whole = static_cast<int>(seconds);
    std::snprintf(out, size, "%d:%02d", whole / 60, whole % 60);
}

void formatScore(unsigned kills, float seconds) {
    char time[32];
    clockText(time, sizeof time, seconds);
    char line[96];
    std::snprintf(line, sizeof line, "Time %s   Kills %u", time, kills);
    scoreLine.assign(line);
}

void formatDestroyed(unsigned kills, float seconds, unsigned bestKills, float bestSeconds) {
    char time[32];
    char line[128];
    clockText(time, sizeof time, seconds);
    std::snprintf(line, sizeof line, "%u kills in %s", kills, time);
    runLine.assign(line);
    clockText(time, sizeof time, bestSeconds);
    std::snprintf(line, sizeof line, "Best run: %u kills in %s", bestKills, time);
    bestLine.assign(line);
}

// The font's glyphs are alpha textures: they take the current colour, and nothing else drawn
// later sees a changed colour or texture mode.
void beginText(const GLfloat* colour) {
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(colour);
}

// A line centred under the block, whose advance is the widest line's, drop pixels lower.
void addCentredLine(TextExtent& block, const TextExtent& line, float drop) {
    const float shift = (block.advance - line.advance) / 2;
    block.left = std::min(block.left, line.left + shift);
    block.right = std::max(block.right, line.right + shift);
    block.bottom = std::min(block.bottom, line.bottom - drop);
    block.top = std::max(block.top, line.top - drop);
}

} // namespace

void drawRunScore(Font& font, unsigned kills, float seconds, float y, float share) {
    formatScore(kills, seconds);
    beginText(scoreColour);
    centred(font, scoreLine, y, scoreScale * share);
    glPopAttrib();
}

TextExtent runScoreExtent(const Font& font, unsigned kills, float seconds) {
    formatScore(kills, seconds);
    return measureText(font, scoreLine, scoreScale);
}

void drawDestroyed(Font& font, unsigned kills, float seconds, unsigned bestKills, float bestSeconds,
                   float y) {
    formatDestroyed(kills, seconds, bestKills, bestSeconds);
    beginText(destroyedColour);
    centred(font, destroyedLine, y, destroyedScale);
    centred(font, runLine, y - runDrop, figuresScale);
    centred(font, bestLine, y - bestDrop, figuresScale);
    glPopAttrib();
}

TextExtent destroyedExtent(const Font& font, unsigned kills, float seconds, unsigned bestKills,
                           float bestSeconds) {
    formatDestroyed(kills, seconds, bestKills, bestSeconds);
    const TextExtent title = measureText(font, destroyedLine, destroyedScale);
    const TextExtent run = measureText(font, runLine, figuresScale);
    const TextExtent best = measureText(font, bestLine, figuresScale);
    // Each line is centred on its own, so the block's pen stands where the widest line's does.
    const float widest = std::max({title.advance, run.advance, best.advance});
    TextExtent block{widest, 0, title.top, title.bottom, widest};
    addCentredLine(block, title, 0);
    addCentredLine(block, run, runDrop);
    addCentredLine(block, best, bestDrop);
    return block;
}
