#pragma once
#include <string>

#include "hud/hud_layout.h"

struct WorldState;
class Font;

// The name of the star system just reached, shown for a few seconds after a wormhole jump.
struct JumpNotice {
    std::string text;
    unsigned shownAt = 0;
};

constexpr unsigned jumpNoticeDuration = 3000;

// Names the system arrived in by its first star; a system without stars has no name to show.
void announceArrival(JumpNotice& notice, const WorldState& arrival, unsigned now);

// Whether the name still shows at now.
bool jumpNoticeShown(const JumpNotice& notice, unsigned now);

// Drawn in window pixels with y upwards (the status lines' projection), centred across the
// window with its baseline at y; nothing once its time is up.
void drawJumpNotice(const JumpNotice& notice, Font& font, unsigned now, float y);

// The name's reach at the scale it is drawn at.
TextExtent measureJumpNotice(const JumpNotice& notice, const Font& font);
