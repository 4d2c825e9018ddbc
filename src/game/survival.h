#pragma once
#include <memory>
#include <string>
#include <vector>

#include "bodies/world_state.h"
#include "game/scores.h"
#include "player/player.h"

struct Game;
struct Step;

// The pressure: the spawn interval after survivedMs of a run. It starts a little quicker than the
// game's 500 ms and shortens by a step at regular times down to a floor, so every run ends.
float pressureSpawnInterval(unsigned survivedMs);

// How long "Destroyed" and the run's figures show before the next run starts.
constexpr unsigned destroyedShownMs = 3000;

// Survival mode: the run's time and kills, the wreck's few seconds, and the start it goes back to.
struct Survival {
    bool on = false;
    unsigned runStart = 0;  // simulation tick the run began
    bool destroyed = false; // the ship is a wreck; input is ignored
    unsigned destroyedAt = 0;
    Score last; // the run just ended, shown while destroyed
    // The run's kills and whole seconds as the last step left them, for the HUD.
    unsigned shownKills = 0;
    float shownSeconds = 0;
    ScoreTable best;
    // A replayed run reads and writes no scores, and keeps no replays.
    bool keepsScores = true;
    std::string scoresPath;
    // Set when a run ends among the best: where the recording up to the end of this frame goes.
    std::string replayToKeep;
    // The universe and the ship as start-up left them, before the first frame. They hold no
    // timers: effects only come from frames.
    std::vector<WorldState> startWorlds;
    std::unique_ptr<Player> startPlayer;
};

// Kills over every system: enemies destroyed by the player's shots, beam and shockwaves.
unsigned runKills(const Universe& universe);
// Whole seconds of the run so far, frozen while the wreck shows.
float runSeconds(const Survival& survival, unsigned now);

// Survival's own rules for the universe's systems: chasers go round stars and planets.
void applySurvivalRules(Universe& universe);
// Turns survival on after start-up: keeps the start, and reads the scores when keepsScores.
void beginSurvival(Game& game, bool keepsScores);
// After each step: the ship's end, and the next run once the wreck has shown.
void survivalStep(Game& game, const Step& step);
// Before a frame at time now spawns: the interval the run's time calls for.
void applyPressure(Game& game, unsigned now);
