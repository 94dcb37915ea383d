#include "engine/pick.h"

#include "engine/camera.h"
#include "engine/input.h"
#include "engine/pixel_reader.h"
#include "scene/gl_state.h"

PickState& pickState() {
    static PickState picking;
    return picking;
}

namespace {

const GLsizei kSelectBufferSize = 255;
// Colour indices start at 2 so that no candidate reads back as the black background.
const int kColorOffset = 2;

// Selection stage: narrows this frame's pickables to the ones whose geometry
// covers the 2x2 pixels around the pointer, in hit-record order.
void selectCandidates(PickState& state) {
    state.candidates.clear();
    glSelectBuffer(kSelectBufferSize, state.selectBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(input().mouseX, viewport[3] - input().mouseY, 2, 2, viewport);
    glMultMatrixd(projection);
    glMatrixMode(GL_MODELVIEW);

    setSurfaceArrays(false);
    for (size_t i = 0; i < state.pickables.size(); ++i) {
        glLoadName(static_cast<GLuint>(i));
        drawForPicking(state.pickables[i], true);
    }
    glFlush();
    GLint hits = glRenderMode(GL_RENDER);

    // Each record: name count, minimum and maximum depth, the names. An overflow
    // (negative count) walks nothing, so nothing is hovered in that frame.
    GLint at = 0;
    for (GLint h = 0; h < hits; ++h) {
        if (at + 3 > kSelectBufferSize) break;
        GLuint names = state.selectBuffer[at];
        at += 3;
        for (GLuint n = 0; n < names && at < kSelectBufferSize; ++n, ++at) {
            GLuint name = state.selectBuffer[at];
            if (name < state.pickables.size()) state.candidates.push_back(state.pickables[name]);
        }
    }

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection);
    glMatrixMode(GL_MODELVIEW);
    state.pickables.clear();
}

// Colour stage: draws the candidates in colours that encode their index and reads
// back the one pixel under the pointer, so the depth test picks the front one.
// Only that pixel is cleared and drawn (a scissor box), and multisampling is off
// while it is drawn: an edge pixel resolved from several samples could blend two
// candidates' colours into a third candidate's index.
SceneNode* frontCandidate(PickState& state) {
    if (state.candidates.empty()) return nullptr;
    int x = input().mouseX;
    // The selection stage's pick matrix is centred on row height - mouseY, the
    // pixel read here too; on the top row that is one past the framebuffer, so
    // it is clamped to the last row.
    int height = camera() ? camera()->height : 0;
    int y = height - input().mouseY;
    if (y > height - 1) y = height - 1;
    if (y < 0) y = 0;

    setGlSwitch(GlSwitch::multisample, false);
    glScissor(x, y, 1, 1);
    setGlSwitch(GlSwitch::scissorTest, true);

    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // Flat index colours: unlit, untextured, unblended, nearest in front.
    setGlSwitch(GlSwitch::lighting, false);
    setGlSwitch(GlSwitch::texture2d, false);
    setGlSwitch(GlSwitch::blend, false);
    setGlSwitch(GlSwitch::alphaTest, false);
    setGlSwitch(GlSwitch::depthTest, true);
    setSurfaceArrays(false);
    glPushAttrib(GL_CURRENT_BIT);
    for (size_t k = 0; k < state.candidates.size(); ++k) {
        glColor3ub(static_cast<GLubyte>(k + kColorOffset), 255, 255);  // wraps past 253
        drawForPicking(state.candidates[k], false);
    }
    glPopAttrib();
    glFlush();

    setGlSwitch(GlSwitch::scissorTest, false);
    // Back as the camera set it for the frames.
    setGlSwitch(GlSwitch::multisample, camera() && camera()->multisampled);

    // A read that GL cannot serve writes nothing: the pixel must already read as
    // background.
    GLubyte pixel[4] = {0, 0, 0, 0};
    readPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    int index = static_cast<int>(pixel[0]) - kColorOffset;
    if (pixel[0] != 0 && index >= 0 && static_cast<size_t>(index) < state.candidates.size())
        return state.candidates[static_cast<size_t>(index)];
    return nullptr;
}

}  // namespace

void resetPick() {
    pickState().pickables.clear();
    pickState().candidates.clear();
    pickState().hovered = nullptr;
    pickState().lastPickValid = false;
    pickState().lastPickables.clear();
}

void pressNode(SceneNode* node, bool moveTo, int32_t x, int32_t y) {
    pickState().hovered = node;
    pressPointer(moveTo, x, y);
}

void registerPickable() { pickState().pickables.push_back(sceneState().currentNode); }

void pickableCallback(CallbackPhase phase, void* arg) {
    (void)arg;
    if (phase == beforeOwnMeshes) registerPickable();
}

// A null hovered node never matches, even outside a traversal.
bool isHovered() { return pickState().hovered && pickState().hovered == sceneState().currentNode; }
bool isHoveredOn(ModalLevel level) { return isHovered() && topmostOpenLevel() <= level; }

bool clickedOn(ModalLevel level) { return isHoveredOn(level) && input().leftClicked; }

bool clickedOrKeyOn(ModalLevel level, int key) {
    if (clickedOn(level)) return true;
    return key != 0 && topmostOpenLevel() == level && isKeyPressed(key) && consumeKey();
}

void runPickPass() {
    pickState().lastPickValid = true;
    pickState().lastX = input().mouseX;
    pickState().lastY = input().mouseY;
    pickState().lastPickables = pickState().pickables;
    selectCandidates(pickState());
    pickState().hovered = frontCandidate(pickState());
}

void runPickPassIfChanged(bool frameChanged) {
    PickState& s = pickState();
    if (!frameChanged && s.lastPickValid && s.lastX == input().mouseX && s.lastY == input().mouseY &&
        s.lastPickables == s.pickables) {
        s.pickables.clear();
        return;
    }
    runPickPass();
}
