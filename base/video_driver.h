// Which of SDL's video drivers the program asks for.
#pragma once
#include <string>

// Linux: SDL_VIDEODRIVER=x11 unless the user set SDL_VIDEODRIVER, so that
// without an X display SDL fails cleanly instead of falling back to a
// text-mode driver that writes control codes into the terminal. Elsewhere:
// nothing. Call before SDL starts.
void preferX11VideoDriver();

// The video driver SDL_VIDEODRIVER names when it is one that can never give
// OpenGL (a text-mode, framebuffer or dummy driver): its name, so that the
// program refuses it before SDL starts and writes to the terminal. "" for
// any other choice, or none.
std::string chosenVideoDriverWithoutOpenGL();
