// The help screen: how to play, in pictures, over a background without words.
#include "screens/controls.h"
#include "screens/languages.h"
#include "screens/screen_entries.h"
#include "screens/screens.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "resources/desk_entries.h"

namespace {

// The back and clear buttons appear at the top of the desk only once there is
// something to undo or clear; the help shows them where and as large as they
// will be, a little in front of that place, so the picture can point at them.
void hudButtonCopy(SceneNode* parent, const char* entry, double x) {
    makePicture(parent, deskArchive, entry, x, -61.005, 14.85);
}

}  // namespace

void buildHelpScreen(void*) {
    SceneNode* holder = sceneState().currentNode;
    SceneNode* root = createNode();
    addChild(holder, root);
    SceneNode* panel = makePicture(root, pictureArchive(), "help", 0.245, -81.5, 0.258);
    hudButtonCopy(root, deskEntry::backButton, -2.781);
    hudButtonCopy(root, deskEntry::clearButton, 1.781);
    // Without words, so the English archive's is shown in every language; left
    // out when it is damaged, the panel and its button are what matter.
    if (helpBackgroundUsable()) makePicture(root, helpBackgroundArchive, helpBackgroundEntry, 0, 0, 0);
    makeButton(panel, languageArchive(), "button_ok", 0.11, -0.155, -1.108, closeScreen, holder, ModalLevel::screen);
    makeCheckBox(panel, -2.594, -0.142, 0.301, &switches().showHelpAtStart);
}
