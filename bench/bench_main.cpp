// The frame benchmark: the game's real frame over scripted scenes with a scripted clock, timed
// next to floors drawn in the same run, and the game's start-up timed next to a bare window's.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "game/game.h"
#include "game/input.h"
#include "game/replay_recorder.h"
#include "graphics/emitter_data.h"
#include "hud/overlays.h"
#include "player/player.h"
#include "scene.h"
#include "startup_timer.h"
#include "timings.h"

namespace {

constexpr unsigned frameMilliseconds = 16;
constexpr int warmupFrames = 30;
constexpr int hulkType = 0; // no steering: the hulks never reach the player
constexpr int chaserType = 1;
constexpr SceneContents standardContents{20, hulkType, 0, 30};
constexpr SceneContents crowdContents{2000, hulkType, 0, 500};
// Long sessions: the chasers that have reached the player and the many still on their way.
constexpr SceneContents session2kContents{20, chaserType, 2000, 100};
constexpr SceneContents session20kContents{20, chaserType, 20000, 100};

struct Options {
    int frames = 500;
    int startupRuns = 5;
    // Times the rows are measured over, each a full set of rounds, to show how far the ratios
    // move from one run to the next.
    int runs = 1;
    const char* runtimeDir = ".";
    // Every frame recorded to this file, as the game records a run.
    const char* recordPath = nullptr;
};

// One row of the table: a frame to time, with untimed work before and after it.
struct Workload {
    const char* name;
    std::function<void()> before;
    std::function<void()> frame;
    std::function<void()> after;
    Timings times;
    unsigned long allocations;
};

unsigned scriptedNow = 1000;
// The benchmark's own report; the game's output goes to /dev/null.
FILE* report = stdout;

bool positiveNumber(const char* text, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < 1 || v > 1000000)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
            if (!positiveNumber(argv[++i], options.frames))
                return false;
        } else if (std::strcmp(argv[i], "--startup-runs") == 0 && hasValue) {
            if (!positiveNumber(argv[++i], options.startupRuns))
                return false;
        } else if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            if (!positiveNumber(argv[++i], options.runs))
                return false;
        } else if (std::strcmp(argv[i], "--record") == 0 && hasValue) {
            options.recordPath = argv[++i];
        } else if (argv[i][0] != '-') {
            options.runtimeDir = argv[i];
        } else {
            return false;
        }
    }
    return true;
}

[[noreturn]] void fail(const char* what, const char* detail = "") {
    std::fprintf(report, "orrisk-bench: %s%s\n", what, detail);
    std::exit(1);
}

std::string ownDirectory() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    std::string dir(path);
    return dir.substr(0, dir.rfind('/'));
}

// The workloads take turns frame by frame, so that a slow spell of the machine falls on all of
// them alike; every frame after the warm-up rounds is timed.
void measureRounds(std::vector<Workload>& workloads, int frames) {
    const int warmup = frames < warmupFrames ? frames : warmupFrames;
    for (int round = -warmup; round < frames; ++round) {
        for (Workload& workload : workloads) {
            workload.before();
            const unsigned long allocationsBefore = allocationCount();
            const auto start = std::chrono::steady_clock::now();
            workload.frame();
            const auto end = std::chrono::steady_clock::now();
            const unsigned long made = allocationCount() - allocationsBefore;
            workload.after();
            if (round >= 0) {
                workload.times.add(std::chrono::duration<double, std::milli>(end - start).count());
                workload.allocations += made;
            }
        }
    }
}

Workload floorWorkload(const char* name, int frames, const Game& game, bool backdrop) {
    const auto frame = [&game, backdrop] {
        glClear(GL_COLOR_BUFFER_BIT);
        if (backdrop) {
            setCamera(game);
            drawBackground();
        }
        SDL_GL_SwapBuffers();
    };
    return Workload{name, [] {}, frame, [] {}, Timings(frames), 0};
}

Workload sceneWorkload(const char* name, int frames, Game& game, Scene& scene) {
    const auto before = [&scene] {
        scriptedNow += frameMilliseconds;
        scene.enter(scriptedNow);
    };
    const auto after = [&scene] {
        if (*scene.fault())
            fail("the scene did not hold: ", scene.fault());
        scene.leave();
    };
    return Workload{name, before, [&game] { runFrame(game); }, after, Timings(frames), 0};
}

// The shipped universe as a new player first sees it, the thrust key held; the player is put back
// at the start before each frame.
Workload startWorkload(const char* name, int frames, Game& game) {
    const Player& player = *game.universe.player;
    const point position = player.position;
    const point velocity = player.velocity;
    const float angle = player.angle;
    const int world = player.getWorld();
    const auto before = [&game, position, velocity, angle] {
        scriptedNow += frameMilliseconds;
        Player& player = *game.universe.player;
        player.position = position;
        player.velocity = velocity;
        player.angle = angle;
        SDL_GetKeyState(nullptr)[SDLK_w] = 1;
    };
    // The ship starts landed on Hearth and may land on it again; leaving the system would
    // leave the scene.
    const auto after = [&player, world] {
        if (player.getWorld() != world)
            fail("the start scene did not hold: the player left its start");
    };
    return Workload{name, before, [&game] { runFrame(game); }, after, Timings(frames), 0};
}

// The shipped universe in flight: the ship coasting past Kessa's planets, put back before each
// frame, with the flight aids (and their predicted path) shown or not.
Workload coastWorkload(const char* name, int frames, Game& game, bool aids) {
    const auto before = [&game, aids] {
        scriptedNow += frameMilliseconds;
        Player& player = *game.universe.player;
        player.landed = false;
        player.position = point{-6000, 6000};
        player.velocity = point{1.2f, 0.3f};
        SDL_GetKeyState(nullptr)[SDLK_w] = 0;
        game.aidsShown = aids;
    };
    const auto after = [&game] {
        game.aidsShown = false;
        if (game.universe.player->getWorld() != 0)
            fail("the coasting scene did not hold: the player left Kessa");
    };
    return Workload{name, before, [&game] { runFrame(game); }, after, Timings(frames), 0};
}

void printRow(const Workload& w, int frames) {
    std::fprintf(report, "%-38s %9.2f %9.2f %12.2f\n", w.name, w.times.median(), w.times.p90(),
                 static_cast<double>(w.allocations) / frames);
}

// The ratios the benchmark prints: a row's median over its reference row's, both of one run.
struct Ratio {
    const char* label;
    size_t row;
    size_t reference;
};
constexpr size_t floorBRow = 1;
constexpr size_t standardRow = 2;
constexpr Ratio ratios[] = {
    {"standard / floor B (median): ", standardRow, floorBRow},
    {"start / floor B (median): ", 4, floorBRow},
    {"crowd / standard (median):   ", 3, standardRow},
    {"session 2k / standard (median): ", 5, standardRow},
    {"session 20k / standard (median): ", 6, standardRow},
    {"coasting, aids on / off (median): ", 8, 7},
};
constexpr size_t ratioCount = sizeof ratios / sizeof ratios[0];

double ratioOf(const std::vector<Workload>& rows, const Ratio& ratio) {
    return rows[ratio.row].times.median() / rows[ratio.reference].times.median();
}

// The smallest and largest value of each ratio over the runs so far.
struct RatioRange {
    double least = 0;
    double most = 0;
};

void printRun(const std::vector<Workload>& rows, int frames) {
    std::fprintf(report, "%-38s %9s %9s %12s\n", "frame", "median ms", "p90 ms", "allocs/frame");
    for (const Workload& row : rows)
        printRow(row, frames);
    for (const Ratio& ratio : ratios)
        std::fprintf(report, "%s%.2f\n", ratio.label, ratioOf(rows, ratio));
}

void widen(RatioRange* ranges, const std::vector<Workload>& rows, bool first) {
    for (size_t i = 0; i < ratioCount; ++i) {
        const double value = ratioOf(rows, ratios[i]);
        if (first || value < ranges[i].least)
            ranges[i].least = value;
        if (first || value > ranges[i].most)
            ranges[i].most = value;
    }
}

void printSpreads(const RatioRange* ranges, int runs) {
    std::fprintf(report, "over %d runs, smallest and largest ratio and their spread:\n", runs);
    for (size_t i = 0; i < ratioCount; ++i)
        std::fprintf(report, "%s%.2f .. %.2f, spread %.2f\n", ratios[i].label, ranges[i].least,
                     ranges[i].most, ranges[i].most - ranges[i].least);
}

double startupOf(const std::string& program, const char* marker, int count) {
    const double ms = millisecondsToLine(program, marker, count);
    if (ms < 0)
        fail("no first frame from ", program.c_str());
    return ms;
}

struct Startup {
    double game;
    double bare;
};

// Alternating runs, so that a slow spell of the machine falls on both. The game has drawn its
// first frame when its second frame begins.
Startup measureStartup(const std::string& dir, int runs) {
    Timings game(runs);
    Timings bare(runs);
    for (int i = 0; i < runs; ++i) {
        game.add(startupOf(dir + "/orrisk", "Processing wormholes", 2));
        bare.add(startupOf(dir + "/orrisk-bare-window", "frame drawn", 1));
    }
    return {game.median(), bare.median()};
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (const char* fromEnvironment = std::getenv("ORRISK_RUNTIME_DIR"))
        options.runtimeDir = fromEnvironment;
    if (!parseOptions(argc, argv, options))
        fail("usage: orrisk-bench [--frames N] [--runs N] [--startup-runs N] [--record FILE] "
             "[runtime directory]\n"
             "(the runtime directory defaults to $ORRISK_RUNTIME_DIR, else the current one)");
    if (chdir(options.runtimeDir) != 0)
        fail("cannot enter the runtime directory ", options.runtimeDir);

    // Start-up first, while no window of ours is open.
    const Startup startup = measureStartup(ownDirectory(), options.startupRuns);

    // The game's own lines, the two flushed per frame included, still go through stdio.
    report = fdopen(dup(STDOUT_FILENO), "w");
    if (!report || !std::freopen("/dev/null", "w", stdout))
        fail("cannot set the game's output aside");

    // The emitter files were read before main, from the directory the benchmark started in; the
    // game reads them from its runtime directory.
    emitters = readAndExpandEmitterData();

    Game game;
    game.clock = [] { return scriptedNow; };
    game.commandSource = readInput;
    ReplayRecorder recorder;
    if (options.recordPath) {
        if (!recorder.open(options.recordPath, false, false))
            fail("cannot record to ", options.recordPath);
        recordInto(game, recorder);
    }
    if (!startGame(game, false))
        fail("the game did not start in ", options.runtimeDir);
    // No spawns while measuring: the scenes keep their counts.
    game.loop.spawnInterval = 1e9f;
    game.loop.lastSpawn = scriptedNow;

    std::fprintf(report,
                 "renderer: %s, window %dx%d, %d timed frames per row taken in turns, %u ms per "
                 "scene frame\n",
                 reinterpret_cast<const char*>(glGetString(GL_RENDERER)), w, h, options.frames,
                 frameMilliseconds);
    Scene standardScene(game, standardContents);
    Scene crowdScene(game, crowdContents);
    Scene session2kScene(game, session2kContents);
    Scene session20kScene(game, session20kContents);
    const int frames = options.frames;
    std::vector<Workload> rows;
    rows.push_back(floorWorkload("floor A: clear and swap", frames, game, false));
    rows.push_back(floorWorkload("floor B: backdrop", frames, game, true));
    rows.push_back(sceneWorkload("standard: 20 ships, 30 shots", frames, game, standardScene));
    rows.push_back(sceneWorkload("crowd: 2000 ships, 500 shots", frames, game, crowdScene));
    rows.push_back(startWorkload("start: Hearth, thrust held", frames, game));
    rows.push_back(
        sceneWorkload("session 2k: 2020 chasers, 100 shots", frames, game, session2kScene));
    rows.push_back(
        sceneWorkload("session 20k: 20020 chasers, 100 shots", frames, game, session20kScene));
    rows.push_back(coastWorkload("coasting, aids off", frames, game, false));
    rows.push_back(coastWorkload("coasting, aids on", frames, game, true));
    RatioRange ranges[ratioCount];
    const char* allocating = nullptr;
    for (int run = 0; run < options.runs; ++run) {
        for (Workload& row : rows) {
            row.times.clear();
            row.allocations = 0;
        }
        measureRounds(rows, frames);
        if (options.runs > 1)
            std::fprintf(report, "run %d of %d\n", run + 1, options.runs);
        printRun(rows, frames);
        widen(ranges, rows, run == 0);
        for (const Workload& row : rows)
            if (row.allocations != 0 && !allocating)
                allocating = row.name;
    }
    if (options.runs > 1)
        printSpreads(ranges, options.runs);
    std::fprintf(report,
                 "start-up to first frame (median of %d): game %.0f ms, bare window %.0f ms, "
                 "ratio %.2f\n",
                 options.startupRuns, startup.game, startup.bare, startup.game / startup.bare);
    std::fflush(report);
    if (allocating)
        fail("a frame allocates on the heap without spawns: ", allocating);
    return 0;
}
