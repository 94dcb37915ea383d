// The GL tests share one process and one window. ensureGlWindow opens the real
// Camera (the desktop mode of the Xvfb screen) when none is open; whole-program
// scenarios start the real program with startUpForTest and tear it down again.
#pragma once
#include <string>

#include "app/options.h"

void ensureGlWindow();
void closeGlWindow();
// A size x size viewport at the window's corner with identity matrices and no
// multisampling, every attribute and both matrices saved; endSmallView puts
// them back.
void beginSmallView(int size);
void endSmallView();
struct TestStart {
    // A start with showHelpAtStart set opens the help screen. Most scenarios
    // drive the desk, so the screen is taken away before it is built unless this
    // is set.
    bool startUpHelp = false;
    // The program prepares screens and neighbour pages in the background after
    // the first frame; scenarios that count what each part holds leave it off.
    bool prepareInBackground = false;
    // Once still, the program rests up to half a second between passes;
    // scenarios counting passes rest one frame at most unless this is set.
    bool longRests = false;
    Options options;  // the command line
};

// Runs the real start-up with the settings file at settingsFile ("" for a fresh
// folder) and the archives of dataDir() as the working directory.
bool startUpForTest(const std::string& settingsFile, const TestStart& how = TestStart());
void shutDownForTest();
// Starts in an 800x450 window (smaller than the screen) with every frame
// drawn the usual way and whole and compared; false when the start fails or
// the display keeps no off-screen picture.
bool startComparingWithWholeFrames();
