// One line for the person at the desktop when the program cannot say it on its
// own screen: a notification through the desktop's notifier, or on Windows a
// message box.
#pragma once
#include <string>

// POSIX: "notify-send --app-name=Quillmead --icon=quillmead TITLE TEXT", started
// from the PATH with no shell in between and reaped by a detached thread; without
// notify-send nothing is shown and nothing is reported. Returns at once.
// Windows: a message box in front of every window, TITLE as its caption; returns
// when it is closed (the program usually ends right after, which would take a
// box that did not wait with it).
// With QUILLMEAD_NOTICE_LOG naming a file (the tests), "TITLE: TEXT" is added to
// that file as a line of UTF-8 instead, and nothing is shown.
void showDesktopNotice(const std::string& title, const std::string& text);
