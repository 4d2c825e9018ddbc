#pragma once

struct Game;
struct Step;

// One step of every pass's update, without drawing: a step the clock has left behind, or a
// frame played without a window.
void simulateStep(Game& game, const Step& step);
// The frame's last step: each pass updates, then draws what it left.
void simulateAndDrawStep(Game& game, const Step& step);
// The world as the last step left it, drawn again (a paused frame).
void drawHeldFrame(Game& game);

// The camera round the player: perspective projection and the modelview the world is drawn in.
void setCamera(const Game& game);

// A paused frame's two lines, printed as every frame prints them.
void announceHeldFrame();
