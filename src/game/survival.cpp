#include "game/survival.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "combat/timers.h"
#include "game/frame_steps.h"
#include "game/game.h"

namespace {

// Tuned with orrisk-duel: a laser pilot lasts three to five minutes, an unarmed one under one.
constexpr float pressureStartInterval = 350;
constexpr float pressureFactor = 0.95f;
constexpr unsigned pressureStepMs = 20000;
constexpr float pressureFloorInterval = 60;

} // namespace

float pressureSpawnInterval(unsigned survivedMs) {
    const unsigned steps = survivedMs / pressureStepMs;
    const float interval =
        pressureStartInterval * std::pow(pressureFactor, static_cast<float>(steps));
    return interval < pressureFloorInterval ? pressureFloorInterval : interval;
}

unsigned runKills(const Universe& universe) {
    unsigned kills = 0;
    for (const WorldState& world : universe.worlds)
        kills += world.kills;
    return kills;
}

float runSeconds(const Survival& survival, unsigned now) {
    const unsigned end = survival.destroyed ? survival.destroyedAt : now;
    return static_cast<float>(ticksAfter(end, survival.runStart)) / 1000;
}

namespace {

void deleteTimers(Universe& universe) {
    for (WorldState& world : universe.worlds) {
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers.clear();
    }
}

void endRun(Game& game, unsigned now) {
    Survival& s = game.survival;
    s.destroyed = true;
    s.destroyedAt = now;
    standardExplosion(game.universe.player->position, currentWorld(game), now);
    s.last = Score{runKills(game.universe), runSeconds(s, now), today()};
    addScore(s.best, s.last);
    const bool among = std::find(s.best.begin(), s.best.end(), s.last) != s.best.end();
    std::fprintf(stderr, "Destroyed: %u kills, %.1f s, best %u kills, %.1f s\n", s.last.kills,
                 static_cast<double>(s.last.seconds), s.best.front().kills,
                 static_cast<double>(s.best.front().seconds));
    if (!s.keepsScores)
        return;
    saveScores(s.scoresPath, s.best);
    if (s.scoresPath.empty())
        return;
    if (among)
        s.replayToKeep = bestRunReplayPath(s.scoresPath, s.last);
    pruneBestRunReplays(s.scoresPath, s.best);
}

// Everything back as start-up left it; the clock goes on, so the run starts now.
void startRun(Game& game, unsigned now) {
    Survival& s = game.survival;
    deleteTimers(game.universe);
    game.universe.worlds = s.startWorlds;
    *game.universe.player = *s.startPlayer;
    game.jumpNotice = JumpNotice();
    game.loop.lastSpawn = now;
    s.runStart = now;
    s.destroyed = false;
    std::fputs("New run\n", stderr);
}

} // namespace

void applySurvivalRules(Universe& universe) {
    for (WorldState& world : universe.worlds)
        world.chasersGoRound = true;
}

void beginSurvival(Game& game, bool keepsScores) {
    Survival& s = game.survival;
    s.on = true;
    s.keepsScores = keepsScores;
    applySurvivalRules(game.universe);
    s.startWorlds = game.universe.worlds;
    s.startPlayer = std::make_unique<Player>(*game.universe.player);
    if (keepsScores) {
        s.scoresPath = scoresPath();
        s.best = loadScores(s.scoresPath);
    }
    s.runStart = game.loop.lastTicks;
    game.loop.lastSpawn = game.loop.lastTicks;
}

void survivalStep(Game& game, const Step& step) {
    Survival& s = game.survival;
    if (!s.on)
        return;
    if (!s.destroyed && game.universe.player->getHealth() <= 0)
        endRun(game, step.now);
    else if (s.destroyed &&
             ticksAfter(step.now, s.destroyedAt) >= static_cast<int>(destroyedShownMs))
        startRun(game, step.now);
    s.shownKills = s.destroyed ? s.last.kills : runKills(game.universe);
    s.shownSeconds = runSeconds(s, step.now);
}

void applyPressure(Game& game, unsigned now) {
    if (game.survival.on)
        game.loop.spawnInterval =
            pressureSpawnInterval(static_cast<unsigned>(ticksAfter(now, game.survival.runStart)));
}
