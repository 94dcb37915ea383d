// The end of the desktop session. The free desktops send SIGHUP or SIGTERM
// (see catchTerminationSignals). Windows sends the program's window
// WM_ENDSESSION and may end the process as soon as the window procedure returns,
// so the paintings are saved right there, on the main thread, from inside SDL's
// event pump; the main loop then quits as it does on a termination signal.
#pragma once

// Call once the window exists. saveNow must be safe to run on the main thread
// in the middle of reading events. POSIX: does nothing.
void watchEndOfSession(void (*saveNow)());
