// Which of SDL's video drivers the program asks for.
#pragma once

// Linux: SDL_VIDEODRIVER=x11 unless the user set SDL_VIDEODRIVER, so that
// without an X display SDL fails cleanly instead of falling back to a
// text-mode driver that writes control codes into the terminal. Elsewhere:
// nothing. Call before SDL starts.
void preferX11VideoDriver();
