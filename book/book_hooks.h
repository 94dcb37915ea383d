// What the book asks of the layers above it. Declared here and filled in one
// place by the program's start (app/layer_wiring.cpp); a hook left null is not
// asked.
#pragma once

struct BookHooks {
    // Opens the clear-page question; null: the clear button only plays its sound.
    void (*openClearPageScreen)() = nullptr;
};

// Main thread only.
BookHooks& bookHooks();
