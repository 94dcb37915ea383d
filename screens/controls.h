// The controls screens are made of: pictures, buttons that grow while hovered,
// check boxes bound to a switch, and the two ways a screen closes. Every control
// polls the input state once per frame from its track; none receives events.
#pragma once
#include "engine/modal.h"
#include "scene/animation.h"
#include "scene/scene_node.h"

// A node showing one model entry at (x, y, z) under parent; not clickable.
SceneNode* makePicture(SceneNode* parent, const char* archive, const char* entry, double x, double y, double z);

// A clickable picture on a screen of level with two endless tracks, the click
// track first (handler with handlerArg) and then the button swell, which stops
// while a higher level covers the button.
SceneNode* makeButton(SceneNode* parent, const char* archive, const char* entry, double x, double y, double z,
                      TrackFn handler, void* handlerArg, ModalLevel level);

// A check box at (x, y, z) bound to one of the switches (engine/switches.h):
// an empty node whose checkBoxWatch track shows the picture of the bound value.
// Nothing is drawn before the first frame's watch has run.
SceneNode* makeCheckBox(SceneNode* parent, double x, double y, double z, bool* flag);

// A check box's watch: the switch it is bound to and the value it shows.
struct CheckBox {
    bool* flag = nullptr;
    bool shown = false;
};
// Endless track of a check box; arg is its CheckBox. When the value differs
// from the one shown it adds the other picture.
void checkBoxWatch(void* checkBox);
// Endless track of a check box's picture: a click plays the button sound, flips
// the flag (under the audio lock, which the mixer reads the switches under) and
// removes the picture; the watch shows the new one in the next frame. Check
// boxes lie on top-level screens: a box reacts only while no second-level
// screen (about, clear all) covers it.
void checkBoxToggle(void* flag);

// Click tracks of the close and cancel buttons; arg is the screen's holder.
// closeScreen fires on a click, or on Escape while no second-level screen is
// open (the topmost screen takes Escape); closeSubScreen on a click or Escape.
// Firing plays the button sound and closes the holder's level (closeModalScreen).
void closeScreen(void* holder);
void closeSubScreen(void* holder);
