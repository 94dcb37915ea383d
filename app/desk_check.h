// The desk's archive at the start: a desk model or picture that is broken is
// a broken installation, as a missing archive is, and stops the program with
// one line naming the file. The desk's pictures are decoded ahead on a thread
// of their own while the window opens, and the desk is built from them.
#pragma once
#include <cstdint>
#include <vector>

#include "resources/pictures_ahead.h"
#include "resources/png_decode.h"

// Before anything is built: every model of the desk whole, and every picture
// it names there; then its pictures start decoding ahead. false, after one line
// on stderr and a desktop notice in language, when the desk is broken; a
// broken picture found later is told in language too.
bool deskModelsWhole(int32_t language);
// The scene's hook (sceneHooks): a picture of a model that gives no texture.
// Once deskModelsWhole has run, one of the desk's stops the program.
void deskPictureUnusable(const char* archive, const char* picture);
// The scene's hook (sceneHooks): a desk picture decoded ahead, while the
// decoding runs.
PictureAhead deskPictureAhead(const char* archive, const char* entry, RgbaImage& image,
                              std::vector<RgbaImage>& smaller);
// After the first frame: the desk's pictures that no texture was made from yet
// (the stars, the drops, the focus frame...) were decoded ahead, once; the
// first that did not decode stops the program. Then the decoding stops.
void checkDeskPicturesNotShown();
// Stops the decoding ahead and lets the archive go; also run when the process
// ends through exit().
void stopDeskPicturesAhead();
