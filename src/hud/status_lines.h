#pragma once
#include <string>

#include "hud/hud_layout.h"

class Font;

// The five status lines at the bottom left, from the bottom up: frame rate, ships, projectiles,
// timers, hit points.
constexpr int statusLineCount = 5;
using StatusLines = const std::string* [statusLineCount];

// Drawn from x with the first line's baseline at y, the others 30 pixels apart.
void drawStatusLines(Font& font, const StatusLines& lines, float x, float y);

// The block they fill, from the first line's baseline.
TextExtent statusExtent(const Font& font, const StatusLines& lines);

// One text's reach at scale.
TextExtent measureText(const Font& font, const std::string& text, float scale);
