#include "hud/paused_text.h"

#include <string>

#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/status_lines.h"

namespace {

const std::string pausedLine = "Paused";
constexpr float pausedScale = 40;

} // namespace

void drawPausedText(Font& font, float y) {
    font.displayText(pausedLine, (w - font.textWidth(pausedLine, pausedScale)) / 2, y, pausedScale);
}

TextExtent pausedTextExtent(const Font& font) {
    return measureText(font, pausedLine, pausedScale);
}
