// The least a program can do to show the game's window: open it with an OpenGL context, clear it
// and swap once. The benchmark times its start-up against the game's.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(1280, 1024, 32, SDL_OPENGL)) {
        SDL_Quit();
        return 1;
    }
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    std::puts("frame drawn");
    std::fflush(stdout);
    SDL_Quit();
    return 0;
}
