// The GL tests share one process and one window. ensureGlWindow opens the real
// Camera (the desktop mode of the Xvfb screen) when none is open; whole-program
// scenarios start the real program with startUpForTest and tear it down again.
#pragma once
#include <string>

void ensureGlWindow();
void closeGlWindow();
// Runs the real start-up with the settings file at settingsFile ("" for a fresh
// folder) and the archives of dataDir() as the working directory.
bool startUpForTest(const std::string& settingsFile);
void shutDownForTest();
