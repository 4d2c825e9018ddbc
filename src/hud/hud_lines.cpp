#include "hud/hud_lines.h"

#include <cstdio>

namespace {

// m:ss, the way a run's time is read.
void clockText(char* out, size_t size, float seconds) {
    const int whole = static_cast<int>(seconds);
    std::snprintf(out, size, "%d:%02d", whole / 60, whole % 60);
}

} // namespace

void clearHudLines(HudLines& lines) {
    for (std::string* text : {&lines.systemName, &lines.speed, &lines.score, &lines.destroyed[0],
                              &lines.destroyed[1], &lines.destroyed[2], &lines.arrival,
                              &lines.paused, &lines.gateLabel, &lines.closing})
        text->clear();
    lines.arrivalOpacity = 0;
}

void sayScore(HudLines& lines, unsigned kills, float seconds) {
    char time[32];
    clockText(time, sizeof time, seconds);
    char line[96];
    std::snprintf(line, sizeof line, "Time %s   Kills %u", time, kills);
    lines.score.assign(line);
}

void sayDestroyed(HudLines& lines, unsigned kills, float seconds, unsigned bestKills,
                  float bestSeconds) {
    char time[32];
    char line[128];
    lines.destroyed[0].assign("Destroyed");
    clockText(time, sizeof time, seconds);
    std::snprintf(line, sizeof line, "%u kills in %s", kills, time);
    lines.destroyed[1].assign(line);
    clockText(time, sizeof time, bestSeconds);
    std::snprintf(line, sizeof line, "Best run: %u kills in %s", bestKills, time);
    lines.destroyed[2].assign(line);
}

void saySpeed(HudLines& lines, float speed) {
    char line[48];
    std::snprintf(line, sizeof line, "speed %.2f units/ms", static_cast<double>(speed));
    lines.speed.assign(line);
}

void sayGate(HudLines& lines, const char* leadsTo, float distance, float closingSpeed) {
    char line[96];
    if (distance >= 1000)
        std::snprintf(line, sizeof line, "to %s %.1fk", leadsTo,
                      static_cast<double>(distance / 1000));
    else
        std::snprintf(line, sizeof line, "to %s %.0f", leadsTo, static_cast<double>(distance));
    lines.gateLabel.assign(line);
    std::snprintf(line, sizeof line, "closing %.2f/ms", static_cast<double>(closingSpeed));
    lines.closing.assign(line);
}
