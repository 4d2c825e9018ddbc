#pragma once

struct Game;

// Draws what readHud read over the world: cursor, boundary, the flight aids, the texts measured
// and laid out, the two panels and the list of keys.
void drawHud(Game& game);
