// Textures made from image entries of archives, one per entry, shared by
// reference count. Each texture reference also holds one reference on its
// archive, so releases pair with acquisitions exactly as for models.
#pragma once
#include <string>
#include <vector>

#include "base/gl.h"
#include "resources/png_decode.h"

#include "resources/pictures_ahead.h"

// Ends the program like pakAcquireOrExit when the archive cannot be opened.
// Returns 0 (still holding the archive reference) for a missing entry or an
// image that does not decode. The caller owes one textureRelease.
GLuint textureAcquireOrExit(const char* archive, const char* entry);
// The same for a picture decoded elsewhere (as the preparer's worker does):
// uploaded unless the entry's texture is already alive, and the image freed
// either way. The archive must be open already.
GLuint textureAcquireDecoded(const char* archive, const char* entry, RgbaImage& image);
// Releases one reference on the texture (0 releases none) and one on the archive.
void textureRelease(const char* archive, GLuint texture);
// How many textures are alive (for tests and shutdown checks).
int liveTextureCount();
// References held on the texture of that entry; 0 when it has none.
int textureReferences(const char* archive, const char* entry);
// The entries of that archive whose textures are alive.
std::vector<std::string> liveTextureEntries(const char* archive);
