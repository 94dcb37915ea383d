// A frame as a list of draws: the traversal records what each mesh would draw
// (its matrix, paint, texture and the lighting it was reached under) instead of
// drawing it, so that the frame can be compared with the one before and drawn
// again, whole or only inside some rectangles of the window.
//
// Ownership: items point at meshes only while the frame is being recorded and
// drawn; once the next frame starts, an item's mesh pointer is an identity to
// compare, never to dereference (the mesh may be gone). destroyNode forgets its
// meshes in the frame being recorded.
#pragma once
#include <cstdint>
#include <vector>

#include "base/gl.h"
#include "scene/mesh.h"

// Window pixels [x0, x1) x [y0, y1), rows counted from the bottom as OpenGL does.
struct ScreenRect {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

inline bool isEmpty(const ScreenRect& r) { return r.x1 <= r.x0 || r.y1 <= r.y0; }
inline bool overlaps(const ScreenRect& a, const ScreenRect& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}
inline int64_t area(const ScreenRect& r) { return isEmpty(r) ? 0 : int64_t(r.x1 - r.x0) * (r.y1 - r.y0); }
// The smallest rectangle holding both.
inline ScreenRect joined(const ScreenRect& a, const ScreenRect& b) {
    return {a.x0 < b.x0 ? a.x0 : b.x0, a.y0 < b.y0 ? a.y0 : b.y0, a.x1 > b.x1 ? a.x1 : b.x1, a.y1 > b.y1 ? a.y1 : b.y1};
}
// What both cover (empty when they do not overlap).
inline ScreenRect intersection(const ScreenRect& a, const ScreenRect& b) {
    return {a.x0 > b.x0 ? a.x0 : b.x0, a.y0 > b.y0 ? a.y0 : b.y0, a.x1 < b.x1 ? a.x1 : b.x1, a.y1 < b.y1 ? a.y1 : b.y1};
}

// Everything that decides a mesh's pixels in a frame, so that two frames' items
// compare equal exactly when they draw the same pixels.
struct DrawItem {
    Mesh* mesh = nullptr;  // null once the mesh was destroyed during its frame
    uint64_t serial = 0;   // the mesh's, which stays unique after it is gone
    const uint8_t* material = nullptr;
    const double* vertices = nullptr;
    int32_t triangleCount = 0;
    GLuint texture = 0;
    bool procedural = false;  // an animated picture: changes every frame
    bool translucent = false;
    bool hasOverride = false;
    bool lighting = false;
    bool depthTest = true;
    uint8_t lights = 0;  // bit i: GL_LIGHT1 + i
    double color[3] = {1, 1, 1};
    double modelview[16] = {};
    ScreenRect rect;  // where it can draw; the whole view when that cannot be told
    // The depth range it can draw at (normalised device z, -1 near to 1 far);
    // the whole range when that cannot be told.
    double depthLow = -1, depthHigh = 1;
};

bool sameDrawing(const DrawItem& a, const DrawItem& b);
// The same pixels from any mesh, this one or another built from the same
// arrays: everything sameDrawing compares but the mesh's serial. Holds only
// while the arrays, the material and the texture named are alive in both.
bool sameContent(const DrawItem& a, const DrawItem& b);

struct FrameRecord {
    std::vector<DrawItem> items;  // in traversal order
    int32_t viewport[4] = {0, 0, 0, 0};
    double projection[16] = {};  // column-major, as OpenGL keeps it
};

// The traversal (recordFrame, recordStill in scene/render.h) records between
// these two: from begin on every mesh it reaches becomes an item of record (a
// still walk runs no behaviour); end works out every item's screen rectangle.
void beginRecording(FrameRecord& record, bool still);
void endRecording();
// True between them: the traversal records meshes instead of drawing.
bool recordingFrame();
// True between them for a still walk: the traversal runs no behaviour.
bool recordingStill();
// Called by the traversal for each mesh it reaches (under the current matrix).
void recordMesh(Mesh* mesh);
// The lighting the walk records meshes under: a callback that lights a subtree
// turns it on in its opening phase and off in its closing one
// (lightingCallback); lights bit i is GL_LIGHT1 + i. A walk starts unlit
// unless it was turned on before it, and ends unlit.
void setWalkLighting(bool on, uint8_t lights);
// destroyNode: the mesh is going; the frame under way no longer draws it.
void forgetRecordedMesh(const Mesh* mesh);
// Draws the recorded items that can touch clip (all when clip is null), opaque
// ones in order, then the translucent ones blended without depth writes, each
// under the state it was recorded with (scene/recorded_drawing.cpp), which it
// leaves set. Returns how many meshes it drew. Only the items in [first, last) are drawn (by default
// all): a run added over a picture that holds the others. Items marked in
// hidden (one entry an item, when given) are left out: inside clip they would
// change no sample (findHiddenItems).
int64_t drawRecorded(const FrameRecord& record, const ScreenRect* clip, size_t first = 0, size_t last = SIZE_MAX,
                     const std::vector<uint8_t>* hidden = nullptr);
// The whole view of the record.
ScreenRect wholeView(const FrameRecord& record);
