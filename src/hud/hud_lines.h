#pragma once
#include <cstddef>
#include <string>

// What the HUD says this frame. Each text is written once, before anything is drawn; then it is
// measured, laid out and drawn as it stands. An empty text, or a null status line, is not shown.

// The five status lines at the bottom left, from the bottom up: frame rate, ships, projectiles,
// timers, hit points.
constexpr int statusLineCount = 5;
using StatusLines = const std::string* [statusLineCount];

// The sizes the texts are drawn at; the status lines stand statusSpacing apart, and the run's
// figures under "Destroyed" stand runDrop and bestDrop below its baseline.
constexpr float statusScale = 20;
constexpr float statusSpacing = 30;
constexpr float systemNameScale = 18;
constexpr float aidLabelScale = 16; // the ship's speed and the gate's label
constexpr float scoreScale = 20;
constexpr float destroyedScale = 40;
constexpr float figuresScale = 22;
constexpr float runDrop = 55;
constexpr float bestDrop = 95;
constexpr float arrivalScale = 24;
constexpr float pausedScale = 40;

struct HudLines {
    StatusLines status = {};
    std::string systemName; // the flight aids': the system's star, then the ship's speed
    std::string speed;
    std::string score; // survival's time and kills
    // "Destroyed", then the run just ended and the best run.
    std::string destroyed[3];
    std::string arrival; // the system just reached, fading out at arrivalOpacity
    float arrivalOpacity = 0;
    std::string paused;
    // The chosen gate's label, the closing speed under it.
    std::string gateLabel;
    std::string closing;
};

// Every text emptied, keeping its memory: a frame then says only what it shows.
void clearHudLines(HudLines& lines);

// "Time 1:05   Kills 12".
void sayScore(HudLines& lines, unsigned kills, float seconds);
// "Destroyed", "12 kills in 1:05", "Best run: 30 kills in 4:10".
void sayDestroyed(HudLines& lines, unsigned kills, float seconds, unsigned bestKills,
                  float bestSeconds);
// "speed 0.84 units/ms".
void saySpeed(HudLines& lines, float speed);
// "to Tallow 22.8k" (below a thousand units the whole number) and "closing 0.84/ms" (negative
// while the distance grows).
void sayGate(HudLines& lines, const char* leadsTo, float distance, float closingSpeed);
