#pragma once
#include "hud/hud_layout.h"

class Font;

// "Paused", centred across the window with its baseline at y (window pixels, y upwards).
void drawPausedText(Font& font, float y);
TextExtent pausedTextExtent(const Font& font);
