// Drawing meshes straight from archive memory: opaque ones at once, translucent
// ones queued with the state they were reached under, and bare geometry for
// picking under the matrix captured in the frame's traversal.
#include "scene/mesh.h"

#include <cstring>

#include "proctex/procedural_texture.h"
#include "resources/pak.h"

std::vector<Mesh*> translucentQueue;

Material readMaterial(const uint8_t* block60) {
    // Archive memory has no alignment; the floats are copied out, never cast.
    Material m;
    std::memcpy(&m, block60, sizeof m);
    return m;
}

namespace {

void applyMaterial(const Material& m) {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
}

void pushOverrideColor(const Mesh* mesh) {
    glPushAttrib(GL_CURRENT_BIT);
    glColor3f(float(mesh->overrideColor[0]), float(mesh->overrideColor[1]), float(mesh->overrideColor[2]));
}

void drawArrays(const Mesh* mesh) {
    glTexCoordPointer(2, GL_DOUBLE, 0, mesh->texCoords);
    glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
    glNormalPointer(GL_DOUBLE, 0, mesh->normals);
    glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
}

}  // namespace

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
            for (int i = 0; i < 8; i++) mesh->lightWasOn[i] = glIsEnabled(GLenum(GL_LIGHT1 + i));
        }
        translucentQueue.push_back(mesh);
        return;
    }
    if (m.alphaTest) glEnable(GL_ALPHA_TEST);
    applyMaterial(m);
    glBindTexture(GL_TEXTURE_2D, mesh->texture);
    // Left on: ambient and diffuse follow the current colour (white or the paint).
    glEnable(GL_COLOR_MATERIAL);
    if (mesh->hasOverride) pushOverrideColor(mesh);
    drawArrays(mesh);
    if (mesh->hasOverride) glPopAttrib();
    if (m.alphaTest) glDisable(GL_ALPHA_TEST);
}

void drawMeshDeferred(Mesh* mesh) {
    Material m = readMaterial(mesh->material);
    if (!mesh->depthTestWasOn) glDisable(GL_DEPTH_TEST);
    if (mesh->lightingWasOn) {
        glEnable(GL_LIGHTING);
        for (int i = 0; i < 8; i++) {
            if (mesh->lightWasOn[i]) glEnable(GLenum(GL_LIGHT1 + i));
        }
    }
    if (m.alphaTest) glEnable(GL_ALPHA_TEST);
    glLoadMatrixd(mesh->modelview);
    glEnable(GL_BLEND);
    applyMaterial(m);
    glBindTexture(GL_TEXTURE_2D, mesh->texture);
    if (mesh->hasOverride) pushOverrideColor(mesh);
    drawArrays(mesh);
    if (mesh->hasOverride) glPopAttrib();
    if (!mesh->depthTestWasOn) glEnable(GL_DEPTH_TEST);
    if (mesh->lightingWasOn) {
        glDisable(GL_LIGHTING);
        for (int i = 0; i < 8; i++) {
            if (mesh->lightWasOn[i]) glDisable(GLenum(GL_LIGHT1 + i));
        }
    }
    if (m.alphaTest) glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

void drawMeshForPicking(const Mesh* mesh) {
    glLoadMatrixd(mesh->modelview);
    glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
    glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
}

void destroyMesh(Mesh* mesh) {
    // Reads only the mesh's own fields: the archive may already be gone.
    if (mesh->procedural) {
        proceduralRelease(mesh->textureSource);
    } else {
        pakReleaseTextureOf(mesh->textureSource.c_str(), mesh->texture);
    }
    mesh->texture = 0;
}
