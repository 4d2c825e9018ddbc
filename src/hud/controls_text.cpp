#include "hud/controls_text.h"

#include <iterator>

const ControlLine controlLines[] = {
    {"W", "thrust forward; on a planet, take off"},
    {"S", "reverse thrust; on a planet, gather take-off charge: each millisecond held adds a "
          "millisecond of thrust when you take off"},
    {"A / D", "turn left / right (not while landed)"},
    {"mouse", "moves the cursor, the point the weapons aim at"},
    {"wheel up / down", "zoom in / out (by a factor of 1.2)"},
    {"space (held)", "fire the selected weapon at the cursor"},
    {"1 / 2 / 3", "select bullets / the laser beam / shockwave shells"},
    {"- / =", "enemies arrive half as often / twice as often"},
    {"N / M", "move the near clipping plane out / in"},
    {"X / C", "move the far clipping plane out / in"},
    {"P", "pause and resume: the world stands still and \"Paused\" shows; leaving the window "
          "pauses too"},
    {"O", "sound off and on again"},
    {"H", "flight aids on / off; off at the start, on in survival"},
    {"G", "with the flight aids on: point their arrow at the system's next wormhole"},
    {"F1 / Esc", "show this list of keys, which pauses the game; F1 again or Esc closes it"},
    {"Q", "quit (closing the window quits too)"},
};

const int controlLineCount = static_cast<int>(std::size(controlLines));
