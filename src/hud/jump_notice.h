#pragma once
#include <string>

struct WorldState;

// The name of the star system just reached, shown for a few seconds after a wormhole jump.
struct JumpNotice {
    std::string text;
    unsigned shownAt = 0;
};

constexpr unsigned jumpNoticeDuration = 3000;

// Names the system arrived in by its first star; a system without stars has no name to show.
void announceArrival(JumpNotice& notice, const WorldState& arrival, unsigned now);

// How strongly the name shows at now: full, then fading over its last half second; 0 once its
// time is up.
float jumpNoticeOpacity(const JumpNotice& notice, unsigned now);
