// The registry of procedural textures: one OpenGL texture per distinct
// recipe string, shared by reference count and refreshed in place.
#include "proctex/procedural_texture.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "base/gl_texture.h"

ProceduralTextureManager& proceduralTextures() {
    static ProceduralTextureManager manager;
    return manager;
}

namespace {

// The largest texture accepted: the pixel count must fit the int32 byte count.
// The largest texture accepted: 64 MiB of pixels (4096 x 4096), far beyond any
// texture a model names and far below what could exhaust memory.
const int64_t kMaxPixelBytes = int64_t(64) << 20;

struct TextureRecipe {
    std::string generator;
    int32_t width = 0, height = 0;
    int32_t rgb[3] = {0, 0, 0};
};

bool readNumber(std::istringstream& in, int32_t* value) {
    long v = 0;
    if (!(in >> v) || v < INT32_MIN || v > INT32_MAX) return false;
    *value = int32_t(v);
    return true;
}

// Two characters of prefix, the generator name up to the first digit, then
// width, a separator, height and, for Plasma, three separated colour bytes.
bool parseRecipe(const std::string& recipe, TextureRecipe& out) {
    if (recipe.size() < 2) return false;
    size_t i = 2;
    while (i < recipe.size() && !std::isdigit(static_cast<unsigned char>(recipe[i]))) i++;
    out.generator = recipe.substr(2, i - 2);
    std::istringstream in(recipe.substr(i));
    if (!readNumber(in, &out.width)) return false;
    in.get();
    if (!readNumber(in, &out.height)) return false;
    if (out.generator == "Plasma") {
        for (int k = 0; k < 3; k++) {
            in.get();
            if (!readNumber(in, &out.rgb[k])) return false;
        }
    }
    return true;
}

void freeFireState(void* state) {
    FireState* fire = static_cast<FireState*>(state);
    std::free(fire->heat);
    std::free(fire->scratch);
    delete fire;
}

ProceduralTexture* createTexture(TextureGenerator generator, FreeState freeState, void* state, int32_t width,
                                 int32_t height) {
    ProceduralTexture* t = new ProceduralTexture;
    t->generator = generator;
    t->freeState = freeState;
    t->state = state;
    t->width = width;
    t->height = height;
    t->pixelBytes = width * height * 4;
    // Cleared, so the first upload shows nothing rather than stale memory.
    t->pixels = static_cast<uint8_t*>(std::calloc(size_t(t->pixelBytes), 1));
    if (!t->pixels) {
        freeState(state);
        delete t;
        return nullptr;
    }
    t->texture = uploadRgbaTexture(width, height, t->pixels);
    return t;
}

int findRecipe(const std::string& recipe) {
    for (size_t i = 0; i < proceduralTextures().recipes.size(); i++) {
        if (proceduralTextures().recipes[i] == recipe) return int(i);
    }
    return -1;
}

}  // namespace

GLuint proceduralAcquire(const std::string& recipe) {
    int found = findRecipe(recipe);
    if (found >= 0) {
        proceduralTextures().references[size_t(found)]++;
        return proceduralTextures().textures[size_t(found)]->texture;
    }
    TextureRecipe p;
    if (!parseRecipe(recipe, p)) return 0;
    if (p.width <= 0 || p.height <= 0 || int64_t(p.width) * p.height * 4 > kMaxPixelBytes) return 0;

    ProceduralTexture* texture = nullptr;
    if (p.generator == "Plasma") {
        uint8_t* rgb = static_cast<uint8_t*>(std::malloc(3));
        if (!rgb) return 0;
        for (int k = 0; k < 3; k++) rgb[k] = uint8_t(p.rgb[k] & 0xFF);
        texture = createTexture(generatePlasma, std::free, rgb, p.width, p.height);
    } else if (p.generator == "Fire") {
        // The spark lands in the lower half of the rows, which needs at least two.
        if (p.height < 2) return 0;
        FireState* fire = new FireState;
        if (!initFireState(*fire, p.width, p.height)) {
            freeFireState(fire);
            return 0;
        }
        texture = createTexture(generateFire, freeFireState, fire, p.width, p.height);
    } else {
        return 0;
    }
    // Out of memory: nothing was created, and the mesh draws untextured.
    if (!texture) return 0;
    proceduralTextures().textures.push_back(texture);
    proceduralTextures().recipes.push_back(recipe);
    proceduralTextures().references.push_back(1);
    return texture->texture;
}

void proceduralRelease(const std::string& recipe) {
    int found = findRecipe(recipe);
    if (found < 0) return;
    size_t i = size_t(found);
    if (--proceduralTextures().references[i] > 0) return;
    ProceduralTexture* t = proceduralTextures().textures[i];
    deleteRgbaTexture(t->texture);
    std::free(t->pixels);
    t->freeState(t->state);
    delete t;
    proceduralTextures().textures.erase(proceduralTextures().textures.begin() + found);
    proceduralTextures().recipes.erase(proceduralTextures().recipes.begin() + found);
    proceduralTextures().references.erase(proceduralTextures().references.begin() + found);
}

void proceduralUpdate(ProceduralTexture* texture, int32_t time) {
    texture->generator(time, texture->width, texture->height, texture->pixels, texture->state);
    replaceRgbaTexture(texture->texture, texture->width, texture->height, texture->pixels);
}

void proceduralUpdateAll(uint32_t now) {
    for (ProceduralTexture* texture : proceduralTextures().textures) proceduralUpdate(texture, int32_t(now));
}
