// Textures from archive images and procedural textures, on a real OpenGL context:
// sharing by reference count, deletion with the last holder, conversion of images
// that are not RGBA, and the fixed texture parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "proctex/procedural_texture.h"
#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/texture.h"
#include "scene/animation.h"
#include "base/gl.h"
#include "base/gl_texture.h"
#include "scene/mesh.h"
#include "scene/scene_node.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

// ---- A small PNG writer: stored (uncompressed) deflate blocks, enough for tests.

uint32_t crc32Of(const uint8_t* p, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= p[i];
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; i--) out.push_back(uint8_t(v >> (8 * i)));
}

void putChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    putBigEndian(png, uint32_t(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    putBigEndian(png, crc32Of(body.data(), body.size()));
}

// colorType: 0 grey, 2 RGB, 3 palette, 4 grey with alpha, 6 RGBA; 8 bits per sample.
std::vector<uint8_t> encodePng(int width, int height, int colorType, const std::vector<uint8_t>& samples,
                               const std::vector<uint8_t>& palette = {}, const std::vector<uint8_t>& trns = {}) {
    int channels = colorType == 0 || colorType == 3 ? 1 : colorType == 2 ? 3 : colorType == 4 ? 2 : 4;
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; y++) {
        raw.push_back(0);  // no filter
        const uint8_t* row = samples.data() + size_t(y) * size_t(width * channels);
        raw.insert(raw.end(), row, row + width * channels);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    putBigEndian(ihdr, uint32_t(width));
    putBigEndian(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, uint8_t(colorType), 0, 0, 0});
    putChunk(png, "IHDR", ihdr);
    if (!palette.empty()) putChunk(png, "PLTE", palette);
    if (!trns.empty()) putChunk(png, "tRNS", trns);
    putChunk(png, "IDAT", z);
    putChunk(png, "IEND", {});
    return png;
}

// ---- Helpers

std::vector<uint8_t> textureBytes(GLuint texture, int* width = nullptr, int* height = nullptr) {
    bindTexture2D(texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    if (width) *width = w;
    if (height) *height = h;
    std::vector<uint8_t> bytes(size_t(w) * size_t(h) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!bytes.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

ModelMeshData oneTriangle(const std::string& texture) {
    ModelMeshData m;
    m.textureName = texture;
    m.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    m.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    m.texCoords = {0, 0, 1, 0, 0, 1};
    return m;
}

// A 2x2 RGBA picture with four distinct texels and partial alpha.
const std::vector<uint8_t> kRgbaTexels = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 10, 20, 30, 0};

const char* kArchive = "qm_texture_test.pak";


class TextureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGlWindow();
        dir = makeTempDir("qm_texture");
        ASSERT_FALSE(dir.empty());
        previousBase = pakCache().baseDirectory;
        pakCache().baseDirectory = dir + "/";

        PakArchive a;
        std::vector<uint8_t> rgba = encodePng(2, 2, 6, kRgbaTexels);
        pakAddBuffer(a, "rgba.png", rgba.data(), rgba.size());
        std::vector<uint8_t> model = writeModel({oneTriangle("rgba.png"), oneTriangle("rgba.png")});
        pakAddBuffer(a, "two", model.data(), model.size());
        pakAddBuffer(a, "junk.png", "not a picture", 13);
        std::vector<uint8_t> procedural = writeModel({oneTriangle("q#Plasma32,32,1,2,3"), oneTriangle("rgba.png")});
        pakAddBuffer(a, "glowing", procedural.data(), procedural.size());
        ASSERT_TRUE(pakSave(a, (dir + "/" + kArchive).c_str()));
    }
    void TearDown() override {
        while (cacheReferences(kArchive) > 0) pakRelease(kArchive);
        pakCache().baseDirectory = previousBase;
    }
    std::string dir, previousBase;
};

}  // namespace

TEST_F(TextureTest, TwoMeshesShareOneTextureDeletedWithTheLastHolder) {
    SceneNode* first = createNode();
    loadModel(first, kArchive, "two");
    ASSERT_EQ(first->meshes.size(), 2u);
    GLuint texture = first->meshes[0]->texture;
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(first->meshes[1]->texture, texture);
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 2);
    // The model's reference and one for each texture holder.
    EXPECT_EQ(cacheReferences(kArchive), 3);

    SceneNode* second = createNode();
    loadModel(second, kArchive, "two");
    EXPECT_EQ(second->meshes[0]->texture, texture);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 4);
    std::vector<uint8_t> original = textureBytes(texture);
    EXPECT_EQ(original, kRgbaTexels);

    destroyNode(first);
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 2);
    EXPECT_EQ(cacheReferences(kArchive), 3);

    destroyNode(second);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(cacheReferences(kArchive), 0);

    // A later request decodes the same bytes into a new texture.
    GLuint again = textureAcquireOrExit(kArchive, "rgba.png");
    ASSERT_NE(again, 0u);
    EXPECT_TRUE(glIsTexture(again));
    EXPECT_EQ(textureBytes(again), kRgbaTexels);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 1);
    textureRelease(kArchive, again);
    EXPECT_FALSE(glIsTexture(again));
    EXPECT_EQ(cacheReferences(kArchive), 0);
}

TEST_F(TextureTest, TextureHasTheFixedParametersAndNoMipmaps) {
    GLuint texture = textureAcquireOrExit(kArchive, "rgba.png");
    ASSERT_NE(texture, 0u);
    GLint value = 0;
    // It stays bound after creation.
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(GLuint(value), texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    EXPECT_EQ(value, GL_RGBA);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 0);
    textureRelease(kArchive, texture);
}

// The level's bytes as RGB, and its size.
static std::vector<uint8_t> levelRgb(GLuint texture, GLint level, GLint& width, GLint& height) {
    bindTexture2D(texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!bytes.empty()) glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return bytes;
}

// An opaque picture of width x height in pseudo-random bytes, as RGB and as a
// PNG entry of the archive named.
static std::vector<uint8_t> savePseudoRandomPicture(const std::string& path, const char* entry, int width,
                                                    int height) {
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    uint32_t seed = uint32_t(width * 31 + height);
    for (uint8_t& byte : rgb) {
        seed = seed * 1664525u + 1013904223u;
        byte = uint8_t(seed >> 24);
    }
    PakArchive a;
    std::vector<uint8_t> png = encodePng(width, height, 2, rgb);
    pakAddBuffer(a, entry, png.data(), png.size());
    EXPECT_TRUE(pakSave(a, path.c_str()));
    return rgb;
}

// A large opaque picture gets every smaller level down to 1x1, texel for texel
// what GLU's gluBuild2DMipmaps makes from the same bytes (1024x512 ends with a
// single row halved, 512x1024 with a single column), and reads the nearest
// level when minified.
TEST_F(TextureTest, LargeOpaquePictureHasTheLevelsGluMakes) {
    const int sizes[2][2] = {{1024, 512}, {512, 1024}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        const std::string name = "qm_texture_levels_" + std::to_string(width) + ".pak";
        const char* archive = name.c_str();
        const std::vector<uint8_t> rgb = savePseudoRandomPicture(dir + "/" + archive, "wood.png", width, height);
        GLuint texture = textureAcquireOrExit(archive, "wood.png");
        ASSERT_NE(texture, 0u);
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(filter, GL_LINEAR_MIPMAP_NEAREST);

        GLuint reference = 0;
        glGenTextures(1, &reference);
        bindTexture2D(reference);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data()), 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        for (GLint level = 0; level <= 10; ++level) {
            GLint w = 0, h = 0, referenceW = 0, referenceH = 0;
            const std::vector<uint8_t> made = levelRgb(texture, level, w, h);
            const std::vector<uint8_t> glu = levelRgb(reference, level, referenceW, referenceH);
            EXPECT_EQ(w, std::max(width >> level, 1)) << width << "x" << height << " level " << level;
            EXPECT_EQ(h, std::max(height >> level, 1)) << width << "x" << height << " level " << level;
            EXPECT_EQ(w, referenceW);
            EXPECT_EQ(h, referenceH);
            EXPECT_TRUE(made == glu) << width << "x" << height << " level " << level << " differs from GLU's";
        }
        deleteRgbaTexture(reference);
        textureRelease(archive, texture);
        EXPECT_EQ(textureReferences(archive, "wood.png"), 0);
        while (cacheReferences(archive) > 0) pakRelease(archive);
    }
}

// Sides that are not powers of two get no smaller levels (GLU would have
// resampled the picture first): the texture is the picture alone.
TEST_F(TextureTest, LargeOpaquePictureOfOtherSidesHasNoLevels) {
    const char* archive = "qm_texture_no_levels.pak";
    savePseudoRandomPicture(dir + "/" + archive, "board.png", 640, 512);
    GLuint texture = textureAcquireOrExit(archive, "board.png");
    ASSERT_NE(texture, 0u);
    GLint filter = 0, levelOneWidth = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelOneWidth);
    EXPECT_EQ(levelOneWidth, 0);
    textureRelease(archive, texture);
    while (cacheReferences(archive) > 0) pakRelease(archive);
}

TEST_F(TextureTest, MissingEntryYieldsZeroAndChangesNoCount) {
    GLuint held = textureAcquireOrExit(kArchive, "rgba.png");
    ASSERT_NE(held, 0u);
    int textures = liveTextureCount();

    EXPECT_EQ(textureAcquireOrExit(kArchive, "absent.png"), 0u);
    EXPECT_EQ(liveTextureCount(), textures);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 1);
    // The archive reference is owed as for any texture, and its release with
    // texture name 0 changes no entry.
    EXPECT_EQ(cacheReferences(kArchive), 2);
    textureRelease(kArchive, 0);
    EXPECT_EQ(cacheReferences(kArchive), 1);
    EXPECT_EQ(liveTextureCount(), textures);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 1);
    EXPECT_TRUE(glIsTexture(held));
    textureRelease(kArchive, held);
}

TEST_F(TextureTest, UndecodableEntryYieldsZeroAndIsTriedAgainNextTime) {
    EXPECT_EQ(textureAcquireOrExit(kArchive, "junk.png"), 0u);
    EXPECT_EQ(textureReferences(kArchive, "junk.png"), 0);
    EXPECT_EQ(textureAcquireOrExit(kArchive, "junk.png"), 0u);
    EXPECT_EQ(textureReferences(kArchive, "junk.png"), 0);
    textureRelease(kArchive, 0);
    textureRelease(kArchive, 0);
    EXPECT_EQ(cacheReferences(kArchive), 0);
}

TEST_F(TextureTest, ReleasingATextureNoEntryHoldsChangesNothing) {
    GLuint texture = textureAcquireOrExit(kArchive, "rgba.png");
    pakAcquireOrExit(kArchive);
    pakAcquireOrExit(kArchive);
    textureRelease(kArchive, texture + 1000);
    textureRelease(kArchive, 0);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 1);
    EXPECT_TRUE(glIsTexture(texture));
    pakAcquireOrExit(kArchive);
    textureRelease(kArchive, texture);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 0);
    EXPECT_FALSE(glIsTexture(texture));
    // Released once more after it is gone: nothing left to change but the archive's count.
    textureRelease(kArchive, texture);
    EXPECT_EQ(textureReferences(kArchive, "rgba.png"), 0);
    EXPECT_EQ(cacheReferences(kArchive), 0);
}

// Images that do not decode to packed RGBA are converted before the upload.
TEST_F(TextureTest, RgbGreyAndPaletteImagesLoadAsRgba) {
    // Three pixels wide, so a 24-bit decoder pads its rows.
    const int w = 3, h = 2;
    std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 100, 150, 200, 250, 251, 252};
    std::vector<uint8_t> grey = {0, 64, 128, 192, 255, 7};
    std::vector<uint8_t> greyAlpha = {0, 255, 64, 200, 128, 100, 192, 50, 255, 0, 7, 77};
    std::vector<uint8_t> palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    std::vector<uint8_t> indices = {0, 1, 2, 2, 1, 0};

    struct Case {
        const char* name;
        std::vector<uint8_t> png;
        std::vector<uint8_t> expected;
    };
    std::vector<Case> cases;
    {
        std::vector<uint8_t> e;
        for (size_t i = 0; i < rgb.size(); i += 3) e.insert(e.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
        cases.push_back({"rgb.png", encodePng(w, h, 2, rgb), e});
    }
    {
        std::vector<uint8_t> e;
        for (uint8_t g : grey) e.insert(e.end(), {g, g, g, 255});
        cases.push_back({"grey.png", encodePng(w, h, 0, grey), e});
    }
    {
        std::vector<uint8_t> e;
        for (size_t i = 0; i < greyAlpha.size(); i += 2)
            e.insert(e.end(), {greyAlpha[i], greyAlpha[i], greyAlpha[i], greyAlpha[i + 1]});
        cases.push_back({"grey_alpha.png", encodePng(w, h, 4, greyAlpha), e});
    }
    {
        std::vector<uint8_t> e;
        for (uint8_t i : indices) e.insert(e.end(), {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], 255});
        cases.push_back({"palette.png", encodePng(w, h, 3, indices, palette), e});
    }
    {
        // One transparent palette entry: the decoder reports it as a colour key.
        std::vector<uint8_t> e;
        for (uint8_t i : indices)
            e.insert(e.end(), {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], uint8_t(i == 1 ? 0 : 255)});
        cases.push_back({"keyed.png", encodePng(w, h, 3, indices, palette, {255, 0, 255}), e});
    }

    std::string path = dir + "/formats.pak";
    PakArchive w0;
    for (const Case& c : cases) pakAddBuffer(w0, c.name, c.png.data(), c.png.size());
    ASSERT_TRUE(pakSave(w0, path.c_str()));
    for (const Case& c : cases) {
        GLuint texture = textureAcquireOrExit("formats.pak", c.name);
        ASSERT_NE(texture, 0u) << c.name;
        int tw = 0, th = 0;
        EXPECT_EQ(textureBytes(texture, &tw, &th), c.expected) << c.name;
        EXPECT_EQ(tw, w) << c.name;
        EXPECT_EQ(th, h) << c.name;
        // Opaque pictures are kept without alpha, and read back exactly the same.
        bool opaque = true;
        for (size_t i = 3; i < c.expected.size(); i += 4) opaque = opaque && c.expected[i] == 255;
        GLint format = 0;
        bindTexture2D(texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(format, opaque ? GL_RGB : GL_RGBA) << c.name;
        textureRelease("formats.pak", texture);
        EXPECT_FALSE(glIsTexture(texture));
    }
    EXPECT_EQ(cacheReferences("formats.pak"), 0);
}

TEST_F(TextureTest, ProceduralTexturesAreSharedByRecipe) {
    const std::string spec = "a#Plasma64,64,10,20,30";
    const std::string sameButFirst = "b#Plasma64,64,10,20,30";
    GLuint first = proceduralAcquire(spec);
    GLuint second = proceduralAcquire(spec);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(first, second);
    GLuint other = proceduralAcquire(sameButFirst);
    ASSERT_NE(other, 0u);
    EXPECT_NE(other, first);
    ASSERT_EQ(proceduralTextures().recipes, (std::vector<std::string>{spec, sameButFirst}));
    EXPECT_EQ(proceduralTextures().references, (std::vector<int32_t>{2, 1}));
    ProceduralTexture* t = proceduralTextures().textures[0];
    EXPECT_EQ(t->width, 64);
    EXPECT_EQ(t->height, 64);
    EXPECT_EQ(t->pixelBytes, 64 * 64 * 4);
    EXPECT_EQ(t->texture, first);

    proceduralRelease(spec);
    EXPECT_TRUE(glIsTexture(first));
    proceduralRelease(spec);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(proceduralTextures().recipes, (std::vector<std::string>{sameButFirst}));
    EXPECT_TRUE(glIsTexture(other));
    proceduralRelease(sameButFirst);
    EXPECT_FALSE(glIsTexture(other));
    EXPECT_TRUE(proceduralTextures().textures.empty());
    EXPECT_TRUE(proceduralTextures().references.empty());
}

TEST_F(TextureTest, ProceduralUpdateUploadsTheGeneratedPixelsInPlace) {
    const std::string spec = "x#Plasma32,16,200,100,50";
    GLuint texture = proceduralAcquire(spec);
    ASSERT_NE(texture, 0u);
    ProceduralTexture* t = proceduralTextures().textures[0];
    sceneState().frameTime = 1500;
    proceduralUpdateAll(sceneState().frameTime);
    std::vector<uint8_t> expected(32 * 16 * 4);
    uint8_t base[3] = {200, 100, 50};
    generatePlasma(1500, 32, 16, expected.data(), base);
    EXPECT_EQ(std::vector<uint8_t>(t->pixels, t->pixels + t->pixelBytes), expected);
    int w = 0, h = 0;
    EXPECT_EQ(textureBytes(texture, &w, &h), expected);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 16);
    // Refreshed, not re-created.
    EXPECT_EQ(t->texture, texture);

    const std::string fire = "x#Fire16,8";
    GLuint fireTexture = proceduralAcquire(fire);
    ASSERT_NE(fireTexture, 0u);
    FireState* state = static_cast<FireState*>(proceduralTextures().textures[1]->state);
    EXPECT_EQ(state->width, 16);
    EXPECT_EQ(state->rows, 11);
    proceduralUpdate(proceduralTextures().textures[1], 0);
    std::vector<uint8_t> firePixels = textureBytes(fireTexture);
    ProceduralTexture* f = proceduralTextures().textures[1];
    EXPECT_EQ(firePixels, std::vector<uint8_t>(f->pixels, f->pixels + f->pixelBytes));
    proceduralRelease(fire);
    proceduralRelease(spec);
    EXPECT_TRUE(proceduralTextures().textures.empty());
}

TEST_F(TextureTest, ProceduralMeshNeverTouchesTheArchiveForItsTexture) {
    SceneNode* node = createNode();
    loadModel(node, kArchive, "glowing");
    ASSERT_EQ(node->meshes.size(), 2u);
    Mesh* glowing = node->meshes[0];
    EXPECT_TRUE(glowing->procedural);
    EXPECT_EQ(glowing->textureSource, "q#Plasma32,32,1,2,3");
    ASSERT_EQ(proceduralTextures().recipes, (std::vector<std::string>{"q#Plasma32,32,1,2,3"}));
    EXPECT_EQ(glowing->texture, proceduralTextures().textures[0]->texture);
    EXPECT_FALSE(node->meshes[1]->procedural);
    EXPECT_EQ(node->meshes[1]->textureSource, kArchive);
    // The model and the image texture hold the archive; the procedural one does not.
    EXPECT_EQ(cacheReferences(kArchive), 2);
    GLuint texture = glowing->texture;
    destroyNode(node);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_TRUE(proceduralTextures().textures.empty());
    EXPECT_EQ(cacheReferences(kArchive), 0);
}
