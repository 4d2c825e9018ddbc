// orrisk-duel [--check] [--seeds N] [--newcomer]: duels without a window, in the data files of
// the working directory.
// The ship hovers at rest in empty space while chasers arrive as the game spawns them; a scripted
// pilot aims at the nearest chaser and holds fire with one weapon, or with none. Prints the
// seconds survived and the kills for each, averaged over several spawn sequences, and what each
// weapon kills of a bunch of eight. With --check, ends with 1 unless every weapon outlasts no
// weapon by a quarter, a swept laser kills in the bunch and a shell volley kills several, unless
// survival's rising pressure ends a laser pilot's run within three to five minutes on average and
// an unarmed one's within one, and unless the ship starts landed on Hearth and a tap of W takes
// off unharmed whenever it comes. Then survival runs from the start on Hearth over N spawn
// sequences (20 unless given): a camper and a flyer for each weapon, a ship landed firing shells
// blindly into space and one that takes off and coasts; with --check it also ends with 1 unless
// each weapon's flyer lasts longer and kills more than its camper (medians), a laser flyer's
// median run is three to ten minutes, the blind shell camper is always destroyed within 150 s and
// the coaster always keeps half its hit points through the first 30 s.
// With --newcomer, only a newcomer's first flights instead: over N spawn sequences, from the start
// on Hearth to the gate the flight aids first point at, flown by what the aids show; with --check
// it ends with 1 unless every flight reaches that gate and their median is under 45 s.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "combat/timers.h"
#include "data/weapon_ship_tables.h"
#include "game/game.h"
#include "game/player_loader.h"
#include "game/universe_loader.h"
#include "graphics/emitter_data.h"
#include "pilots.h"

namespace {

constexpr int frameMs = 16;
constexpr unsigned longestDuel = 300000;
constexpr unsigned longestSurvival = 900000;
constexpr int seeds = 5;

struct Result {
    float seconds = 0;
    float kills = 0;
};

// The cursor, in percent of the view, on `target`, or on the view's edge towards it when it is
// farther out: the pilot can aim only at what is on the screen.
void aimAt(Game& game, point target) {
    const Player& ship = *game.universe.player;
    const ViewRect v = viewRect(game.loop, ship.position);
    point offset{target.x - ship.position.x, target.y - ship.position.y};
    const float halfWidth = (v.right - v.left) / 2;
    const float halfHeight = (v.top - v.bottom) / 2;
    const float scale = std::max(std::fabs(offset.x) / halfWidth, std::fabs(offset.y) / halfHeight);
    if (scale > 1) {
        offset.x /= scale;
        offset.y /= scale;
    }
    game.loop.cursor = point{50 + offset.x / halfWidth * 50, 50 + offset.y / halfHeight * 50};
}

const Ship* nearestChaser(Game& game) {
    const point at = game.universe.player->position;
    const Ship* nearest = nullptr;
    for (const Ship& s : currentWorld(game).ships)
        if (!nearest || pointDistance(s.position, at) < pointDistance(nearest->position, at))
            nearest = &s;
    return nearest;
}

// One duel: the ship at rest at the origin of an empty system, the clock scripted.
class Duel {
  public:
    Duel(int weapon, unsigned seed) : ship(initializePlayer()) {
        // After the player: its engine flame seeds the generator from the time of day.
        std::srand(seed);
        game.clock = [this] { return now; };
        ship->position = point{0, 0};
        game.universe.player = ship.get();
        game.universe.worlds.resize(1);
        game.loop.lastTicks = now;
        game.loop.lastSpawn = now;
        game.loop.spawnInterval = 500;
        if (weapon >= 0)
            ship->weapon = weapon;
    }
    ~Duel() {
        for (TimerBase* timer : world().timers)
            delete timer;
    }
    WorldState& world() { return currentWorld(game); }
    float seconds() const { return static_cast<float>(now - start) / 1000; }
    bool alive() const { return ship->getHealth() > 0; }

    // A frame with the fire key held or not; ships gone other than by ramming are kills.
    void frame(bool fire) {
        const unsigned spawnedBefore = game.loop.lastSpawn;
        const size_t shipsBefore = world().ships.size();
        const float healthBefore = ship->getHealth();
        game.input.fire = fire;
        now += frameMs;
        simulateFrame(game);
        const size_t spawned = game.loop.lastSpawn != spawnedBefore ? 1 : 0;
        const float rams = (healthBefore - ship->getHealth()) / SHIPDATA.at(1).at(4);
        kills += static_cast<float>(shipsBefore + spawned - world().ships.size()) - rams;
    }

    Game game;
    static constexpr unsigned start = 1000;
    unsigned now = start;
    std::unique_ptr<Player> ship;
    float kills = 0;
};

// The standard stream of chasers until the ship is destroyed, firing at the nearest one; in
// survival the stream thickens as the run goes on.
Result stream(int weapon, unsigned seed, bool survival) {
    Duel duel(weapon, seed);
    const unsigned longest = survival ? longestSurvival : longestDuel;
    while (duel.alive() && duel.now < longest) {
        if (survival)
            duel.game.loop.spawnInterval = pressureSpawnInterval(duel.now - Duel::start);
        const Ship* target = nearestChaser(duel.game);
        if (target)
            aimAt(duel.game, target->position);
        duel.frame(weapon >= 0 && target);
    }
    return Result{duel.seconds(), duel.kills};
}

// Eight chasers at rest in a bunch 2000 units east; for four seconds the pilot fires at the
// nearest, or with the laser sweeps across the bunch, 300 units either side, once a second.
float bunchKills(int weapon) {
    Duel duel(weapon, 1);
    duel.game.loop.spawnInterval = 1e9f;
    for (int i = 0; i < 8; ++i)
        duel.world().ships.emplace_back(point{2000 + 60.0f * (i % 3), 60.0f * (i / 3 - 1)}, 1);
    while (duel.seconds() < 4 && !duel.world().ships.empty()) {
        point aim = nearestChaser(duel.game)->position;
        if (weapon == 1)
            aim = point{2000, 300 * std::sin(duel.seconds() * 6.2832f)};
        aimAt(duel.game, aim);
        duel.frame(true);
    }
    return duel.kills;
}

// From the start in the shipped universe: hands off for waitMs, then W held for half a second
// and hands off for five more. Whether the ship sat on Hearth from the first frame until the tap,
// whether it then left it, and its hit points at the end.
struct TakeOff {
    bool landedOnHearth = true;
    bool leftHearth = false;
    float health = 0;
};

TakeOff firstFlight(int waitMs) {
    Game game;
    unsigned now = 1000;
    game.clock = [&now] { return now; };
    std::unique_ptr<Player> ship(initializePlayer());
    game.universe.player = ship.get();
    game.universe.worlds.resize(1);
    TakeOff result;
    if (!initializeStars(game.universe) || !hearth(game))
        return TakeOff{false, false, 0};
    game.loop.lastTicks = now;
    game.loop.lastSpawn = now;
    game.loop.spawnInterval = 1e9f;
    constexpr int tapMs = 500;
    for (int ms = 0; ms < waitMs + tapMs + 5000; ms += frameMs) {
        game.input.keys.forward = ms >= waitMs && ms < waitMs + tapMs;
        now += frameMs;
        simulateFrame(game);
        const Planet& planet = *hearth(game);
        const float surface = planet.getRadius() + ship->getRadius();
        const bool onHearth =
            ship->isLanded() && pointDistance(planet.position, ship->position) < surface * 1.2f;
        if (ms < waitMs)
            result.landedOnHearth = result.landedOnHearth && onHearth;
        else if (pointDistance(planet.position, ship->position) > surface * 1.2f)
            result.leftHearth = true;
    }
    result.health = ship->getHealth();
    for (WorldState& world : game.universe.worlds)
        for (TimerBase* timer : world.timers)
            delete timer;
    return result;
}

Result averageStream(int weapon, bool survival) {
    Result sum;
    for (int i = 0; i < seeds; ++i) {
        const Result r = stream(weapon, static_cast<unsigned>(i + 1), survival);
        sum.seconds += r.seconds / seeds;
        sum.kills += r.kills / seeds;
    }
    return sum;
}

} // namespace

// The survival runs over every seed: each weapon's camper and flyer, the blind shell camper and
// the coaster. True when survival keeps rewarding the flyer.
bool survivalPilots(std::FILE* out, unsigned seedCount) {
    const char* weapons[] = {"bullets", "laser", "shells"};
    constexpr unsigned longest = 900000;
    std::fprintf(out, "\n| Pilot | Weapon | Kills: median (range) | Seconds: median (range) |\n"
                      "|---|---|---|---|\n");
    bool rewarding = true;
    for (int weapon = 0; weapon < 3; ++weapon) {
        Spread kills[2];
        Spread seconds[2];
        for (int p = 0; p < 2; ++p) {
            std::vector<float> k, t;
            for (unsigned seed = 1; seed <= seedCount; ++seed) {
                const RunResult r =
                    survivalRun(p == 0 ? Pilot::camper : Pilot::flyer, weapon, seed, longest);
                k.push_back(static_cast<float>(r.kills));
                t.push_back(r.seconds);
            }
            kills[p] = spread(k);
            seconds[p] = spread(t);
            std::fprintf(out, "| %s | %s | %.0f (%.0f to %.0f) | %.1f (%.1f to %.1f) |\n",
                         p == 0 ? "camper" : "flyer", weapons[weapon], kills[p].median,
                         kills[p].low, kills[p].high, seconds[p].median, seconds[p].low,
                         seconds[p].high);
            std::fflush(out);
        }
        rewarding =
            rewarding && seconds[1].median > seconds[0].median && kills[1].median > kills[0].median;
        if (weapon == 1)
            rewarding = rewarding && seconds[1].median >= 180 && seconds[1].median <= 600;
    }
    std::vector<float> blind, coast;
    for (unsigned seed = 1; seed <= seedCount; ++seed) {
        blind.push_back(survivalRun(Pilot::blindCamper, 2, seed, longest).seconds);
        coast.push_back(survivalRun(Pilot::coaster, 0, seed, 30000).health);
    }
    const Spread b = spread(blind);
    const Spread c = spread(coast);
    std::fprintf(out,
                 "\nLanded on Hearth, shells fired blindly into space: destroyed after %.1f s "
                 "(%.1f to %.1f).\nTaken off and coasting: %.0f hit points after 30 s (%.0f to "
                 "%.0f).\n",
                 b.median, b.low, b.high, c.median, c.low, c.high);
    return rewarding && b.high <= 150 && c.low >= 50;
}

// A newcomer's flight to the first gate over every seed, a row each and their spread. True when
// every flight got there and the median is under 45 s.
bool newcomerFlights(std::FILE* out, unsigned seedCount) {
    constexpr unsigned longest = 600000;
    std::fprintf(out,
                 "| Seed | Reached the gate | Seconds | Hit points left |\n|---|---|---|---|\n");
    std::vector<float> seconds;
    unsigned reached = 0;
    for (unsigned seed = 1; seed <= seedCount; ++seed) {
        const GateRun run = newcomerRun(seed, longest);
        std::fprintf(out, "| %u | %s | %.1f | %.0f |\n", seed, run.reached ? "yes" : "no",
                     run.seconds, run.health);
        std::fflush(out);
        seconds.push_back(run.seconds);
        reached += run.reached ? 1 : 0;
    }
    const Spread s = spread(seconds);
    std::fprintf(out, "\nReached the gate %u times of %u; seconds: median %.1f (%.1f to %.1f).\n",
                 reached, seedCount, s.median, s.low, s.high);
    return reached == seedCount && s.median < 45;
}

int main(int argc, char** argv) {
    bool check = false;
    bool newcomer = false;
    long seedCount = 20;
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--newcomer") == 0)
            newcomer = true;
        else if (std::strcmp(argv[i], "--seeds") == 0 && i + 1 < argc &&
                 (seedCount = std::strtol(argv[++i], &end, 10)) > 0 && *end == '\0')
            continue;
        else {
            std::fputs("usage: orrisk-duel [--check] [--seeds N] [--newcomer]\n", stderr);
            return 2;
        }
    }
    // The frame prints its own lines on standard output; the results go to the original one.
    std::FILE* out = fdopen(dup(1), "w");
    if (!out || !std::freopen("/dev/null", "w", stdout))
        return 1;
    // The universe's wormholes name the flame's and the swirl's programs. Nothing is drawn here and
    // without an OpenGL context the emitters look up no uniforms, so two placeholders do.
    shaders.assign(2, 0);
    if (!initializeWeaponArray() || !initializeShipArray()) {
        std::fputs("orrisk-duel: the weapon and ship tables cannot be read here\n", stderr);
        return 1;
    }
    if (newcomer) {
        const bool arriving = newcomerFlights(out, static_cast<unsigned>(seedCount));
        std::fflush(out);
        if (check && !arriving)
            std::fputs("orrisk-duel: a newcomer does not reach the first gate by the aids\n",
                       stderr);
        return check && !arriving ? 1 : 0;
    }
    const char* names[] = {"no weapon", "bullets", "laser", "shells"};
    Result results[4];
    Result survival[4];
    float bunch[4] = {0, 0, 0, 0};
    std::fprintf(out, "| Weapon | Seconds survived | Kills | Kills in a bunch of 8 "
                      "| Survival: seconds | Survival: kills |\n"
                      "|---|---|---|---|---|---|\n");
    for (int weapon = -1; weapon < 3; ++weapon) {
        results[weapon + 1] = averageStream(weapon, false);
        survival[weapon + 1] = averageStream(weapon, true);
        if (weapon >= 0)
            bunch[weapon + 1] = bunchKills(weapon);
        std::fprintf(out, "| %s | %.1f | %.1f | %.0f | %.1f | %.1f |\n", names[weapon + 1],
                     results[weapon + 1].seconds, results[weapon + 1].kills, bunch[weapon + 1],
                     survival[weapon + 1].seconds, survival[weapon + 1].kills);
    }
    std::fprintf(out, "\n| First flight: W after | Landed on Hearth until then | Took off "
                      "| Hit points left |\n|---|---|---|---|\n");
    bool gentle = true;
    for (int wait : {0, 400, 1000, 3000, 10000, 30000}) {
        const TakeOff t = firstFlight(wait);
        std::fprintf(out, "| %.1f s | %s | %s | %.0f |\n", wait / 1000.0,
                     t.landedOnHearth ? "yes" : "no", t.leftHearth ? "yes" : "no", t.health);
        gentle = gentle && t.landedOnHearth && t.leftHearth && t.health == 100;
    }
    std::fflush(out);
    const bool rewarding = survivalPilots(out, static_cast<unsigned>(seedCount));
    std::fflush(out);
    if (!check)
        return 0;
    const bool pressing =
        survival[0].seconds < 60 && survival[2].seconds >= 180 && survival[2].seconds <= 300;
    bool balanced = gentle && pressing && bunch[2] >= 2 && bunch[3] >= 3;
    for (int i = 1; i < 4; ++i)
        balanced = balanced && results[i].seconds > results[0].seconds * 1.25f;
    if (!balanced)
        std::fputs("orrisk-duel: the shipped weapons are out of balance\n", stderr);
    if (!rewarding)
        std::fputs("orrisk-duel: survival does not reward flying over camping\n", stderr);
    return balanced && rewarding ? 0 : 1;
}
