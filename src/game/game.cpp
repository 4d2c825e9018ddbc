#include "game/game.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "combat/timers.h"
#include "game/input.h"
#include "game/options.h"
#include "game/replay_player.h"
#include "game/replay_recorder.h"
#include "game/shutdown.h"

// Effects made without a stated time take it from the game being played.
Game::Game() : quit([] { std::exit(0); }), clock(SDL_GetTicks) {
    effectClock = [this] { return effectTime(); };
}

Game::~Game() {
    effectClock = SDL_GetTicks;
}

unsigned Game::effectTime() const {
    return behindClock ? loop.lastTicks : simulationTime();
}

WorldState& currentWorld(Game& game) {
    return game.universe.worlds[game.universe.player->getWorld()];
}

namespace {

// The run being recorded, for the ends that leave through exit or a signal.
ReplayRecorder* recording = nullptr;
const Game* recordedGame = nullptr;

void writeRecordingOut() {
    if (recording)
        recording->writeOut();
}

void finishRecording() {
    if (recording && recordedGame)
        recording->finish(*recordedGame);
    recording = nullptr;
}

// Opens the recording the options ask for: --record's file, else the flight recorder's unless
// --no-record. False when --record's file cannot be written (its line printed); the flight
// recorder only says on standard error that it cannot, and the game goes on without it.
bool openRecording(ReplayRecorder& recorder, const WindowOptions& options) {
    if (options.noRecord && !options.recordPath)
        return true;
    if (options.recordPath) {
        if (recorder.open(options.recordPath, options.survival, false))
            return true;
        std::fprintf(stderr, "orrisk: cannot record to %s: %s\n", options.recordPath,
                     recorder.errorText.c_str());
        return false;
    }
    const std::string path = flightRecorderPath();
    if (path.empty())
        return true;
    keepPreviousReplay(path);
    if (!recorder.open(path, options.survival, true)) {
        std::fprintf(stderr, "orrisk: the flight recorder cannot write %s: %s\n", path.c_str(),
                     recorder.errorText.c_str());
        return true;
    }
    return true;
}

// The run being recorded ends through exit or a signal.
void recordUntilTheEnd(Game& game, ReplayRecorder& recorder) {
    recording = &recorder;
    recordedGame = &game;
    recordInto(game, recorder);
    nameReplayOnSuddenEnd(writeRecordingOut, recorder.path().c_str());
    nameReplayOnCrash();
    std::atexit(finishRecording);
}

} // namespace

// The process ends through exit(), so the game is never torn down: resources live for the run.
int runGame(int argc, char** argv) {
    WindowOptions options;
    const char* problem = nullptr;
    switch (parseOptions(argc, argv, options, problem)) {
    case OptionsResult::help:
        std::printf("%s\n%s", usageLine, helpText);
        return 0;
    case OptionsResult::version:
        std::printf("%s\n", versionText);
        return 0;
    case OptionsResult::bad:
        std::fprintf(stderr, "orrisk: bad option '%s'\n%s\n", problem, usageLine);
        return 2;
    case OptionsResult::run:
        break;
    }
    for (const char* arg : options.ignored)
        std::fprintf(stderr, "orrisk: ignoring unknown argument '%s'\n", arg);
    if (options.replayPath)
        return playReplay(options.replayPath, options.headless);
    w = options.width;
    h = options.height;
    static ReplayRecorder recorder;
    if (!openRecording(recorder, options))
        return 1;
    Game game;
    game.commandSource = readInput;
    if (!recorder.path().empty() && recorder.errorText.empty())
        recordUntilTheEnd(game, recorder);
    if (!startGame(game, options.fullscreen)) {
        printReplayLine();
        finishRecording();
        return 1;
    }
    if (game.frameEnded)
        game.frameEnded();
    game.audio.open(AudioOptions{options.muted, options.volume});
    if (options.survival) {
        beginSurvival(game, true);
        game.aidsShown = true;
    }
    for (;;)
        runFrame(game);
}
