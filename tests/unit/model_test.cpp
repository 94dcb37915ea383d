// Model entries: the writer and the parser against a layout built by hand, the
// loader's references on the archive, and damaged entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/mesh.h"
#include "scene/scene_node.h"
#include "support/test_support.h"

namespace {

void appendInt32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

void appendDouble(std::vector<uint8_t>& out, double d) {
    uint8_t b[8];
    std::memcpy(b, &d, 8);
    out.insert(out.end(), b, b + 8);
}

void appendFloat(std::vector<uint8_t>& out, float f) {
    uint8_t b[4];
    std::memcpy(b, &f, 4);
    out.insert(out.end(), b, b + 4);
}

// A mesh of n triangles whose every coordinate is distinct, so that a value read
// from the wrong place cannot pass.
ModelMeshData makeMesh(int triangles, const std::string& texture, double seed) {
    ModelMeshData m;
    m.textureName = texture;
    m.material.alphaTest = 1;
    m.material.translucent = 0;
    for (int k = 0; k < 4; k++) {
        m.material.ambient[k] = float(seed + 0.01 * k);
        m.material.diffuse[k] = float(seed + 0.1 + 0.01 * k);
        m.material.specular[k] = float(seed + 0.2 + 0.01 * k);
    }
    m.material.shininess = float(seed * 10);
    for (int i = 0; i < triangles * 9; i++) m.vertices.push_back(seed + i * 0.5);
    for (int i = 0; i < triangles * 9; i++) m.normals.push_back(-seed - i * 0.25);
    for (int i = 0; i < triangles * 6; i++) m.texCoords.push_back(seed * 100 + i);
    return m;
}

// The material block laid out field by field as the format describes it.
void appendMaterial(std::vector<uint8_t>& out, const Material& m) {
    out.push_back(m.alphaTest);
    out.push_back(m.translucent);
    out.push_back(0);
    out.push_back(0);
    for (float f : m.ambient) appendFloat(out, f);
    for (float f : m.diffuse) appendFloat(out, f);
    for (float f : m.specular) appendFloat(out, f);
    appendFloat(out, m.shininess);
    appendInt32(out, 0);
}

// One mesh record; nameField is the whole texture name field, zeros included.
void appendMeshRecord(std::vector<uint8_t>& out, const ModelMeshData& m, const std::string& nameField) {
    appendInt32(out, int32_t(nameField.size()));
    out.insert(out.end(), nameField.begin(), nameField.end());
    out.insert(out.end(), 80, 0);
    appendMaterial(out, m.material);
    appendInt32(out, int32_t(m.vertices.size() / 9));
    out.push_back(0);
    for (double d : m.vertices) appendDouble(out, d);
    for (double d : m.normals) appendDouble(out, d);
    for (double d : m.texCoords) appendDouble(out, d);
}

std::vector<double> readDoubles(const double* p, size_t count) {
    std::vector<double> v(count);
    if (count == 0) return v;
    std::memcpy(v.data(), p, count * sizeof(double));
    return v;
}

// Parses a copy of exactly n bytes, so that AddressSanitizer sees any read past them.
int32_t parsePrefix(const std::vector<uint8_t>& bytes, size_t n, std::vector<ParsedMesh>& out) {
    uint8_t* exact = new uint8_t[n ? n : 1];
    if (n) std::memcpy(exact, bytes.data(), n);
    int32_t whole = parseModel(exact, int32_t(n), out);
    delete[] exact;
    return whole;
}


class ModelLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = makeTempDir("qm_model");
        ASSERT_FALSE(dir.empty());
        pakCache().baseDirectory = dir + "/";
    }
    void TearDown() override {
        pakCloseAll();
        pakCache().baseDirectory = "0";
    }
    void writeArchive(const char* name, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
        PakArchive a;
        for (const auto& e : entries) pakAddBuffer(a, e.first, e.second.data(), e.second.size());
        ASSERT_TRUE(pakSave(a, (dir + "/" + name).c_str()));
    }
    std::string dir;
};

}  // namespace

TEST(ModelFormatTest, WriterMatchesTheLayoutBuiltByHand) {
    // Texture names of every length modulo 8, so every amount of padding occurs.
    std::vector<std::string> names = {"", "a", "ab", "abc", "abcd", "abcde", "abcdef", "abcdefg"};
    for (bool withLength : {true, false}) {
        std::vector<ModelMeshData> meshes;
        for (size_t i = 0; i < names.size(); i++) meshes.push_back(makeMesh(int(i % 3), names[i], 1.0 + double(i)));
        std::vector<uint8_t> written = writeModel(meshes, withLength);

        std::vector<uint8_t> expected;
        expected.push_back(withLength ? 0xFF : 0x00);
        if (withLength) appendInt32(expected, 0);  // patched below
        size_t listStart = expected.size();
        appendInt32(expected, int32_t(meshes.size()));
        for (const ModelMeshData& m : meshes) {
            std::string field = m.textureName + '\0';
            // Padding puts the vertex array on an 8-byte boundary of the entry.
            while ((expected.size() + 4 + field.size() + 80 + 60 + 4 + 1) % 8 != 0) field += '\0';
            appendMeshRecord(expected, m, field);
        }
        if (withLength) {
            int32_t length = int32_t(expected.size() - listStart);
            std::memcpy(expected.data() + 1, &length, 4);
        }
        EXPECT_EQ(written, expected) << "withLength " << withLength;
    }
}

TEST(ModelFormatTest, ParserReadsBackWhatTheWriterWrote) {
    std::vector<ModelMeshData> meshes = {makeMesh(3, "kist_ruchka", 1.5), makeMesh(0, "", 2.5),
                                         makeMesh(1, "x#Plasma64,64,1,2,3", 3.5)};
    meshes[1].material.translucent = 7;
    std::vector<uint8_t> bytes = writeModel(meshes);
    std::vector<ParsedMesh> parsed;
    ASSERT_EQ(parseModel(bytes.data(), int32_t(bytes.size()), parsed), 3);
    ASSERT_EQ(parsed.size(), 3u);
    for (size_t i = 0; i < meshes.size(); i++) {
        const ModelMeshData& m = meshes[i];
        const ParsedMesh& p = parsed[i];
        EXPECT_STREQ(p.textureName, m.textureName.c_str());
        ASSERT_EQ(p.triangleCount, int32_t(m.vertices.size() / 9));
        size_t n = size_t(p.triangleCount);
        EXPECT_EQ(readDoubles(p.vertices, 9 * n), m.vertices);
        EXPECT_EQ(readDoubles(p.normals, 9 * n), m.normals);
        EXPECT_EQ(readDoubles(p.texCoords, 6 * n), m.texCoords);
        EXPECT_EQ(std::memcmp(p.material, &m.material, 60), 0);
        Material read = readMaterial(p.material);
        EXPECT_EQ(read.translucent, m.material.translucent);
        EXPECT_EQ(read.specular[2], m.material.specular[2]);
        EXPECT_EQ(read.shininess, m.material.shininess);
        // Everything points into the entry; nothing was copied.
        const uint8_t* start = bytes.data();
        const uint8_t* end = start + bytes.size();
        EXPECT_TRUE(reinterpret_cast<const uint8_t*>(p.vertices) >= start &&
                    reinterpret_cast<const uint8_t*>(p.vertices) <= end);
        EXPECT_EQ(p.block + 80, p.material);
        EXPECT_EQ(reinterpret_cast<const uint8_t*>(p.vertices) - start, long(p.block - start) + 80 + 60 + 4 + 1);
        EXPECT_EQ((reinterpret_cast<const uint8_t*>(p.vertices) - start) % 8, 0);
    }
}

TEST(ModelFormatTest, MarkerFFReadsTheMeshListFromTheSixthByte) {
    ModelMeshData m = makeMesh(1, "t", 4.0);
    std::vector<uint8_t> bytes = {0xFF};
    // The length is not needed by the loader; a wrong one must not matter.
    appendInt32(bytes, 12345);
    appendInt32(bytes, 1);
    appendMeshRecord(bytes, m, std::string("t\0", 2));
    std::vector<ParsedMesh> parsed;
    ASSERT_EQ(parseModel(bytes.data(), int32_t(bytes.size()), parsed), 1);
    EXPECT_STREQ(parsed[0].textureName, "t");
    EXPECT_EQ(parsed[0].textureName, reinterpret_cast<const char*>(bytes.data()) + 5 + 4 + 4);
}

TEST(ModelFormatTest, OtherMarkersReadTheMeshListFromTheSecondByte) {
    for (uint8_t marker : {uint8_t(0x00), uint8_t(0x01), uint8_t(0xFE)}) {
        ModelMeshData m = makeMesh(2, "tex", 5.0);
        std::vector<uint8_t> bytes = {marker};
        appendInt32(bytes, 1);
        appendMeshRecord(bytes, m, std::string("tex\0", 4));
        std::vector<ParsedMesh> parsed;
        ASSERT_EQ(parseModel(bytes.data(), int32_t(bytes.size()), parsed), 1) << int(marker);
        EXPECT_EQ(parsed[0].textureName, reinterpret_cast<const char*>(bytes.data()) + 1 + 4 + 4);
        EXPECT_EQ(parsed[0].triangleCount, 2);
        EXPECT_EQ(readDoubles(parsed[0].vertices, 18), m.vertices);
    }
}

TEST(ModelFormatTest, EveryTruncationKeepsExactlyTheWholeMeshes) {
    std::vector<ModelMeshData> meshes = {makeMesh(2, "first", 1.0), makeMesh(1, "second", 2.0),
                                         makeMesh(0, "third", 3.0)};
    std::vector<uint8_t> bytes = writeModel(meshes);
    // Where each record ends, found by writing models of the first k meshes.
    std::vector<size_t> recordEnds;
    for (size_t k = 1; k <= meshes.size(); k++)
        recordEnds.push_back(writeModel(std::vector<ModelMeshData>(meshes.begin(), meshes.begin() + long(k))).size());
    const size_t header = 1 + 4 + 4;
    for (size_t n = 0; n <= bytes.size(); n++) {
        std::vector<ParsedMesh> parsed;
        int32_t whole = parsePrefix(bytes, n, parsed);
        if (n < header) {
            EXPECT_EQ(whole, -1) << n;
            EXPECT_TRUE(parsed.empty());
            continue;
        }
        int32_t expected = 0;
        for (size_t end : recordEnds)
            if (end <= n) expected++;
        EXPECT_EQ(whole, expected) << "prefix of " << n << " bytes";
        EXPECT_EQ(parsed.size(), size_t(expected));
    }
}

TEST(ModelFormatTest, MalformedRecordsStopTheParse) {
    ModelMeshData good = makeMesh(1, "ok", 1.0);
    auto withSecond = [&](const std::vector<uint8_t>& second) {
        std::vector<uint8_t> bytes = {0x00};
        appendInt32(bytes, 2);
        appendMeshRecord(bytes, good, std::string("ok\0", 3));
        bytes.insert(bytes.end(), second.begin(), second.end());
        std::vector<ParsedMesh> parsed;
        return parsePrefix(bytes, bytes.size(), parsed);
    };
    // A name field without its terminating zero would be read as a string past its end.
    std::vector<uint8_t> unterminated;
    appendMeshRecord(unterminated, good, "abc");
    EXPECT_EQ(withSecond(unterminated), 1);
    // A name length of zero has no room for the terminator; a negative one runs backwards.
    for (int32_t length : {0, -1, INT32_MIN}) {
        std::vector<uint8_t> bad;
        appendInt32(bad, length);
        bad.insert(bad.end(), 300, 0);
        EXPECT_EQ(withSecond(bad), 1) << length;
    }
    // Triangle counts that are negative or whose arrays would overflow 32 bits.
    for (int32_t triangles : {-1, INT32_MIN, INT32_MAX, 0x3000000}) {
        std::vector<uint8_t> bad;
        appendInt32(bad, 1);
        bad.push_back(0);
        bad.insert(bad.end(), 140, 0);
        appendInt32(bad, triangles);
        bad.push_back(0);
        bad.insert(bad.end(), 192, 0);
        EXPECT_EQ(withSecond(bad), 1) << triangles;
    }
    // A negative mesh count reads no mesh at all.
    std::vector<uint8_t> negative = {0x00};
    appendInt32(negative, -3);
    std::vector<ParsedMesh> parsed;
    EXPECT_EQ(parseModel(negative.data(), int32_t(negative.size()), parsed), 0);
    EXPECT_EQ(parseModel(nullptr, 0, parsed), -1);
}

TEST_F(ModelLoadTest, MeshesPointIntoTheArchiveEntry) {
    std::vector<uint8_t> model = writeModel({makeMesh(2, "missing_picture", 1.0), makeMesh(1, "", 2.0)});
    writeArchive("interface.pak", {{"palitra", model}});
    SceneNode* node = createNode();
    loadModel(node, "interface.pak", "palitra");
    ASSERT_EQ(node->meshes.size(), 2u);
    EXPECT_EQ(node->meshCount, 2);
    EXPECT_TRUE(node->hasModel);
    ASSERT_EQ(node->pakNames, (std::vector<std::string>{"interface.pak"}));

    int32_t size = 0;
    const uint8_t* entry = pakGetEntry(*pakCache().archives[0], "palitra", &size);
    ASSERT_NE(entry, nullptr);
    std::vector<ParsedMesh> parsed;
    ASSERT_EQ(parseModel(entry, size, parsed), 2);
    for (size_t i = 0; i < 2; i++) {
        Mesh* mesh = node->meshes[i];
        EXPECT_EQ(mesh->vertices, parsed[i].vertices);
        EXPECT_EQ(mesh->normals, parsed[i].normals);
        EXPECT_EQ(mesh->texCoords, parsed[i].texCoords);
        EXPECT_EQ(mesh->material, parsed[i].material);
        EXPECT_EQ(mesh->block, parsed[i].block);
        EXPECT_EQ(mesh->textureName, parsed[i].textureName);
        EXPECT_EQ(mesh->triangleCount, parsed[i].triangleCount);
        EXPECT_FALSE(mesh->hasOverride);
        EXPECT_FALSE(mesh->procedural);
        // An image texture is released through the archive it came from.
        EXPECT_EQ(mesh->textureSource, "interface.pak");
        // No such picture: drawn untextured.
        EXPECT_EQ(mesh->texture, 0u);
    }
    // One reference for the model and one for each mesh's texture request.
    EXPECT_EQ(cacheReferences("interface.pak"), 3);
    destroyNode(node);
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(ModelLoadTest, MeshCountZeroStillSetsHasModel) {
    writeArchive("page01.pak", {{"empty", writeModel({})}});
    SceneNode* node = createNode();
    loadModel(node, "page01.pak", "empty");
    EXPECT_TRUE(node->hasModel);
    EXPECT_EQ(node->meshCount, 0);
    EXPECT_TRUE(node->meshes.empty());
    EXPECT_EQ(cacheReferences("page01.pak"), 1);
    destroyNode(node);
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(ModelLoadTest, TwoLoadsFromOneArchiveTakeAndReleaseTwoReferences) {
    writeArchive("page03.pak", {{"el1", writeModel({makeMesh(1, "", 1.0)})}, {"el2", writeModel({})}});
    SceneNode* node = createNode();
    loadModel(node, "page03.pak", "el1");
    loadModel(node, "page03.pak", "el2");
    EXPECT_EQ(node->pakNames, (std::vector<std::string>{"page03.pak", "page03.pak"}));
    EXPECT_EQ(node->meshCount, 1);
    // Two for the loads, one for the mesh's texture request.
    EXPECT_EQ(cacheReferences("page03.pak"), 3);
    SceneNode* other = createNode();
    loadModel(other, "page03.pak", "el2");
    destroyNode(node);
    EXPECT_EQ(cacheReferences("page03.pak"), 1);
    destroyNode(other);
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(ModelLoadTest, MissingEntryLoadsNothingButKeepsTheReferenceBalanced) {
    writeArchive("page04.pak", {{"el1", writeModel({makeMesh(1, "", 1.0)})}});
    SceneNode* node = createNode();
    loadModel(node, "page04.pak", "absent");
    EXPECT_TRUE(node->meshes.empty());
    EXPECT_EQ(node->meshCount, 0);
    EXPECT_TRUE(node->hasModel);
    EXPECT_EQ(cacheReferences("page04.pak"), 1);
    destroyNode(node);
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(ModelLoadTest, EveryTruncatedEntryKeepsOnlyTheWholeMeshes) {
    std::vector<ModelMeshData> meshes = {makeMesh(1, "", 1.0), makeMesh(2, "", 2.0)};
    std::vector<uint8_t> model = writeModel(meshes);
    size_t firstEnd = writeModel({meshes[0]}).size();
    for (size_t n = 0; n <= model.size(); n++) {
        std::string name = "cut" + std::to_string(n) + ".pak";
        writeArchive(name.c_str(), {{"m", std::vector<uint8_t>(model.begin(), model.begin() + long(n))}});
        SceneNode* node = createNode();
        loadModel(node, name.c_str(), "m");
        size_t expected = n == model.size() ? 2 : n >= firstEnd ? 1 : 0;
        EXPECT_EQ(node->meshes.size(), expected) << "prefix of " << n << " bytes";
        EXPECT_EQ(node->meshCount, int32_t(expected));
        EXPECT_TRUE(node->hasModel);
        EXPECT_EQ(cacheReferences(name.c_str()), 1 + int(expected));
        destroyNode(node);
        EXPECT_EQ(cacheReferences(name.c_str()), 0);
    }
    EXPECT_TRUE(pakCache().archives.empty());
}

using ModelLoadDeathTest = ModelLoadTest;

TEST_F(ModelLoadDeathTest, MissingArchiveEndsTheProcess) {
    SceneNode* node = createNode();
    // "\\." rather than "[.]": GoogleTest's regular expressions on Windows have no brackets.
    EXPECT_EXIT(loadModel(node, "absent.pak", "m"), ::testing::ExitedWithCode(1),
                "^quillmead: cannot open \"absent\\.pak\" in .*: the file is missing\n$");
    delete node;
}
