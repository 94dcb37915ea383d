// The GL test program: one process, one X display, the real Camera.
#include "support/gl_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/camera.h"
#include "app/input.h"
#include "app/pick.h"
#include "app/settings.h"
#include "app/shell.h"
#include "book/page_catalog.h"
#include "book/painting.h"
#include "scene/animation.h"
#include "scene/mesh.h"
#include "scene/scene_node.h"
#include "support/test_support.h"

void ensureGlWindow() {
    if (!camera) createCamera(0, 0, 0);
}

void closeGlWindow() {
    if (camera) destroyCamera(camera);
}

namespace {

// Whatever an earlier scenario left in the process-wide objects that are
// created before the entry point in the real program.
void resetProcessState() {
    input = InputState();
    pickState.pickables.clear();
    pickState.candidates.clear();
    pickState.hovered = nullptr;
    screenOpen = false;
    subScreenOpen = false;
    translucentQueue.clear();
    currentNode = nullptr;
    currentTrack = nullptr;
    settingsPath.clear();
    resetPageSwap();
    resetPainting();
}

}  // namespace

bool startUpForTest(const std::string& settingsFile) {
    // The program opens its own window, exactly as at a real start.
    closeGlWindow();
    if (chdir(dataDir().c_str()) != 0) {
        // Scenarios that load no archive still run; those that do will fail loudly.
    }
    std::string path = settingsFile;
    if (path.empty()) path = makeTempDir("qm_settings") + "/velvadine_quillmead_cfg";
    resetProcessState();
    return startUpWithSettingsPath(path);
}

void shutDownForTest() {
    if (!rootNode) return;
    // A scenario that did not quit still dismantles its tree the real way, so
    // shutdown finds the root without children as it always does.
    if (!rootNode->dead) {
        remove(rootNode);
        for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
    }
    shutDown();
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    closeGlWindow();
    return result;
}
