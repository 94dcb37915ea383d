/* Sends one key press and release, or one left click where the pointer is, to the X
 * display through the XTest extension, and prints the wall-clock time in
 * nanoseconds since the epoch at which the X server had taken the press (after
 * XSync), the moment a key-to-frame time starts from.
 * Usage: press key KEYSYM_NAME | press click
 * Exit 2 on bad arguments, 1 when the display or the key cannot be had. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static long long nowNs(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

int main(int argc, char** argv) {
    int isKey = argc == 3 && strcmp(argv[1], "key") == 0;
    int isClick = argc == 2 && strcmp(argv[1], "click") == 0;
    if (!isKey && !isClick) {
        fprintf(stderr, "usage: press key KEYSYM_NAME | press click\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "press: cannot open the display\n");
        return 1;
    }
    long long pressed;
    if (isKey) {
        KeySym sym = XStringToKeysym(argv[2]);
        KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
        if (code == 0) {
            fprintf(stderr, "press: no key %s on this display\n", argv[2]);
            XCloseDisplay(display);
            return 1;
        }
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XSync(display, False);
        pressed = nowNs();
        XTestFakeKeyEvent(display, code, False, 30);
    } else {
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
        pressed = nowNs();
        XTestFakeButtonEvent(display, 1, False, 30);
    }
    XSync(display, False);
    XCloseDisplay(display);
    printf("%lld\n", pressed);
    return 0;
}
