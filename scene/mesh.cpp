// Drawing meshes straight from archive memory: opaque ones at once, translucent
// ones queued with the state they were reached under, and bare geometry for
// picking under the matrix captured in the frame's traversal.
#include "scene/mesh.h"

#include <cstring>

#include "proctex/procedural_texture.h"
#include "scene/texture.h"

std::vector<Mesh*> translucentQueue;

namespace {

void applyMaterial(const Material& m) {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
}

// Mesa copies the current colour into the tracked material only when a glColor
// call changes it while GL_COLOR_MATERIAL is on: enabling it, glPopAttrib and a
// glColor with the same value do not. A mesh drawn first would be black, and every
// mesh after a painted one would keep its paint. So the tracked ambient and
// diffuse are set to the current colour explicitly, which is what tracking means.
void syncColorMaterial() {
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, color);
    glEnable(GL_COLOR_MATERIAL);
}

// Paint replaces the current colour for this mesh only.
void beginColor(bool hasOverride, const double color[3]) {
    if (hasOverride) {
        glPushAttrib(GL_CURRENT_BIT);
        glColor3f(float(color[0]), float(color[1]), float(color[2]));
    }
    syncColorMaterial();
}

void endColor(bool hasOverride) {
    if (!hasOverride) return;
    glPopAttrib();
    syncColorMaterial();
}

MeshArrays arraysOf(const Mesh* mesh) {
    return MeshArrays{mesh->vertices, mesh->normals, mesh->texCoords, mesh->triangleCount};
}

}  // namespace

// GL_LIGHT1 + 7 is GL_LIGHT8, which does not exist where there are only the
// eight lights OpenGL guarantees; asking for it raises GL_INVALID_ENUM. Only the
// lights the implementation has are saved and restored.
int savedLightCount() {
    static GLint count = -1;
    if (count < 0) {
        GLint maxLights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        count = maxLights - 1 < 8 ? maxLights - 1 : 8;
        if (count < 0) count = 0;
    }
    return count;
}


void setColorOverride(Mesh* mesh, double red, double green, double blue) {
    mesh->overrideColor[0] = red;
    mesh->overrideColor[1] = green;
    mesh->overrideColor[2] = blue;
    mesh->hasOverride = true;
}

void drawMesh(Mesh* mesh) {
    glGetDoublev(GL_MODELVIEW_MATRIX, mesh->modelview);
    Material m = readMaterial(mesh->material);
    if (m.translucent) {
        // The callbacks that set this state run their closing phase long before the
        // flush, so it is saved now and put back for the deferred draw.
        mesh->depthTestWasOn = glIsEnabled(GL_DEPTH_TEST);
        mesh->lightingWasOn = glIsEnabled(GL_LIGHTING);
        if (mesh->lightingWasOn) {
            int lights = savedLightCount();
            for (int i = 0; i < 8; i++) mesh->lightWasOn[i] = i < lights && glIsEnabled(GLenum(GL_LIGHT1 + i));
        }
        translucentQueue.push_back(mesh);
        return;
    }
    // Left on: ambient and diffuse follow the current colour (white or the paint).
    drawMeshAs(mesh, mesh->texture, mesh->hasOverride, mesh->overrideColor, false);
}

void drawMeshDeferred(Mesh* mesh) {
    if (!mesh->depthTestWasOn) glDisable(GL_DEPTH_TEST);
    if (mesh->lightingWasOn) {
        glEnable(GL_LIGHTING);
        for (int i = 0; i < 8; i++) {
            if (mesh->lightWasOn[i]) glEnable(GLenum(GL_LIGHT1 + i));
        }
    }
    glLoadMatrixd(mesh->modelview);
    drawMeshAs(mesh, mesh->texture, mesh->hasOverride, mesh->overrideColor, true);
    if (!mesh->depthTestWasOn) glEnable(GL_DEPTH_TEST);
    if (mesh->lightingWasOn) {
        glDisable(GL_LIGHTING);
        for (int i = 0; i < 8; i++) {
            if (mesh->lightWasOn[i]) glDisable(GLenum(GL_LIGHT1 + i));
        }
    }
}

void drawMeshAs(const Mesh* mesh, GLuint texture, bool hasOverride, const double color[3], bool blended) {
    Material m = readMaterial(mesh->material);
    if (m.alphaTest) glEnable(GL_ALPHA_TEST);
    if (blended) glEnable(GL_BLEND);
    applyMaterial(m);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_COLOR_MATERIAL);
    beginColor(hasOverride, color);
    submitMeshTriangles(mesh->buffer, arraysOf(mesh));
    endColor(hasOverride);
    if (blended) glDisable(GL_BLEND);
    if (m.alphaTest) glDisable(GL_ALPHA_TEST);
}

void drawMeshForPicking(const Mesh* mesh) {
    glLoadMatrixd(mesh->modelview);
    submitMeshPositions(mesh->buffer, arraysOf(mesh));
}

void destroyMesh(Mesh* mesh) {
    // Reads only the mesh's own fields: the archive may already be gone.
    if (mesh->procedural) {
        proceduralRelease(mesh->textureSource);
    } else {
        textureRelease(mesh->textureSource.c_str(), mesh->texture);
    }
    mesh->texture = 0;
    releaseMeshBuffer(mesh->buffer);
}
