#include "game/startup.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/seeds.h"
#include "data/weapon_ship_tables.h"
#include "game/game.h"
#include "game/player_loader.h"
#include "game/shutdown.h"
#include "game/universe_loader.h"
#include "graphics/emitter_data.h"
#include "graphics/textures.h"

namespace {

void printLine(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The desktop's size, asked of SDL before any video mode is set.
void fillDesktop() {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info && info->current_w > 0 && info->current_h > 0) {
        w = info->current_w;
        h = info->current_h;
    }
}

// Steps up to the GL context; false when SDL itself cannot start.
bool openWindow(bool fullscreen) {
    printLine("Starting this thing");
    // Before SDL_Init: from there on SDL's threads (the audio device watcher among them) read the
    // environment, and adding a variable may move the array they are reading and free it.
    static char centred[] = "SDL_VIDEO_CENTERED=center";
    SDL_putenv(centred);
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        // No sound is never a reason not to start: the game goes on without the audio subsystem,
        // and says so once when it finds no device to play through.
        const std::string failure = SDL_GetError();
        if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "SDL init failed: %s\n", failure.c_str());
            return false;
        }
    }
    printLine("SDL initialized");
    std::atexit(SDL_Quit);

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (fullscreen)
        fillDesktop();
    if (!SDL_SetVideoMode(w, h, 32, SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0))) {
        std::printf("Unable to set %d x %d 32b video: %s\n", w, h, SDL_GetError());
        std::fflush(stdout);
        printReplayLine();
        std::exit(1);
    }
    endWhenDisplayLost();
    quitOnSignals();
    SDL_WM_SetCaption("Orrisk", "Orrisk?");
    SDL_WM_GrabInput(SDL_GRAB_ON);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_EnableUNICODE(1);
    return true;
}

void initialiseGl() {
    const GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK)
        std::printf("Error, %s\n", glewGetErrorString(glewResult));
    else
        printLine("Glew is initialized");

    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The whole field with a tenth's margin, until the first frame sets the camera.
    gluOrtho2D(-110000 * w / h, 110000 * w / h, -110000, 110000);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
}

bool loadResources() {
    loadTextures();
    if (!initializeWeaponArray() || !initializeShipArray())
        return false;
    if (const char* missing = missingShaderEntryPoint()) {
        std::fprintf(stderr, "The OpenGL context lacks %s: the shaders need OpenGL 2.0\n", missing);
        return false;
    }
    shaders = readShaders();
    return particleDataUsable();
}

// The loop's clock starts once the tables are loaded.
void startClock(Game& game) {
    game.loop.lastTicks = game.clock();
}

// World 0 and the player.
bool loadPlayer(Game& game) {
    LoopState& loop = game.loop;
    // World 0 always exists, even when no star names it.
    game.universe.worlds.push_back(WorldState());
    loop.lastSpawn = game.clock();
    loop.cursor = point{50, 50};

    game.universe.player = initializePlayer();
    if (!game.universe.player)
        return false;
    printLine("Player initialized");
    loop.spawnInterval = 500;
    return true;
}

// The star systems and the view.
bool loadUniverse(Game& game) {
    printLine("Initializing stars");
    if (!initializeStars(game.universe))
        return false;
    LoopState& loop = game.loop;
    loop.fpsTime = 0;
    loop.fpsFrames = 0;
    // 4000 units for every 1024 pixels of height, so a smaller window shows less, not smaller.
    loop.viewHeight = 4000.0f * h / 1024;
    loop.aspect = static_cast<float>(w) / h;
    loop.nearScale = 1;
    loop.farScale = 1;
    reserveStatusText(loop);
    return true;
}

// Without OpenGL no program is built; the star systems are checked against as many shader
// pairs as a window would have read, each standing for a program that is never used.
void countShaderPairs() {
    shaders.clear();
    for (size_t n = 0;; ++n) {
        std::FILE* vs = std::fopen(shaderFileName(n, ".vs").c_str(), "r");
        std::FILE* fs = std::fopen(shaderFileName(n, ".fs").c_str(), "r");
        const bool pair = vs && fs;
        for (std::FILE* f : {vs, fs})
            if (f)
                std::fclose(f);
        if (!pair)
            return;
        shaders.push_back(0);
    }
}

} // namespace

bool startGame(Game& game, bool fullscreen) {
    std::srand(takeSeed());
    game.loop.mouseSensitivity = 0.15f;
    if (!openWindow(fullscreen))
        return false;
    initialiseGl();
    if (!loadResources())
        return false;

    printLine("Ver17");
    startClock(game);
    SDL_GetRelativeMouseState(nullptr, nullptr);
    if (!loadPlayer(game))
        return false;

    // The font's glyph uploads are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    printLine("Loading font");
    game.font = std::make_unique<Font>(fontFileName);

    if (!loadUniverse(game))
        return false;
    printLine("Done with that, now starting main loop");
    return true;
}

bool startHeadless(Game& game) {
    std::srand(takeSeed());
    game.loop.mouseSensitivity = 0.15f;
    if (!initializeWeaponArray() || !initializeShipArray())
        return false;
    countShaderPairs();
    startClock(game);
    return loadPlayer(game) && loadUniverse(game);
}
