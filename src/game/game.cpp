#include "game/game.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "combat/ship.h"
#include "combat/timers.h"
#include "core/sound_events.h"
#include "data/weapon_ship_tables.h"
#include "game/frame_steps.h"
#include "game/options.h"
#include "game/passes.h"
#include "game/player_loader.h"
#include "game/shutdown.h"
#include "game/universe_loader.h"
#include "graphics/emitter_data.h"
#include "graphics/textures.h"
#include "hud/flight_aids.h"
#include "hud/overlays.h"
#include "hud/panels.h"
#include "hud/survival_hud.h"
#include "player/player.h"

static_assert(SDLK_MINUS == keyMinus && SDLK_EQUALS == keyEquals && SDLK_q == keyQuit &&
                  SDLK_n == keyNearOut && SDLK_m == keyNearIn && SDLK_x == keyFarOut &&
                  SDLK_c == keyFarIn && SDLK_1 == keyWeapon1 && SDLK_2 == keyWeapon2 &&
                  SDLK_3 == keyWeapon3 && SDLK_p == keyPause && SDLK_o == keySound &&
                  SDLK_h == keyAids,
              "the loop's key codes are SDL's key symbols");
static_assert(SDL_BUTTON_WHEELUP == wheelUpButton && SDL_BUTTON_WHEELDOWN == wheelDownButton,
              "the loop's wheel buttons are SDL's");

namespace {

const GLfloat worldColour[4] = {1, 0, 0, 1};
const char* const wormholesLine = "Processing wormholes";
const char* const projectilesLine = "processing projectiles";
const char* const pausedText = "Paused";
constexpr float pausedScale = 40;
const GLfloat cursorColour[4] = {0, 0.7f, 0, 1};

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

Player& player(Game& game) {
    return *game.universe.player;
}

void quit() {
    std::exit(0);
}

void handleEvents(Game& game) {
    if (quitSignalled())
        quit();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            applyMouseButton(game.loop, event.button.button);
            // A zoom or a key may change what a paused frame shows.
            game.heldFramesDrawn = 0;
            break;
        case SDL_QUIT:
            quit();
            break;
        case SDL_KEYDOWN:
            game.heldFramesDrawn = 0;
            switch (applyKey(game.loop, event.key.keysym.sym, player(game).weapon)) {
            case KeyEffect::quit:
                quit();
                break;
            case KeyEffect::pause:
                game.paused = !game.paused;
                break;
            case KeyEffect::sound:
                game.audio.toggle();
                break;
            case KeyEffect::aids:
                game.aidsShown = !game.aidsShown;
                break;
            case KeyEffect::none:
                break;
            }
            break;
        case SDL_VIDEOEXPOSE:
            game.heldFramesDrawn = 0;
            break;
        case SDL_ACTIVEEVENT:
            if (!event.active.gain && (event.active.state & SDL_APPINPUTFOCUS))
                game.paused = true;
            break;
        default:
            break;
        }
    }
}

HeldInput heldInput() {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    return HeldInput{
        FlightKeys{keys[SDLK_w] != 0, keys[SDLK_s] != 0, keys[SDLK_a] != 0, keys[SDLK_d] != 0},
        keys[SDLK_SPACE] != 0};
}

point cursorTarget(const Game& game) {
    const ViewRect v = viewRect(game.loop, game.universe.player->position);
    return mouseToGame(game.loop.cursor, v.left, v.right, v.bottom, v.top);
}

// The frame's passes in the order the game runs them. Each update moves the world on by one
// step without OpenGL; each draw shows what its update left, with the GL state the passes
// before it left. Only the frame's last step draws.
using PassFunction = void (*)(Game&, const Step&);
struct Pass {
    PassFunction update;
    PassFunction draw;
};

void movePlayer(Game& game, const Step& step) {
    game.loop.lastTicks = step.now;
    player(game).update(step.delta, game.input.keys);
}

void drawBackdrop(Game& game, const Step&) {
    setCamera(game);
    game.drawn = drawnRect(game.loop, player(game).position);
    drawBackground();
}

void fire(Game& game, const Step& step) {
    Player& ship = player(game);
    ship.beamShown = false;
    if (game.input.fire)
        ship.shoot(step.now, currentWorld(game), cursorTarget(game), step.delta);
}

void drawBeam(Game& game, const Step&) {
    player(game).drawBeam();
}

void drawWormholePass(Game& game, const Step& step) {
    glColor4fv(worldColour);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    drawWormholes(currentWorld(game), static_cast<int>(step.now));
}

// The frame's line comes before the swirls are drawn: any GL error they report follows it.
void announceWormholes(Game&, const Step& step) {
    if (step.last)
        printLine(wormholesLine);
}

void moveThroughWormholes(Game& game, const Step& step) {
    if (processWormholes(game.universe))
        announceArrival(game.jumpNotice, currentWorld(game), step.now);
}

void moveProjectiles(Game& game, const Step& step) {
    if (step.last)
        printLine(projectilesLine);
    updateProjectiles(currentWorld(game), step.delta, step.now);
}

void drawProjectilePass(Game& game, const Step&) {
    drawProjectiles(currentWorld(game), game.drawn);
}

void advanceFlame(Game& game, const Step& step) {
    player(game).advanceFlame(step.delta);
}

void drawTrail(Game& game, const Step&) {
    player(game).drawTrail();
}

void runTimers(Game& game, const Step& step) {
    runTimer(step.now, currentWorld(game));
}

void drawTimerPass(Game& game, const Step& step) {
    drawTimers(step.now, currentWorld(game), game.drawn);
}

void drawPlayer(Game& game, const Step&) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A wrecked ship is only its explosion.
    if (!game.survival.destroyed)
        player(game).draw();
}

void moveShips(Game& game, const Step& step) {
    updateShips(currentWorld(game), &player(game), step.delta);
}

void drawShipPass(Game& game, const Step&) {
    drawShips(currentWorld(game), game.drawn);
}

void moveStars(Game& game, const Step& step) {
    updateStars(currentWorld(game), &player(game), step.delta);
}

void drawStarPass(Game& game, const Step&) {
    drawStars(currentWorld(game), game.drawn);
}

// The wormholes are drawn before their update: a jump must not change which system's swirls
// show in the frame it happens.
constexpr Pass framePasses[] = {
    {movePlayer, drawBackdrop},
    {fire, drawBeam},
    {announceWormholes, drawWormholePass},
    {moveThroughWormholes, nullptr},
    {moveProjectiles, drawProjectilePass},
    {advanceFlame, drawTrail},
    {runTimers, drawTimerPass},
    {nullptr, drawPlayer},
    {moveShips, drawShipPass},
    {moveStars, drawStarPass},
    {survivalStep, nullptr},
};

void simulateStep(Game& game, const Step& step) {
    for (const Pass& pass : framePasses)
        if (pass.update)
            pass.update(game, step);
}

void simulateAndDrawStep(Game& game, const Step& step) {
    for (const Pass& pass : framePasses) {
        if (pass.update)
            pass.update(game, step);
        if (pass.draw)
            pass.draw(game, step);
    }
}

// The frame's timing and spawn; the steps it is then simulated in.
FrameSteps beginFrame(Game& game) {
    LoopState& loop = game.loop;
    measureFrame(loop, game.simulationTime());
    loop.lastTicks = game.simulationTime();
    applyPressure(game);
    spawnEnemy(loop, player(game).position, currentWorld(game).ships);
    return FrameSteps(loop.lastTicks, loop.frameDelta);
}

// A paused frame: the time since the last frame is added to the time paused, so the
// simulation's clock stands still, and counted for the frame rate only.
void holdFrame(Game& game) {
    LoopState& loop = game.loop;
    const unsigned wall = game.clock();
    const int ms = static_cast<int>(wall - (loop.lastTicks + game.pausedFor));
    game.pausedFor += static_cast<unsigned>(ms);
    loop.frameDelta = 0;
    countFrame(loop, ms);
}

// The world as the last step left it, drawn again.
void drawHeldFrame(Game& game) {
    const Step held{0, game.loop.lastTicks, false};
    for (const Pass& pass : framePasses)
        if (pass.draw)
            pass.draw(game, held);
}

// Every step but the last, whose times lie behind the clock.
void catchUp(Game& game, const FrameSteps& steps) {
    game.behindClock = true;
    for (int i = 0; i + 1 < steps.count(); ++i)
        simulateStep(game, steps[i]);
    game.behindClock = false;
}

void selectPanelProjection(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glMatrixMode(GL_MODELVIEW);
}

void drawStatusText(Game& game) {
    LoopState& loop = game.loop;
    const WorldState& world = currentWorld(game);
    formatStatus(loop.projectilesText,
                 "Projectiles: ", static_cast<float>(world.projectiles.size()));
    formatStatus(loop.timersText, "Timers: ", static_cast<float>(world.timers.size()));
    formatStatus(loop.healthText, "Player HP: ", player(game).getHealth());
    formatStatus(loop.shipsText, "Ships: ", static_cast<float>(world.ships.size()));
    const std::string* lines[] = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                  &loop.timersText, &loop.healthText};
    float y = 0;
    for (const std::string* line : lines) {
        game.font->displayText(*line, 0, y, 20);
        y += 30;
    }
}

void drawSurvivalHud(Game& game) {
    const Survival& s = game.survival;
    if (!s.on)
        return;
    drawRunScore(*game.font, s.destroyed ? s.last.kills : runKills(game.universe),
                 runSeconds(s, game.loop.lastTicks));
    if (s.destroyed)
        drawDestroyed(*game.font, s.last.kills, s.last.seconds, s.best.front().kills,
                      s.best.front().seconds);
}

void drawHud(Game& game) {
    glColor4fv(cursorColour);
    drawMouse(cursorTarget(game));
    drawBoundary();
    if (game.aidsShown)
        drawVelocityLine(player(game), game.loop.viewHeight / 3);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    selectPanelProjection(0, w, 0, h);
    drawStatusText(game);
    if (game.paused)
        game.font->displayText(pausedText, (w - game.font->textWidth(pausedText, pausedScale)) / 2,
                               h / 2 + 100, pausedScale);
    drawJumpNotice(game.jumpNotice, *game.font, game.loop.lastTicks);
    drawSurvivalHud(game);
    if (game.aidsShown) {
        drawSystemName(*game.font, currentWorld(game));
        drawWormholeMarker(*game.font, currentWorld(game), player(game).position,
                           game.loop.viewHeight);
    }
    selectPanelProjection(0, w, -h, 0);
    topLeftUI(currentWorld(game), game.universe.player);
    selectPanelProjection(-w, 0, -h, 0);
    topRightUI(currentWorld(game), game.universe.player);
}

} // namespace

// Effects made without a stated time take it from the game being played.
Game::Game() : clock(SDL_GetTicks) {
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

void setCamera(const Game& game) {
    const Frustum f = cameraFrustum(game.loop);
    const point p = game.universe.player->position;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.nearPlane, f.farPlane);
    glTranslatef(-p.x, -p.y, 0);
    glTranslatef(0, 0, game.loop.nearScale * -10000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
}

bool startGame(Game& game, bool fullscreen) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    LoopState& loop = game.loop;
    loop.mouseSensitivity = 0.15f;
    if (!openWindow(fullscreen))
        return false;
    initialiseGl();
    if (!loadResources())
        return false;

    printLine("Ver17");
    loop.lastTicks = game.clock();
    SDL_GetRelativeMouseState(nullptr, nullptr);

    // World 0 always exists, even when no star names it.
    game.universe.worlds.push_back(WorldState());
    loop.lastSpawn = game.clock();
    loop.cursor = point{50, 50};

    game.universe.player = initializePlayer();
    if (!game.universe.player)
        return false;
    printLine("Player initialized");
    loop.spawnInterval = 500;

    // The font's glyph uploads are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    printLine("Loading font");
    game.font = std::make_unique<Font>(fontFileName);

    printLine("Initializing stars");
    if (!initializeStars(game.universe))
        return false;

    loop.fpsTime = 0;
    loop.fpsFrames = 0;
    // 4000 units for every 1024 pixels of height, so a smaller window shows less, not smaller.
    loop.viewHeight = 4000.0f * h / 1024;
    loop.aspect = static_cast<float>(w) / h;
    loop.nearScale = 1;
    loop.farScale = 1;
    reserveStatusText(loop);
    printLine("Done with that, now starting main loop");
    return true;
}

void runFrame(Game& game) {
    const unsigned frameStart = SDL_GetTicks();
    glLoadIdentity();
    if (game.paused) {
        holdFrame(game);
        handleEvents(game);
        // The cursor stands still with the rest.
        SDL_GetRelativeMouseState(nullptr, nullptr);
        game.audio.setPaused(game.paused);
        // The frame's lines are printed all the same; the picture only when it is due.
        printLine(wormholesLine);
        printLine(projectilesLine);
        if (heldFrameDue(game.heldFramesDrawn, frameStart - game.lastHeldDraw)) {
            ++game.heldFramesDrawn;
            game.lastHeldDraw = frameStart;
            drawHeldFrame(game);
            drawHud(game);
            SDL_GL_SwapBuffers();
            glClear(GL_COLOR_BUFFER_BIT);
        }
        if (game.paused)
            SDL_Delay(pausedRestMs(SDL_GetTicks() - frameStart));
        return;
    }
    game.heldFramesDrawn = 0;
    const FrameSteps steps = beginFrame(game);
    handleEvents(game);
    game.input = heldInput();
    // A wreck takes no orders.
    if (game.survival.destroyed)
        game.input = HeldInput();
    int dx = 0;
    int dy = 0;
    SDL_GetRelativeMouseState(&dx, &dy);
    moveCursor(game.loop, dx, dy);
    catchUp(game, steps);
    simulateAndDrawStep(game, steps[steps.count() - 1]);
    game.audio.setPaused(game.paused);
    game.audio.play(soundEvents, player(game), game.input.keys);
    drawHud(game);

    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
}

void simulateFrame(Game& game) {
    if (game.paused) {
        holdFrame(game);
        return;
    }
    const FrameSteps steps = beginFrame(game);
    catchUp(game, steps);
    simulateStep(game, steps[steps.count() - 1]);
}

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
    w = options.width;
    h = options.height;
    Game game;
    if (!startGame(game, options.fullscreen))
        return 1;
    game.audio.open(AudioOptions{options.muted, options.volume});
    if (options.survival) {
        beginSurvival(game);
        game.aidsShown = true;
    }
    for (;;)
        runFrame(game);
}
