// What the host the program runs in allows, fixed when it is built.
//
// The browser (emscripten): the page calls one pass of the loop per animation
// frame (emscripten_set_main_loop), so a pass must never wait (it would freeze
// the page). There are no threads: a plain static host sends no cross-origin
// isolation headers, so SharedArrayBuffer and with it threads are not there;
// what the desktop hands to worker threads (the picture worker, the desk's
// pictures decoded ahead, the settings writer) runs on the main thread in
// slices between frames instead.
#pragma once

#ifdef __EMSCRIPTEN__
inline constexpr bool kHostHasThreads = false;
inline constexpr bool kPassMayWait = false;
#else
inline constexpr bool kHostHasThreads = true;
inline constexpr bool kPassMayWait = true;
#endif
