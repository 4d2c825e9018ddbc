#pragma once

struct Game;
struct Step;

class FrameSteps;

// A frame's steps played without drawing: a frame played without a window.
void playSteps(Game& game, const FrameSteps& steps);
// A frame's steps, the last of them drawn: in it each pass updates, then draws what it left.
// True: the frame is drawn.
bool playAndDrawSteps(Game& game, const FrameSteps& steps);
// A paused frame: its two lines, and the world as the last step left it drawn again when a
// still picture is due. True when drawn.
bool drawHeldFrame(Game& game, unsigned frameStart);

// The camera round the player: perspective projection and the modelview the world is drawn in.
void setCamera(const Game& game);

