#include "screens/chooser_screen.h"

#include <algorithm>
#include <string>

#include "engine/audio.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/load_model.h"
#include "screens/chooser_entries.h"
#include "screens/controls.h"
#include "screens/screen_entries.h"
#include "screens/screen_hooks.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

namespace {

// The click tracks' arguments: each button points at its animal's index.
const int32_t kAnimalIndex[animalCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

}  // namespace

void chooserButtonPlace(int32_t count, int32_t i, double& x, double& z, double& scale) {
    // Few children: fewer to a row and larger, so that the card is filled.
    const int32_t perRow = count <= 2 ? std::max(count, 1) : count <= 4 ? 2 : count <= 6 ? 3 : 4;
    scale = count <= 2 ? 1.6 : count <= 4 ? 1.35 : count <= 6 ? 1.2 : 1.0;
    int32_t rows = (count + perRow - 1) / perRow;
    int32_t row = i / perRow;
    int32_t inRow = row < rows - 1 ? perRow : count - row * perRow;
    int32_t column = i - row * perRow;
    const double spacingX = 2.7 * scale, spacingZ = 2.3 * scale, middleZ = -0.25;
    x = (column - (inRow - 1) / 2.0) * spacingX;
    z = middleZ + ((rows - 1) / 2.0 - row) * spacingZ;
}

void openChooserScreen() {
    // Over the dimmed desk, as the menu is.
    SceneNode* holder = openScreen(ModalLevel::screen, buildChooserScreen);
    if (holder) loadModel(holder, commonArchive, "menu_alpha");
}

void buildChooserScreen(void*) {
    SceneNode* holder = sceneState().currentNode;
    std::string card = std::string("chooser_") + languageCodes[switches().language >= 0 &&
                                                               switches().language < screenLanguageCount
                                                           ? switches().language
                                                           : 0];
    SceneNode* panel = makePicture(holder, chooserArchive, card.c_str(), 0.245, -81.5, 0.258);
    int32_t count = int32_t(chooserState().animals.size());
    for (int32_t i = 0; i < count && i < animalCount; ++i) {
        int32_t animal = chooserState().animals[size_t(i)];
        if (animal < 0 || animal >= animalCount) continue;
        double x = 0, z = 0, scale = 1;
        chooserButtonPlace(count, i, x, z, scale);
        // The button swells by its own scale; its place carries the size.
        SceneNode* place = createNode();
        setPosition(place, x, -0.635, z);
        setScale(place, scale, scale, scale);
        addChild(panel, place);
        std::string entry = std::string("animal_") + animalNames[animal];
        makeButton(place, chooserArchive, entry.c_str(), 0, 0, 0, chooseAnimalAction,
                   const_cast<int32_t*>(&kAnimalIndex[animal]), ModalLevel::screen);
    }
    // Over a child's book the close button goes back to it, as the menu's does;
    // before any book is open it asks "Stop painting?" as the desk's does, where
    // a kiosk has none.
    // Keys and switches reach it after the animals.
    if (chooserState().current >= 0 || chooserState().closable)
        setModalCloseControl(holder, makeButton(panel, commonArchive, "button_close", 5.85, -0.609, 3.75,
                                                chooserState().current >= 0 ? closeScreen : askBeforeLeavingAction,
                                                holder, ModalLevel::screen));
}

void chooseAnimalAction(void* arg) {
    if (!clickedOn(ModalLevel::screen)) return;
    playSound("button.wav", false);
    int32_t animal = *static_cast<const int32_t*>(arg);
    if (screenHooks().chooseBook) screenHooks().chooseBook(animal);
}

void askBeforeLeavingAction(void*) {
    if (!clickedOn(ModalLevel::screen)) return;
    playSound("button.wav", false);
    openScreen(ModalLevel::subScreen, buildExitOverScreen);
}

void backToChooserAction(void* holder) {
    if (!clickedOn(ModalLevel::screen)) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
    // The setup screen's level is free again in this same frame.
    openChooserScreen();
}
