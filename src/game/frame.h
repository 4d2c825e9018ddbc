#pragma once

struct Game;

// Exactly one frame of the loop: timing, spawn, the command, motion, drawing and the buffer
// swap. Quitting ends the game through game.quit.
void runFrame(Game& game);

// One frame without drawing: its timing, spawn, command and every step's update, or, while
// paused, only the clock running on and the command. For drivers that play the world headless.
void simulateFrame(Game& game);
