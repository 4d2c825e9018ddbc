#pragma once

struct Game;

// Start-up: window, GL state, textures, tables, shaders, player, font and star systems.
// False when the game cannot start (its reason already printed); the caller then ends with 1.
bool startGame(Game& game, bool fullscreen);

// Start-up without a window or OpenGL, for a replay played headless: the same seeds and clock
// readings in the same order as startGame, the tables, the player and the star systems.
bool startHeadless(Game& game);
