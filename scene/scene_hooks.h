// What the scene asks of the layers above it. Declared here and filled in one
// place by the program's start (app/layer_wiring.cpp); a hook left null is not
// asked, and the scene then does what it does alone.
#pragma once
#include <vector>

#include "resources/pictures_ahead.h"
#include "resources/png_decode.h"

struct SceneHooks {
    // Told of each picture a model draws with that gives no texture (missing,
    // or not decoding) as the model loads; null leaves such a surface
    // untextured. The program decides what a broken picture of which archive
    // means.
    void (*unusableModelPicture)(const char* archive, const char* picture) = nullptr;
    // Where pictures decoded ahead on another thread come from (the desk's, at
    // the start), with their smaller levels when they want mipmaps; null, or
    // PictureAhead::notAhead: the picture is decoded here.
    PictureAhead (*pictureDecodedAhead)(const char* archive, const char* entry, RgbaImage& image,
                                        std::vector<RgbaImage>& smaller) = nullptr;
};

// Main thread only.
SceneHooks& sceneHooks();
