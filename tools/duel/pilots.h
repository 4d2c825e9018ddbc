#pragma once
#include <vector>

// Survival runs in the shipped universe, from the start on Hearth, under survival's rules and
// rising pressure, flown by scripted pilots who see what a player sees: the ship, and the chasers
// and bodies on the screen.

struct Game;
class Planet;

// The start planet Hearth in the current system, or null when the data has none by that name.
const Planet* hearth(Game& game);

// What a run came to: its seconds and kills, and the hit points left when it was cut short.
struct RunResult {
    float seconds = 0;
    unsigned kills = 0;
    float health = 0;
};

enum class Pilot {
    camper, // stays landed on Hearth and fires at the nearest chaser on the screen
    flyer,  // takes off, keeps circling the home star and fires at the nearest chaser on the screen
    blindCamper, // stays landed on Hearth, the cursor straight out into space, fire held
    coaster,     // half a second of W, then hands off, never firing
};

// One run until the ship is destroyed or longestMs has passed, with the given weapon (0 to 2) and
// spawn sequence; the tables must be loaded.
RunResult survivalRun(Pilot pilot, int weapon, unsigned seed, unsigned longestMs);

// A newcomer's first flight: from the landed start on Hearth, in the ordinary game with its
// stream of chasers, to the gate the flight aids first point at, flown only by what the aids
// show (the gate's direction, distance and closing speed, the ship's speed and heading, the
// predicted path). Whether it got there within longestMs, when, and the hit points left.
struct GateRun {
    bool reached = false;
    float seconds = 0;
    float health = 0;
};
GateRun newcomerRun(unsigned seed, unsigned longestMs);

// The middle value (the mean of the two middle ones for an even count), smallest and largest.
struct Spread {
    float median = 0;
    float low = 0;
    float high = 0;
};
Spread spread(std::vector<float> values);
