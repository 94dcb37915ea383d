// Textures made from image entries of archives, one per entry, shared by
// reference count. Each texture reference also holds one reference on its
// archive, so releases pair with acquisitions exactly as for models.
#pragma once
#include "base/gl.h"

// Ends the program like pakAcquireOrExit when the archive cannot be opened.
// Returns 0 (still holding the archive reference) for a missing entry or an
// image that does not decode. The caller owes one textureRelease.
GLuint textureAcquireOrExit(const char* archive, const char* entry);
// Releases one reference on the texture (0 releases none) and one on the archive.
void textureRelease(const char* archive, GLuint texture);
// How many textures are alive (for tests and shutdown checks).
int liveTextureCount();
// References held on the texture of that entry; 0 when it has none.
int textureReferences(const char* archive, const char* entry);
