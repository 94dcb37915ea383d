// Sleeping until a file descriptor has something to read: the main loop's rest
// waits on the window system's connection this way instead of looking at it
// every millisecond or two.
#pragma once

// Blocks until fd is readable, milliseconds have passed, or a signal arrives
// (a termination signal on any thread of the program included),
// whichever comes first; true when it waited. false at once where the system
// cannot wait on a descriptor (Windows), when fd is negative, and when the
// descriptor is closed, broken or hung up (it would wake every wait at once):
// the caller then sleeps its own way.
bool waitUntilReadable(int fd, int milliseconds);
