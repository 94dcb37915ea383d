// The six screens: what opens them, what they are built from and what their
// buttons do. Builders are one-shot tracks that run with the screen's holder as
// currentNode and build; the level was opened with the holder. Positions
// are in the holder's frame: x right, z up, -y towards the eye; a top-level
// panel lies at y = -81.5, a second-level one a unit nearer.
#pragma once

// Top level: setup, help, exit and clear-page confirmations.
void buildSetupScreen(void* arg);
void buildHelpScreen(void* arg);
void buildExitScreen(void* arg);
void buildClearPageScreen(void* arg);
// Second level, over the setup screen: about and the clear-all confirmation.
void buildAboutScreen(void* arg);
void buildClearAllScreen(void* arg);
// The exit question over a top-level screen that has no desk behind it (the
// children's chooser before a book is open).
void buildExitOverScreen(void* arg);

// The setup screen's holder also carries the backdrop that dims the desk; this
// hangs it under the screen layer with buildSetupScreen to run on it.
void openSetupScreen();
// The clear-page confirmation at the screen level, for the book's clear button.
void openClearPageScreen();
// Opens the exit confirmation. When the screens' archives cannot build it, a
// second call within two seconds saves and quits (the quit action) instead, so
// that the program can always be left.
void openExitScreen();

// Click tracks of the setup screen's buttons.
void openAboutAction(void* arg);
void openClearAllAction(void* arg);
// The setup screen's watch of the music switch, as seen in the last frame.
struct MusicWatch {
    bool wasOn = false;
};
// Endless track of the setup screen, arg its MusicWatch: switching music on
// restarts it from its beginning.
void musicWatch(void* watch);

// Click tracks of the confirmations' OK buttons (a click or Return). Exit: the
// program saves and ends (no sound, the flags stay). Clear page: the holder
// (arg) is closed and the book clears the page (no sound). Clear all: the button
// sound, the holder is closed and the book clears every page; the setup screen
// stays open.
void confirmExitAction(void* arg);
void confirmExitOverScreenAction(void* arg);
void confirmClearPageAction(void* holder);
void confirmClearAllAction(void* holder);
