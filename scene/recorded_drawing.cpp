// Drawing a recorded frame with the desktop's fixed-function OpenGL: each item
// under the state it was recorded with, set by difference (scene/gl_state.h).
#include <algorithm>

#include "base/gl.h"
#include "base/gl_texture.h"
#include "scene/frame_record.h"
#include "scene/gl_state.h"
#include "scene/mesh.h"

namespace {

const float kWhite[4] = {1, 1, 1, 1};

// A translucent item is blended and writes no depth, so that what lies behind
// it and is drawn after it still shows through.
void drawItem(const DrawItem& item, bool blended) {
    const Material m = readMaterial(item.material);
    setGlSwitch(GlSwitch::lighting, item.lighting);
    setGlLights(item.lights);
    setGlSwitch(GlSwitch::depthTest, item.depthTest);
    setDepthWrites(!blended);
    setGlSwitch(GlSwitch::blend, blended);
    setGlSwitch(GlSwitch::alphaTest, m.alphaTest != 0);
    setGlSwitch(GlSwitch::texture2d, true);
    setSurfaceArrays(true);
    // Paint replaces white for this item only.
    const float paint[4] = {float(item.color[0]), float(item.color[1]), float(item.color[2]), 1};
    setSurface(m, item.hasOverride ? paint : kWhite);
    bindTexture2D(item.texture);
    glLoadMatrixd(item.modelview);
    const Mesh* mesh = item.mesh;
    submitMeshTriangles(mesh->buffer, MeshArrays{mesh->vertices, mesh->normals, mesh->texCoords, mesh->triangleCount});
}

}  // namespace

int64_t drawRecorded(const FrameRecord& record, const ScreenRect* clip, size_t first, size_t last,
                     const std::vector<uint8_t>* hidden) {
    int64_t drawn = 0;
    const size_t end = std::min(last, record.items.size());
    for (int pass = 0; pass < 2; ++pass) {
        const bool blended = pass == 1;
        for (size_t i = first; i < end; ++i) {
            const DrawItem& item = record.items[i];
            if (item.translucent != blended || !item.mesh) continue;
            if (clip && !overlaps(item.rect, *clip)) continue;
            if (hidden && i < hidden->size() && (*hidden)[i]) continue;
            drawItem(item, blended);
            ++drawn;
        }
    }
    return drawn;
}
