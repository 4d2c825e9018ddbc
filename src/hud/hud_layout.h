#pragma once
#include "hud/hud_lines.h"

// Where each part of the HUD lies, in window pixels with y upwards (the status lines'
// projection), so that the drawing can keep them apart and a test can check they are.
struct HudRect {
    float left = 0;
    float bottom = 0;
    float right = 0;
    float top = 0;
    bool empty() const { return right <= left || top <= bottom; }
};

bool overlaps(const HudRect& a, const HudRect& b);

// How far a text reaches from its pen: left (at most 0) and right, down to bottom (at most 0) and
// up to top; advance is how far the pen moves, by which the text is centred. A text reaching
// nowhere (right 0) is not shown.
struct TextExtent {
    float left = 0;
    float right = 0;
    float bottom = 0;
    float top = 0;
    float advance = 0;
};

// The texts the HUD shows this frame, each line measured alone at the size it is drawn at; an
// empty one reaches nowhere. The status lines and the survival's end are several lines each, set
// out by the layout.
struct HudTexts {
    TextExtent status[statusLineCount];
    TextExtent figures; // every figure a status line may show, at their size
    TextExtent systemName;
    TextExtent speed; // the flight aids' speed, under the system's name
    TextExtent score;
    TextExtent arrival;
    TextExtent paused;
    TextExtent destroyed[3]; // "Destroyed", the run, the best run
};

// Each part's box and the baseline (y of the pen) it is drawn at; the centred texts are centred
// across the window. The panels are fixed in the top corners.
struct HudLayout {
    HudRect radar, map, status, systemName, speed, score, arrival, paused, destroyed;
    // The score's size, as a share of its own: smaller in a narrow window so that it keeps
    // between the panels.
    float scoreScale = 1;
    float statusX = 0;
    float statusY = 0, systemNameY = 0, speedY = 0, scoreY = 0, arrivalY = 0, pausedY = 0, destroyedY = 0;
};

constexpr float hudPanelSize = 200;
// Between two parts moved apart, in pixels.
constexpr float hudGap = 4;

// tidy false: every part where it has always been. tidy true (the flight aids on): the status
// lines move off the left and bottom edges as far as their text needs, and each centred text that
// would overlap a part placed before it (panels, status lines, system name, then speed, score, arrival
// name, "Paused", the survival's end) moves down just below it; the score first shrinks, down to
// smallestScoreScale of its size, to stay between the panels.
constexpr float smallestScoreScale = 0.6f;
HudLayout layoutHud(float width, float height, const HudTexts& texts, bool tidy);

// Where a label whose box is label goes up to so it clears keepOut: its y unchanged when they
// do not overlap.
float clearAbove(const HudRect& label, const HudRect& keepOut, float y);
