// The current OpenGL context: what it offers, and which one it is.
//
// Objects kept from frame to frame record the serial of the context they were
// made in. Whoever makes or destroys a context (the camera) moves the serial on;
// an object recorded under another serial went away with its context and is
// forgotten, never deleted: OpenGL must not be called without a context, and in
// a new one the old name may belong to something else. A program that opens its
// window without the camera keeps serial 0, one context for its whole run.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/gl.h"

namespace gl_context_detail {
inline uint32_t serial = 0;
}

inline uint32_t glContextSerial() { return gl_context_detail::serial; }
// Called after a context is made current and before one is destroyed.
inline void glContextChanged() { ++gl_context_detail::serial; }

// A whole name in the current context's extension string.
inline bool glHasExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    size_t length = std::strlen(name);
    for (const char* at = all; at && (at = std::strstr(at, name)) != nullptr; at += length) {
        bool starts = at == all || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

// The current context's version is major.minor or later.
inline bool glVersionAtLeast(int major, int minor) {
    int haveMajor = 0, haveMinor = 0;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version || std::sscanf(version, "%d.%d", &haveMajor, &haveMinor) != 2) return false;
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}
