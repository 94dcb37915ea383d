/* Preloaded into a program under test (LD_PRELOAD): every SDL_GL_SwapBuffers is
 * passed on to SDL and then its wall-clock time, in nanoseconds since the epoch,
 * is appended as one line to the file QM_SWAP_LOG names. The line is written
 * with one write() so a reader sees whole lines while the program runs; the
 * program's own work is untouched. Without QM_SWAP_LOG nothing is written. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int logFile = -2; /* -2: not opened yet, -1: no log */

static void logSwap(void) {
    if (logFile == -2) {
        const char* path = getenv("QM_SWAP_LOG");
        logFile = path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    if (logFile < 0) return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    char line[32];
    int n = snprintf(line, sizeof line, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    if (n > 0 && write(logFile, line, (size_t)n) < 0) logFile = -1;
}

// The symbol this library puts in front of SDL's.
void SDL_GL_SwapBuffers(void);

void SDL_GL_SwapBuffers(void) {
    static void (*real)(void);
    if (!real) real = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    if (real) real();
    logSwap();
}
