#include "hud/hud_text_drawing.h"

#include <GL/gl.h>

#include "graphics/font.h"
#include "graphics/window_size.h"

namespace {

const GLfloat scoreColour[4] = {1, 0.85f, 0.3f, 1};
const GLfloat destroyedColour[4] = {1, 0.3f, 0.2f, 1};
const GLfloat aidColour[4] = {0.3f, 1, 0.9f, 0.9f};

// One line to draw: centred across the window or from x, on the baseline y, in its own colour or
// (null) the current one.
struct Placed {
    const std::string* text;
    bool centred;
    float x;
    float y;
    float scale;
    const GLfloat* colour;
};

} // namespace

void drawHudTexts(Font& font, const HudLines& lines, const HudLayout& layout) {
    const GLfloat fading[4] = {1, 1, 1, lines.arrivalOpacity};
    // The status lines from the bottom up, each baseline statusSpacing above the last.
    const float x = layout.statusX;
    float y[statusLineCount] = {layout.statusY};
    for (int i = 1; i < statusLineCount; ++i)
        y[i] = y[i - 1] + statusSpacing;
    const Placed all[] = {
        {lines.status[0], false, x, y[0], statusScale, nullptr},
        {lines.status[1], false, x, y[1], statusScale, nullptr},
        {lines.status[2], false, x, y[2], statusScale, nullptr},
        {lines.status[3], false, x, y[3], statusScale, nullptr},
        {lines.status[4], false, x, y[4], statusScale, nullptr},
        {&lines.paused, true, 0, layout.pausedY, pausedScale, nullptr},
        {&lines.arrival, true, 0, layout.arrivalY, arrivalScale, fading},
        {&lines.score, true, 0, layout.scoreY, scoreScale * layout.scoreScale, scoreColour},
        {&lines.destroyed[0], true, 0, layout.destroyedY, destroyedScale, destroyedColour},
        {&lines.destroyed[1], true, 0, layout.destroyedY - runDrop, figuresScale, destroyedColour},
        {&lines.destroyed[2], true, 0, layout.destroyedY - bestDrop, figuresScale,
         destroyedColour},
        {&lines.systemName, true, 0, layout.systemNameY, systemNameScale, aidColour},
        {&lines.speed, true, 0, layout.speedY, aidLabelScale, aidColour},
    };
    for (const Placed& line : all) {
        if (!line.text || line.text->empty())
            continue;
        // The font's glyphs are alpha textures: they take the colour given, and the colour and
        // texture mode are put back afterwards.
        if (line.colour) {
            glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            glColor4fv(line.colour);
        }
        const float left =
            line.centred ? (w - font.textWidth(*line.text, line.scale)) / 2 : line.x;
        font.displayText(*line.text, left, line.y, line.scale);
        if (line.colour)
            glPopAttrib();
    }
}
