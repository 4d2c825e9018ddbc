#pragma once
#include "game/command.h"

// The one place that knows SDL's key codes and buttons.

// What a key press asks for; Action::other for keys that only wake a paused picture.
Action keyAction(int keySymbol);
// What a mouse button press asks for: the wheel zooms.
Action buttonAction(int button);

// This frame's command from SDL: pending events (up to maxActions presses; the rest stay queued
// for the next frame), then the held keys and the mouse motion gathered since the last call.
void readInput(Command& command);

// While a replay plays in a window only P (which flips paused), Q and the window's close (true:
// end it) answer; every other event is passed over.
bool readReplayControls(bool& paused);
