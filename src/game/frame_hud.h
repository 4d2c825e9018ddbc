#pragma once

struct Game;

// What is drawn over the world: cursor, boundary, velocity line, status text, pause, jump notice,
// survival figures, system name and the two panels.
void drawHud(Game& game);
