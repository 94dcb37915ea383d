// "Who is painting?": a top-level screen of large animal pictures, one for each
// child's book; a click on one chooses that book. And the menu's small picture
// of the child painting now, which brings the chooser back.
#pragma once
#include <cstdint>

#include "engine/modal.h"
#include "screens/chooser_state.h"

// Opens the chooser at the screen level (nothing while that level is open).
void openChooserScreen();
// Builder of the chooser: the card and a picture button for each animal offered.
void buildChooserScreen(void* arg);
// Click track of an animal's picture; arg points at its index in animalNames.
void chooseAnimalAction(void* arg);
// Click track of the chooser's close button: the exit question over the
// chooser, whose OK is the program's quit action.
void askBeforeLeavingAction(void* holder);
// Click track of the menu's picture of the child (chooserMenuEntry): the setup
// screen closes and the chooser opens in its place; arg is the setup screen's
// holder.
void backToChooserAction(void* holder);
// Where the animal buttons go on a card for count animals, relative to the
// card, and how large: rows centred, of four for seven or more animals and
// fewer and larger for fewer animals. x, z and scale of button i.
void chooserButtonPlace(int32_t count, int32_t i, double& x, double& z, double& scale);
