// What the preview tools share: the frame the program shows, as a picture, made
// smaller and written to PNG.
#pragma once
#include <cairo.h>

#include <string>

#include "scene/scene_node.h"

// The tree's frame drawn whole as the window shows it (multisampled where the
// program draws so), read back; the caller owns the surface.
cairo_surface_t* captureFrame(SceneNode* root);
// full made `by` times smaller (by <= 1: full itself); full is taken over.
cairo_surface_t* shrunk(cairo_surface_t* full, int by);
// false, with a line on stderr naming the tool and the file, when it cannot be written.
bool savePng(cairo_surface_t* s, const std::string& path, const char* tool);
