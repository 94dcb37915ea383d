// The screens' modality: which levels of screens are open over the desk. A
// level is open exactly while its screen's holder is, because the one call that
// hangs the holder marks the level and the one call that takes it down clears
// it; nothing else writes them. Hover tests and key handlers read the levels.
#pragma once
#include <cstdint>

#include "scene/animation.h"
#include "scene/scene_node.h"

// Where a node's input comes from: the desk, a screen over it, or a second
// screen over that one. A node on a level reacts only while no level above it
// is open.
enum class ModalLevel : int32_t { desk = 0, screen = 1, subScreen = 2 };

// Hangs a new holder for a screen at level (screen or subScreen) under layer,
// with builder as its one-shot track (it runs in the traversal that next reaches
// the holder, with the holder as currentNode; null builds nothing), and opens
// the level in the same call: input the level covers is refused from now on, not
// only once the builder has run. Returns the holder; null, with nothing changed,
// without a layer, for the desk level, or while that level is already open.
SceneNode* openModalScreen(SceneNode* layer, ModalLevel level, TrackFn builder);
// Takes the holder down (remove) and clears its level. A holder that is not an
// open level's (already closed, or never opened) is left alone. Closed during a
// walk, the screen is already missing from the frame that walk records.
void closeModalScreen(SceneNode* holder);

// The highest open level; desk while no screen is open.
ModalLevel topmostOpenLevel();
bool modalLevelOpen(ModalLevel level);
// The holder of an open level, null while it is closed. Compared, never
// dereferenced, once the tree has come down.
SceneNode* modalHolder(ModalLevel level);

// The control a screen's focus starts on for keys and switches, named by its
// builder (a question names its safe answer, No or Cancel); null, the default,
// is the first control in order. Forgotten when the level closes.
void setModalFocusStart(SceneNode* holder, SceneNode* node);
SceneNode* modalFocusStart(ModalLevel level);
// A screen's corner close button, which keys and switches reach after the
// screen's other controls whatever its place; null: none.
void setModalCloseControl(SceneNode* holder, SceneNode* node);
SceneNode* modalCloseControl(ModalLevel level);

// Every level closed, without touching the tree: for a fresh start.
void resetModalLevels();
