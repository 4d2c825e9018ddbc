#include "game/input.h"

#include <SDL/SDL.h>

#include "game/shutdown.h"

Action keyAction(int keySymbol) {
    switch (keySymbol) {
    case SDLK_MINUS:
        return Action::spawnSlower;
    case SDLK_EQUALS:
        return Action::spawnFaster;
    case SDLK_q:
        return Action::quit;
    case SDLK_n:
        return Action::nearOut;
    case SDLK_m:
        return Action::nearIn;
    case SDLK_x:
        return Action::farOut;
    case SDLK_c:
        return Action::farIn;
    case SDLK_1:
        return Action::weapon1;
    case SDLK_2:
        return Action::weapon2;
    case SDLK_3:
        return Action::weapon3;
    case SDLK_p:
        return Action::pause;
    case SDLK_o:
        return Action::sound;
    case SDLK_h:
        return Action::aids;
    case SDLK_F1:
        return Action::controls;
    case SDLK_ESCAPE:
        return Action::dismiss;
    case SDLK_g:
        return Action::gate;
    default:
        return Action::other;
    }
}

Action buttonAction(int button) {
    if (button == SDL_BUTTON_WHEELUP)
        return Action::zoomIn;
    if (button == SDL_BUTTON_WHEELDOWN)
        return Action::zoomOut;
    return Action::other;
}

namespace {

// The action an event asks for, or false for events the game passes over.
bool eventAction(const SDL_Event& event, Action& action) {
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        action = buttonAction(event.button.button);
        return true;
    case SDL_QUIT:
        action = Action::quit;
        return true;
    case SDL_KEYDOWN:
        action = keyAction(event.key.keysym.sym);
        return true;
    case SDL_VIDEOEXPOSE:
        action = Action::exposed;
        return true;
    case SDL_ACTIVEEVENT:
        action = Action::focusLost;
        return !event.active.gain && (event.active.state & SDL_APPINPUTFOCUS);
    default:
        return false;
    }
}

} // namespace

void readInput(Command& command) {
    command = Command();
    if (quitSignalled())
        command.add(Action::quit);
    SDL_Event event;
    while (command.actionCount < maxActions && SDL_PollEvent(&event)) {
        Action action = Action::other;
        if (eventAction(event, action))
            command.add(action);
    }
    const Uint8* keys = SDL_GetKeyState(nullptr);
    command.keys =
        FlightKeys{keys[SDLK_w] != 0, keys[SDLK_s] != 0, keys[SDLK_a] != 0, keys[SDLK_d] != 0};
    command.fire = keys[SDLK_SPACE] != 0;
    SDL_GetRelativeMouseState(&command.cursorDx, &command.cursorDy);
}

bool readReplayControls(bool& paused) {
    if (quitSignalled())
        return true;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT)
            return true;
        if (event.type != SDL_KEYDOWN)
            continue;
        const Action action = keyAction(event.key.keysym.sym);
        if (action == Action::quit)
            return true;
        if (action == Action::pause)
            paused = !paused;
    }
    return false;
}
