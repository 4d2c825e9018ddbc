#include "hud/hud_layout.h"

#include <algorithm>
#include <cmath>

bool overlaps(const HudRect& a, const HudRect& b) {
    if (a.empty() || b.empty())
        return false;
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

namespace {

// Where the texts have always stood.
constexpr float scoreDrop = 32;
constexpr float systemNameDrop = 100; // the flight aids' system name
constexpr float speedDrop = 125;      // and their speed under it
constexpr float arrivalBetweenDrop = 70;
constexpr float arrivalBelowDrop = hudPanelSize + 50;
constexpr float arrivalClearance = 10; // beside each panel, for the arrival name between them
constexpr float centreRise = 100;      // "Paused" and "Destroyed" above the window's middle

// The text at share k of its size; its outline, as far as its left edge reaches, keeps its width.
TextExtent shrunk(const TextExtent& text, float k) {
    const float outline = -text.left;
    return TextExtent{text.left, (text.right - outline) * k + outline,
                      (text.bottom + outline) * k - outline, (text.top - outline) * k + outline,
                      text.advance * k};
}

// The share of its size at which the text fits between the panels, at most 1.
float shareBetweenPanels(const TextExtent& text, float width) {
    const float outlines = -2 * text.left;
    const float glyphs = text.right - text.left - outlines;
    const float room = width - 2 * (hudPanelSize + hudGap) - outlines;
    return glyphs <= room ? 1.0f : room / glyphs;
}

HudRect textBox(const TextExtent& text, float x, float y) {
    if (text.right <= 0)
        return HudRect{};
    return HudRect{x + text.left, y + text.bottom, x + text.right, y + text.top};
}

HudRect centredBox(const TextExtent& text, float width, float y) {
    return textBox(text, (width - text.advance) / 2, y);
}

// Moves a centred text down from y until it is under the window's top edge and overlaps none of
// placed.
template <int N>
float clearBelow(const TextExtent& text, float width, float height, float y,
                 const HudRect* (&placed)[N]) {
    y = std::min(y, height - text.top);
    for (bool moved = true; moved;) {
        moved = false;
        const HudRect box = centredBox(text, width, y);
        for (const HudRect* other : placed)
            if (other && overlaps(box, *other)) {
                y = other->bottom - hudGap - text.top;
                moved = true;
            }
    }
    return y;
}

// The status lines as one block from the first line's baseline, statusSpacing apart. Every line
// reaches at least as low as any figure would take it, so that the block stands still while the
// figures change.
TextExtent statusBlock(const HudTexts& texts) {
    TextExtent block;
    for (int i = 0; i < statusLineCount; ++i) {
        const TextExtent& line = texts.status[i];
        block.left = std::min(block.left, texts.figures.left);
        block.right = std::max(block.right, line.right);
        block.advance = std::max(block.advance, line.advance);
        block.bottom = std::min(block.bottom,
                                i * statusSpacing + std::min(line.bottom, texts.figures.bottom));
        block.top = std::max(block.top, i * statusSpacing + line.top);
    }
    return block;
}

// A line centred under the block, whose advance is the widest line's, drop pixels lower.
void addCentredLine(TextExtent& block, const TextExtent& line, float drop) {
    const float shift = (block.advance - line.advance) / 2;
    block.left = std::min(block.left, line.left + shift);
    block.right = std::max(block.right, line.right + shift);
    block.bottom = std::min(block.bottom, line.bottom - drop);
    block.top = std::max(block.top, line.top - drop);
}

// "Destroyed" and the two runs under it, each line centred on its own, so the block's pen stands
// where the widest line's does.
TextExtent destroyedBlock(const HudTexts& texts) {
    const TextExtent& title = texts.destroyed[0];
    if (title.right <= 0)
        return TextExtent{};
    const TextExtent& run = texts.destroyed[1];
    const TextExtent& best = texts.destroyed[2];
    const float widest = std::max({title.advance, run.advance, best.advance});
    TextExtent block{widest, 0, title.top, title.bottom, widest};
    addCentredLine(block, title, 0);
    addCentredLine(block, run, runDrop);
    addCentredLine(block, best, bestDrop);
    return block;
}

} // namespace

HudLayout layoutHud(float width, float height, const HudTexts& texts, bool tidy) {
    const TextExtent status = statusBlock(texts);
    const TextExtent destroyed = destroyedBlock(texts);
    HudLayout layout;
    layout.radar = HudRect{0, height - hudPanelSize, hudPanelSize, height};
    layout.map = HudRect{width - hudPanelSize, height - hudPanelSize, width, height};
    const float middle = std::floor(height / 2);
    layout.systemNameY = height - systemNameDrop;
    layout.speedY = height - speedDrop;
    layout.scoreY = height - scoreDrop;
    const bool arrivalFits = texts.arrival.advance + 2 * (hudPanelSize + arrivalClearance) <= width;
    layout.arrivalY = height - (arrivalFits ? arrivalBetweenDrop : arrivalBelowDrop);
    layout.pausedY = middle + centreRise;
    layout.destroyedY = middle + centreRise;
    if (tidy) {
        layout.statusX = -status.left;
        layout.statusY = -status.bottom;
        layout.status = textBox(status, layout.statusX, layout.statusY);
        layout.systemName = centredBox(texts.systemName, width, layout.systemNameY);
        // Each text in turn keeps clear of those placed before it.
        const HudRect* placed[] = {&layout.radar, &layout.map, &layout.status, &layout.systemName,
                                   nullptr,       nullptr,     nullptr,        nullptr};
        layout.speedY = clearBelow(texts.speed, width, height, layout.speedY, placed);
        layout.speed = centredBox(texts.speed, width, layout.speedY);
        placed[4] = &layout.speed;
        const float share = shareBetweenPanels(texts.score, width);
        if (share >= smallestScoreScale)
            layout.scoreScale = share;
        const TextExtent score = shrunk(texts.score, layout.scoreScale);
        layout.scoreY = clearBelow(score, width, height, height - scoreDrop, placed);
        layout.score = centredBox(score, width, layout.scoreY);
        placed[5] = &layout.score;
        layout.arrivalY =
            clearBelow(texts.arrival, width, height, height - arrivalBetweenDrop, placed);
        layout.arrival = centredBox(texts.arrival, width, layout.arrivalY);
        placed[6] = &layout.arrival;
        layout.pausedY = clearBelow(texts.paused, width, height, layout.pausedY, placed);
        layout.paused = centredBox(texts.paused, width, layout.pausedY);
        placed[7] = &layout.paused;
        layout.destroyedY = clearBelow(destroyed, width, height, layout.destroyedY, placed);
    }
    layout.status = textBox(status, layout.statusX, layout.statusY);
    layout.systemName = centredBox(texts.systemName, width, layout.systemNameY);
    layout.speed = centredBox(texts.speed, width, layout.speedY);
    layout.score = centredBox(shrunk(texts.score, layout.scoreScale), width, layout.scoreY);
    layout.arrival = centredBox(texts.arrival, width, layout.arrivalY);
    layout.paused = centredBox(texts.paused, width, layout.pausedY);
    layout.destroyed = centredBox(destroyed, width, layout.destroyedY);
    return layout;
}

float clearAbove(const HudRect& label, const HudRect& keepOut, float y) {
    if (!overlaps(label, keepOut))
        return y;
    return y + keepOut.top + hudGap - label.bottom;
}
