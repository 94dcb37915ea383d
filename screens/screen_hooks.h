// What the screens' buttons ask of the layers above them. Declared here and
// filled in one place by the program's start (app/layer_wiring.cpp); a hook
// left null does nothing.
#pragma once
#include <cstdint>

struct ScreenHooks {
    void (*quit)() = nullptr;       // saves the settings and ends the program
    void (*clearPage)() = nullptr;  // the book's part of clearing the shown page
    void (*clearAll)() = nullptr;   // the book's part of clearing every page
    void (*chooseBook)(int32_t animal) = nullptr;  // a child's picture was clicked in the chooser
    // Asked as the exit question opens: false when what was painted cannot be
    // kept this time, and the question must not promise it will be there next
    // time. Null counts as kept.
    bool (*paintingsKept)() = nullptr;
};

// Main thread only.
ScreenHooks& screenHooks();
