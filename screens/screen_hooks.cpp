#include "screens/screen_hooks.h"

ScreenHooks& screenHooks() {
    static ScreenHooks wired;
    return wired;
}
