#pragma once
#include <list>
#include <vector>

#include "bodies/star.h"
#include "bodies/wormhole.h"
#include "combat/projectile.h"
#include "combat/ship.h"

class TimerBase;
class Player;

// Everything that lives in one star system. Timers are shared, not owned, by copies:
// only runTimer deletes them.
struct WorldState {
    std::list<TimerBase*> timers;
    std::list<Ship> ships;
    std::list<Projectile> projectiles;
    std::vector<Star> stars;
    std::vector<Wormhole> wormholes;
    // Enemies destroyed here by damage (the player's shots, beam and shockwaves); rams and
    // bodies that swallow a ship do not count.
    unsigned kills = 0;
    // Survival's chasers steer round the reach of stars and planets, and skim the surface of one
    // they come down to instead of falling in.
    bool chasersGoRound = false;
};

struct Universe {
    std::vector<WorldState> worlds;
    Player* player = nullptr;
};
