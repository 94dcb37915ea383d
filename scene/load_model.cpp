// Meshes point straight into the archive entry, which the node keeps open for as
// long as it lives.
#include "scene/load_model.h"

#include <vector>

#include "proctex/procedural_texture.h"
#include "resources/model.h"
#include "resources/pak.h"
#include "scene/mesh.h"
#include "scene/scene_hooks.h"
#include "scene/texture.h"

bool isProceduralName(const char* name) { return name[0] != '\0' && name[1] == '#'; }

void loadModel(SceneNode* node, const char* archive, const char* entry) {
    // Every call holds one archive reference, released by destroyNode, whether or
    // not the entry turns out to be usable.
    node->pakNames.push_back(archive);
    int32_t size = 0;
    const uint8_t* bytes = pakEntryDataOrExit(archive, entry, &size);
    std::vector<ParsedMesh> parsed;
    if (bytes) parseModel(bytes, size, parsed);
    for (const ParsedMesh& p : parsed) {
        Mesh* mesh = new Mesh;
        mesh->textureName = p.textureName;
        if (isProceduralName(p.textureName)) {
            mesh->texture = proceduralAcquire(p.textureName);
            mesh->textureSource = p.textureName;
            mesh->procedural = true;
        } else {
            mesh->texture = textureAcquireOrExit(archive, p.textureName);
            mesh->textureSource = archive;
            // An empty name draws untextured on purpose.
            if (mesh->texture == 0 && p.textureName[0] != '\0' && sceneHooks().unusableModelPicture)
                sceneHooks().unusableModelPicture(archive, p.textureName);
        }
        mesh->block = p.block;
        mesh->material = p.material;
        mesh->triangleCount = p.triangleCount;
        mesh->vertices = p.vertices;
        mesh->normals = p.normals;
        mesh->texCoords = p.texCoords;
        node->meshes.push_back(mesh);
    }
    node->meshCount += int32_t(parsed.size());
    // Set even when the entry was missing or held no whole mesh, so the node's
    // drawing callbacks run exactly as they would for an empty model.
    node->hasModel = true;
}
