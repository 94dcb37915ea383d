// One line for the person at the desktop when the program cannot say it on its
// own screen: a notification through the desktop's notifier.
#pragma once
#include <string>

// POSIX: "notify-send --app-name=Quillmead --icon=quillmead TITLE TEXT", started
// from the PATH with no shell in between and reaped by a detached thread; without
// notify-send nothing is shown and nothing is reported. Windows: nothing (the
// line on stderr is all there is). Returns at once.
void showDesktopNotice(const std::string& title, const std::string& text);
