#pragma once

class Font;

// Survival's figures, drawn in window pixels with y upwards (the status lines' projection).

// The run's time and kills at the top centre, above the arrival name, clear of the panels.
void drawRunScore(Font& font, unsigned kills, float seconds);

// "Destroyed" over the wreck, with the run just ended and the best run so far under it.
void drawDestroyed(Font& font, unsigned kills, float seconds, unsigned bestKills,
                   float bestSeconds);
