#pragma once

class Font;

// The list of keys (F1) over the whole window, in window pixels with y upwards: a dark veil,
// a title, and each key beside what it does, wrapped to the window and made smaller until all
// of it fits.
void drawControlsOverlay(Font& font, float width, float height);
