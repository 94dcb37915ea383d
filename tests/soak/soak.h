// The soak: the real program driven for many frames by seeded random moves of
// a child, with what it holds sampled in one resting state. The program's runs
// and the passes are in soak.cpp, the moves and the tour in soak_moves.cpp.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "scene/scene_node.h"

// The screens a soak counts, by what their buttons do.
enum SoakScreen { helpScreen, setupScreen, aboutScreen, clearAllScreen, exitScreen, clearPageScreen, soakScreenKinds };

struct SoakCounts {
    long frames = 0;  // passes of the main loop since the count was last reset
    int starts = 0;   // starts of the program (the first included)
    int openings[soakScreenKinds] = {};
    int clicks = 0, keys = 0;
    std::vector<std::string> faults;  // steps of the tour the program did not answer
};

extern SoakCounts soak;

// One pass of the main loop. A program that has ended (the exit screen's OK or
// Return, the parents' link) is shut down and started again, as a second run
// of the real program would.
void soakPass();
void soakPasses(int n);
// Passes until the frame clock has moved ms on.
void soakPassesFor(double ms);
// Passes until the background preparation of screens and neighbour pages has
// nothing left to do (a fault when it never settles).
void soakUntilPrepared();
// Starts the program (again): the process-wide state reset, then start-up.
void startProgram();

// The pointer to window pixel (x, y), y from the top; click pushes a left
// click after it into the same pass.
void pushPointer(int x, int y, bool click);

// Counts the screens that have opened since the last pass (soak.openings),
// and notes a fault the first time a built screen shows while the modality
// flag of its level is clear.
void noteScreens();
// One random move of a child (a few passes): pointer moves, clicks anywhere or
// on something that reacts, keys, pauses.
void randomMove(std::mt19937& rng);
// The exit screen's OK by its key: the program saves, ends and starts again.
void quitAndStartAgain();
// Turns once through every page.
void turnThroughBook();
// Turns through every page forwards and back again, the help opened and
// closed over every fifth page, there after the preparation has settled, so
// that the screen and the next turns are built from prepared pictures, while
// the other turns race it: the pages' and screens' memory must come back after
// each round (the samples follow one).
void turnBothWaysWithScreens();
// Opens and closes every screen, paints and takes it back, clears every page,
// empties the wells, washes the brush, turns to the first page and waits for
// every animation to end: the resting state in which samples are compared.
void tourAndRest(std::mt19937& rng);
