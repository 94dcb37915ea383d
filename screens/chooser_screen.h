// "Who is painting?": a top-level screen of large animal pictures, one for each
// child's book; a click on one chooses that book. And the menu's small picture
// of the child painting now, which brings the chooser back.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/modal.h"

// What the program wires into the chooser at start-up (the screens sit below
// the program, which owns the books).
struct ChooserState {
    std::vector<int32_t> animals;  // the animals offered (indices of animalNames), in order
    int32_t current = -1;          // the animal whose book is open; -1 while none is
    bool closable = false;         // before a book is open: a close button that ends the program
    void (*choose)(int32_t animal) = nullptr;  // a picture was clicked
    void (*quit)() = nullptr;                  // the close button
};
extern ChooserState chooserState;

// Opens the chooser at the screen level (nothing while that level is open).
void openChooserScreen();
// Builder of the chooser: the card and a picture button for each animal offered.
void buildChooserScreen(void* arg);
// Click track of an animal's picture; arg points at its index in animalNames.
void chooseAnimalAction(void* arg);
// Click track of the chooser's close button: the program's quit action.
void closeChooserAndQuit(void* holder);
// The menu's button: the current child's small picture, or null while no
// book of a child is open (without profiles).
const char* chooserMenuEntry();
// Click track of that button on the setup screen: the setup screen closes and
// the chooser opens in its place; arg is the setup screen's holder.
void backToChooserAction(void* holder);
// Where the animal buttons go on a card for count animals, relative to the
// card: rows of four, centred. x and z of button i.
void chooserButtonPlace(int32_t count, int32_t i, double& x, double& z);
