// The free desktops end a session with signals, caught by catchTerminationSignals.
#ifndef _WIN32
#include "base/end_of_session.h"

void watchEndOfSession(void (*)()) {}
#endif  // !_WIN32
