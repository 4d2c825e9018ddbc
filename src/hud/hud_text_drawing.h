#pragma once
#include "hud/hud_layout.h"
#include "hud/hud_lines.h"

class Font;

// The HUD's texts where the layout puts them, in window pixels with y upwards: the status lines,
// "Paused", the arrival name, survival's figures, the aids' system name and speed. The status
// lines and "Paused" take the current colour; the others their own, which nothing drawn later
// sees.
void drawHudTexts(Font& font, const HudLines& lines, const HudLayout& layout);
