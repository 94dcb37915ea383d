// The smaller levels of the pictures drawn minified, made on whichever thread
// decoded the picture, so that the thread with the drawing context only hands
// them over.
#pragma once
#include <vector>

#include "resources/png_decode.h"

// Which pictures get mipmaps: the opaque ones of 512 texels a side and more.
// Those are the surfaces made to cover much of the window at one texel a pixel
// or more at 1080 lines (the desk's wood, the cardboard, the help screen's
// background), so at every smaller size they are drawn minified, and their fine
// grain sparkles and moires. Mipmapped sampling costs fill on every pixel it
// covers on a software renderer; the smaller pictures stay as they are, the paper
// above all, drawn magnified across the book. A picture with transparency is a
// cut-out (the screens' cards and lettering, the glass, the drops): its outline
// lives in its alpha, which the alpha test cuts at 0.9; averaged into smaller
// levels the outline would erode and, on a repeating texture, the opposite edge
// would bleed in. Opaque pictures arrive packed to RGB (dropOpaqueAlpha).
bool wantsMipmaps(const RgbaImage& picture);

// Every level below the picture, from half its size down to 1x1, each made
// from the one above exactly as GLU's gluBuild2DMipmaps makes it, so that the
// texture holds the same texels: each texel the mean of a 2x2 block, rounded
// to nearest; once a side is down to 1, the mean of a pair along the other,
// rounded down. Empty when a side is not a power of two (GLU would resample
// the picture first; such a picture gets no mipmaps).
std::vector<RgbaImage> smallerLevels(const RgbaImage& picture);
