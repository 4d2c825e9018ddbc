#include "hud/status_lines.h"

#include <algorithm>

#include "graphics/font.h"

namespace {

constexpr float statusScale = 20;
constexpr float lineSpacing = 30;

} // namespace

void drawStatusLines(Font& font, const StatusLines& lines, float x, float y) {
    for (const std::string* line : lines) {
        font.displayText(*line, x, y, statusScale);
        y += lineSpacing;
    }
}

TextExtent measureText(const Font& font, const std::string& text, float scale) {
    TextExtent extent;
    if (text.empty())
        return extent;
    // The outline reaches as far to the left and the right as up and down.
    extent.advance = font.textWidth(text, scale);
    extent.left = -font.outline;
    extent.right = extent.advance + font.outline;
    font.textHeight(text, scale, extent.bottom, extent.top);
    return extent;
}

TextExtent statusExtent(const Font& font, const StatusLines& lines) {
    // Every line reaches at least as low as any figure would take it, so that the block stands
    // still while the figures change.
    static const std::string figures = "0123456789.-";
    const TextExtent figure = measureText(font, figures, statusScale);
    TextExtent block;
    for (int i = 0; i < statusLineCount; ++i) {
        const TextExtent line = measureText(font, *lines[i], statusScale);
        block.left = std::min(block.left, figure.left);
        block.right = std::max(block.right, line.right);
        block.advance = std::max(block.advance, line.advance);
        block.bottom =
            std::min(block.bottom, i * lineSpacing + std::min(line.bottom, figure.bottom));
        block.top = std::max(block.top, i * lineSpacing + line.top);
    }
    return block;
}
