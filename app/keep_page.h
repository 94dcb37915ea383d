// Ctrl+S or the Print key while the book is open: the page on show is saved as
// a picture into the user's pictures folder, under Quillmead/, named with the
// date and time, drawn as --export draws it. Every press gives its own picture.
// The button sound plays when it is kept, a soft "no" (netu.wav) when it cannot
// be; nothing on the desk changes.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// The size of the saved pictures (--size); the default until set.
void setKeptPageSize(int32_t width, int32_t height);
// Run by the main loop once a pass, after the picking pass, with the window's
// frame finished: saves the shown page when this pass's key asks for it. The
// key is consumed, so it has no other effect.
void keepShownPageOnKey();
// Saves the page on show now; false (with a line on stderr) when it cannot.
bool keepShownPage();

// The user's pictures folder: XDG_PICTURES_DIR from $XDG_CONFIG_HOME/user-dirs.dirs
// (the file `xdg-user-dir PICTURES` reads), else ~/Pictures. A setting that names
// the home folder itself means "none", as it does for the desktop.
std::string picturesFolder();
// "quillmead-2026-12-08-14-03-05.png"; a second picture within the same second
// gets "-2" before the extension, and so on.
std::string keptPageName(const std::tm& when, int32_t attempt);
