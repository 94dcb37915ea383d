// modelview — renders one model entry of an archive to a PNG file, lit and drawn
// exactly as the program draws it on the desk, so artwork can be checked without
// starting the program. Needs an X display (Xvfb will do).
//
//   modelview ARCHIVE ENTRY OUT.png [--size WxH] [--yaw DEG] [--pitch DEG]
//                                   [--background R,G,B] [--time MS]
//
// The model is stood up as the program stands it up (-90 degrees about X), turned
// by yaw about its vertical axis and then by pitch towards the viewer, and placed
// so that its bounding sphere fills the view.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "proctex/procedural_texture.h"
#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/animation.h"
#include "base/gl.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/scene_node.h"
#include "scene/walk_matrix.h"
#include "base/byte_io.h"

namespace {

struct Options {
    const char* archive = nullptr;
    const char* entry = nullptr;
    const char* out = nullptr;
    int width = 512, height = 512;
    double yaw = 0, pitch = 0;
    double background[3] = {0.5, 0.5, 0.5};
    int time = 0;
};

int usage() {
    std::fprintf(stderr,
                 "usage: modelview ARCHIVE ENTRY OUT.png [--size WxH] [--yaw DEG] [--pitch DEG]\n"
                 "                 [--background R,G,B] [--time MS]\n"
                 "  colours are 0..1; procedural textures are shown at time MS\n");
    return 2;
}

bool parseOptions(int argc, char** argv, Options& o) {
    int positional = 0;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (a == "--yaw" && hasValue) {
            o.yaw = std::atof(argv[++i]);
        } else if (a == "--pitch" && hasValue) {
            o.pitch = std::atof(argv[++i]);
        } else if (a == "--time" && hasValue) {
            o.time = std::atoi(argv[++i]);
        } else if (a == "--background" && hasValue) {
            double* c = o.background;
            if (std::sscanf(argv[++i], "%lf,%lf,%lf", &c[0], &c[1], &c[2]) != 3) return false;
        } else if (a.size() > 1 && a[0] == '-') {
            return false;
        } else if (positional == 0) {
            o.archive = argv[i], positional++;
        } else if (positional == 1) {
            o.entry = argv[i], positional++;
        } else if (positional == 2) {
            o.out = argv[i], positional++;
        } else {
            return false;
        }
    }
    return positional == 3 && o.width > 0 && o.height > 0 && o.width <= 8192 && o.height <= 8192;
}

// The mesh count the entry declares, so that a truncated model is reported
// instead of being drawn in part.
int32_t declaredMeshCount(const uint8_t* bytes, int32_t size) {
    int32_t at = bytes[0] == 0xFF ? 5 : 1;
    if (size < at + 4) return -1;
    int32_t count;
    std::memcpy(&count, bytes + at, 4);
    return count;
}

struct Bounds {
    double center[3] = {0, 0, 0};
    double radius = 0;
    bool empty = true;
};

// The bounding sphere of every vertex, read with memcpy: archive memory has no alignment.
Bounds modelBounds(const SceneNode* node) {
    Bounds b;
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const Mesh* mesh : node->meshes) {
        for (int32_t v = 0; v < mesh->triangleCount * 3; v++) {
            double p[3];
            for (int k = 0; k < 3; k++) p[k] = unalignedDouble(mesh->vertices, size_t(v) * 3 + size_t(k));
            for (int k = 0; k < 3; k++) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
            b.empty = false;
        }
    }
    if (b.empty) return b;
    for (int k = 0; k < 3; k++) b.center[k] = (lo[k] + hi[k]) / 2;
    for (const Mesh* mesh : node->meshes) {
        for (int32_t v = 0; v < mesh->triangleCount * 3; v++) {
            double p[3];
            for (int k = 0; k < 3; k++) p[k] = unalignedDouble(mesh->vertices, size_t(v) * 3 + size_t(k));
            double d = std::sqrt((p[0] - b.center[0]) * (p[0] - b.center[0]) +
                                 (p[1] - b.center[1]) * (p[1] - b.center[1]) +
                                 (p[2] - b.center[2]) * (p[2] - b.center[2]));
            b.radius = std::max(b.radius, d);
        }
    }
    if (b.radius <= 0) b.radius = 1;
    return b;
}

// The model in a tree of its own, drawn as the program draws a frame (recorded,
// then drawn whole into the camera's picture) and read back: the root carries
// the view (the frame is 100 units in front of the eye), a stand the model's
// standing up, the model node its centring.
std::vector<uint8_t> drawModel(SceneNode* model, const Bounds& b, const Options& o) {
    const double fovy = 45.0;
    double aspect = double(o.width) / o.height;
    double halfY = fovy / 2 * M_PI / 180;
    double halfX = std::atan(std::tan(halfY) * aspect);
    double distance = b.radius / std::sin(std::min(halfX, halfY)) * 1.05;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, aspect, std::max(distance - b.radius * 1.5, distance * 0.01), distance + b.radius * 1.5);
    glMatrixMode(GL_MODELVIEW);
    WalkView view = walkView();
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    setWalkView(view);

    SceneNode* root = createNode();
    setPosition(root, 0, 0, 100 - distance);
    setRotation(root, o.pitch, o.yaw, 0);
    addCallback(root, lightingCallback, nullptr);
    SceneNode* stand = createNode();
    setRotation(stand, -90, 0, 0);
    addChild(root, stand);
    setPosition(model, -b.center[0], -b.center[1], -b.center[2]);
    addChild(stand, model);
    std::vector<uint8_t> rgb = drawWholeFrameRgb(root);
    stand->children.clear();
    destroyNode(stand);
    root->children.clear();
    destroyNode(root);
    return rgb;
}

bool writePng(const Options& o, const std::vector<uint8_t>& rgb) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, o.width, o.height);
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < o.height; y++) {
        const uint8_t* src = rgb.data() + size_t(y) * size_t(o.width) * 3;
        uint32_t* dst = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < o.width; x++)
            dst[x] = uint32_t(src[3 * x]) << 16 | uint32_t(src[3 * x + 1]) << 8 | uint32_t(src[3 * x + 2]);
    }
    cairo_surface_mark_dirty(surface);
    cairo_status_t status = cairo_surface_write_to_png(surface, o.out);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "modelview: cannot write %s: %s\n", o.out, cairo_status_to_string(status));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) return usage();

    // Checked before the window opens, and without the cache's silent exit.
    PakArchive* archive = pakTryAcquire(o.archive);
    if (!archive) {
        std::FILE* f = std::fopen(o.archive, "rb");
        if (f) std::fclose(f);
        std::fprintf(stderr, "modelview: %s: %s\n", o.archive,
                     f ? "not a valid archive (truncated or malformed)" : "cannot open the file");
        return 1;
    }
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(*archive, o.entry, &size);
    if (!bytes) {
        std::fprintf(stderr, "modelview: %s has no entry named \"%s\"\n", o.archive, o.entry);
        return 1;
    }
    std::vector<ParsedMesh> parsed;
    int32_t whole = parseModel(bytes, size, parsed);
    int32_t declared = whole < 0 ? -1 : declaredMeshCount(bytes, size);
    if (whole < 0 || declared != whole) {
        std::fprintf(stderr, "modelview: entry \"%s\" is not a valid model (truncated or malformed)\n", o.entry);
        return 1;
    }

    // The program's own window, windowed; it ends the program with SDL's
    // message when none can be opened.
    createWindowedCamera(o.width, o.height);
    glClearColor(float(o.background[0]), float(o.background[1]), float(o.background[2]), 1.0f);
    setupLight();
    SceneNode* node = createNode();
    loadModel(node, o.archive, o.entry);
    // Fire needs steps to build up its heat; Plasma depends only on the time.
    sceneState().frameTime = uint32_t(o.time);
    for (int step = 0; step < 120; step++) proceduralUpdateAll(sceneState().frameTime);

    Bounds b = modelBounds(node);
    std::vector<uint8_t> rgb = drawModel(node, b, o);
    bool ok = rgb.size() == size_t(o.width) * size_t(o.height) * 3 && writePng(o, rgb);
    destroyNode(node);
    pakRelease(o.archive);
    closePresenter();
    destroyCamera(camera());
    if (b.empty) std::fprintf(stderr, "modelview: note: entry \"%s\" holds no triangles\n", o.entry);
    return ok ? 0 : 1;
}
