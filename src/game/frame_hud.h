#pragma once

struct Game;

// What is drawn over the world: cursor, boundary, the flight aids, status text, pause, jump
// notice, survival figures and the two panels.
void drawHud(Game& game);

// G with the aids on: the arrow moves on to the system's next gate, and standard error says where
// that gate leads.
void pickNextGate(Game& game);
