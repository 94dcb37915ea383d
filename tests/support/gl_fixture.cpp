// The GL test program: one process, one X display, the real Camera.
#include "support/gl_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/camera.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "engine/engine_state.h"
#include "scene/render.h"
#include "scene/animation.h"
#include "scene/gl_state.h"
#include "scene/mesh.h"
#include "scene/scene_node.h"
#include "screens/screen_state.h"
#include "support/test_support.h"
#include "engine/frame_presenter.h"

void ensureGlWindow() {
    if (!camera()) createCamera(0, 0, 0);
}

void closeGlWindow() {
    if (camera()) {
        closePresenter();
        destroyCamera(camera());
    }
}

namespace {

// Whatever an earlier scenario left in the process-wide objects that are
// created before the entry point in the real program.
void resetProcessState() {
    resetSceneState();
    resetEngineState();
    resetBook();
    resetScreens();
    settingsPath().clear();
}

}  // namespace

bool startUpForTest(const std::string& settingsFile, const TestStart& how) {
    // The program opens its own window, exactly as at a real start.
    closeGlWindow();
    if (chdir(dataDir().c_str()) != 0) {
        // Scenarios that load no archive still run; those that do will fail loudly.
    }
    std::string path = settingsFile;
    if (path.empty()) path = makeTempDir("qm_settings") + "/velvadine_quillmead_cfg";
    resetProcessState();
    shellState().preparingInBackground = how.prepareInBackground;
    static const uint32_t asTheProgramRests = shellState().longestRestMs;
    shellState().longestRestMs = how.longRests ? asTheProgramRests : 0;
    if (!startUpWithSettingsPath(path, how.options)) return false;
    // Removed before its first traversal, the holder's builder never runs.
    if (!how.startUpHelp && screenState().layer) {
        for (SceneNode* holder : screenState().layer->children) closeModalScreen(holder);
    }
    return true;
}

bool startComparingWithWholeFrames() {
    TestStart how;
    how.options.windowWidth = 800;
    how.options.windowHeight = 450;
    if (!startUpForTest("", how) || camera()->pictureSamples <= 0) return false;
    presenter.checkAgainstWholeFrames = true;
    return true;
}

void shutDownForTest() {
    if (!shellState().rootNode) return;
    // A scenario that did not quit still dismantles its tree the real way, so
    // shutdown finds the root without children as it always does.
    if (!shellState().rootNode->dead) {
        remove(shellState().rootNode);
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

void beginSmallView(int size) {
    ensureGlWindow();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, size, size);
    glDisable(GL_MULTISAMPLE);
    glDepthMask(GL_TRUE);  // a frame may have ended with a blend, which writes no depth
    forgetGlState();
}

void endSmallView() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    // Put back behind the renderer's shadow.
    forgetGlState();
}
