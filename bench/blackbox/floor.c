/* The floor of the black-box benchmark: the cheapest multisampled frame a
 * program can show. A full-screen SDL 1.2 window with 4 samples per pixel and
 * a 24-bit depth buffer, as the program asks for; each pass takes every queued
 * event, clears colour and depth and swaps. The pointer is hidden the way the
 * program hides it, so both runtimes deliver the same motion. Runs until
 * SIGTERM or SIGINT. Exit 1 when no such window can be opened. */
#include <SDL/SDL.h>
#include <SDL/SDL_opengl.h>
#include <signal.h>
#include <stdio.h>

static volatile sig_atomic_t stop = 0;
static void onSignal(int sig) { (void)sig; stop = 1; }

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    signal(SIGTERM, onSignal);
    signal(SIGINT, onSignal);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "floor: %s\n", SDL_GetError());
        return 1;
    }
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    if (!SDL_SetVideoMode(info->current_w, info->current_h, 0, SDL_OPENGL | SDL_FULLSCREEN)) {
        fprintf(stderr, "floor: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    static Uint8 transparent[8] = {0};
    SDL_SetCursor(SDL_CreateCursor(transparent, transparent, 8, 8, 0, 0));
    glClearColor(0.4f, 0.3f, 0.2f, 1.0f);
    while (!stop) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    SDL_Quit();
    return 0;
}
