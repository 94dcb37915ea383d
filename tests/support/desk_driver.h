// Driving the real desk like a child: point at a node where it shows, click,
// press keys, and step the main loop by passes or by the track clock.
#pragma once
#include <cstdint>

#include <vector>

#include "base/gl.h"
#include "book/palette.h"
#include "book/page_turn.h"
#include "scene/scene_node.h"

void passes(int n);
// Steps passes until frameTime has moved more than ms past since (the track clock).
void passesUntil(uint32_t since, double ms);
// Points at the node's deepest visible pixel and steps the two passes a hover
// takes; false when the node does not show or is not the one hovered.
bool hover(SceneNode* node);
// hover, then one pass with a left click.
bool clickOn(SceneNode* node);
void pushKey(SDLKey sym, SDLMod mod = KMOD_NONE);

// The desk's nodes, as the desk builds them.
SceneNode* jarBody(int jar);
SceneNode* regionNode(int32_t k);
// The HUD's arrow that turns to the next page (right) or the previous one.
SceneNode* pageArrow(bool next);
// The live (not removing) node of a well on the palette; null while none.
SceneNode* wellNode(int well);
// The well's drops of a kind that still show; with vanishingToo also those
// shrinking away after a click.
std::vector<SceneNode*> wellDrops(int well, DropKind kind, bool vanishingToo = false);
// The back or clear button above the book while it is not removed; hiding
// (shrinking away) too unless hidingToo is false. Null when there is none.
SceneNode* stateButton(StateButtonKind kind, bool hidingToo = true);
// The node draws exactly the named model of archive.
bool showsModel(const SceneNode* node, const char* model, const char* archive = "interface.pak");
// Some node of the subtree draws it.
bool subtreeShowsModel(const SceneNode* root, const char* model, const char* archive);
// parent still has child (pointers compared only: a removed child may be freed).
bool holds(const SceneNode* parent, const SceneNode* child);
// Nodes in the subtree, itself included.
int countNodes(const SceneNode* node);
// How many of the three channels were started with the named effect since the
// last silenceChannels (which marks all three finished).
int channelsPlaying(const char* sound);
void silenceChannels();
// The window's pixel at the node's deepest visible spot, drawn with the pointer
// away in the corner.
void pixelOf(SceneNode* node, uint8_t rgb[3]);
// The pixel at (x, glY), rows from the bottom, of the program's frame drawn
// whole (drawWholeFrameRgb).
void wholeFramePixel(int x, int glY, uint8_t rgb[3]);
