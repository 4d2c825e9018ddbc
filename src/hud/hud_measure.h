#pragma once
#include "hud/hud_layout.h"
#include "hud/hud_lines.h"

class Font;

// Every line of lines measured alone at the size it is drawn at, the font's outline included,
// for the layout to set out.
HudTexts measureHud(const Font& font, const HudLines& lines);
