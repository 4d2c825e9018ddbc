#pragma once
#include "hud/hud_layout.h"

class Font;

// Survival's figures, drawn in window pixels with y upwards (the status lines' projection),
// centred across the window with their first baseline at y.

// The run's time and kills, at the top centre.
// share: of the figures' own size.
void drawRunScore(Font& font, unsigned kills, float seconds, float y, float share);
TextExtent runScoreExtent(const Font& font, unsigned kills, float seconds);

// "Destroyed" over the wreck, with the run just ended and the best run so far under it.
void drawDestroyed(Font& font, unsigned kills, float seconds, unsigned bestKills, float bestSeconds,
                   float y);
TextExtent destroyedExtent(const Font& font, unsigned kills, float seconds, unsigned bestKills,
                           float bestSeconds);
