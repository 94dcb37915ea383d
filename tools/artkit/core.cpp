// Vector arithmetic, triangle assembly and the conversion of built meshes into
// model entries.
#include <cmath>

#include "tools/artkit/artkit.h"

namespace artkit {

V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

V3 normalized(V3 a) {
    double len = std::sqrt(dot(a, a));
    // A degenerate vector keeps a usable normal rather than NaNs in the model.
    if (len < 1e-12) return {0, 0, 1};
    return a * (1.0 / len);
}

static void push3(std::vector<double>& out, V3 v) {
    out.push_back(v.x);
    out.push_back(v.y);
    out.push_back(v.z);
}

void addTriangle(MeshBuilder& m, V3 a, V3 b, V3 c, V3 na, V3 nb, V3 nc, V2 ta, V2 tb, V2 tc) {
    push3(m.vertices, a);
    push3(m.vertices, b);
    push3(m.vertices, c);
    push3(m.normals, na);
    push3(m.normals, nb);
    push3(m.normals, nc);
    for (V2 t : {ta, tb, tc}) {
        m.texCoords.push_back(t.x);
        m.texCoords.push_back(t.y);
    }
}

void addFlatTriangle(MeshBuilder& m, V3 a, V3 b, V3 c, V2 ta, V2 tb, V2 tc) {
    V3 n = normalized(cross(b - a, c - a));
    addTriangle(m, a, b, c, n, n, n, ta, tb, tc);
}

void append(MeshBuilder& m, const MeshBuilder& other, V3 offset) {
    for (size_t i = 0; i < other.vertices.size(); i += 3) {
        m.vertices.push_back(other.vertices[i] + offset.x);
        m.vertices.push_back(other.vertices[i + 1] + offset.y);
        m.vertices.push_back(other.vertices[i + 2] + offset.z);
    }
    m.normals.insert(m.normals.end(), other.normals.begin(), other.normals.end());
    m.texCoords.insert(m.texCoords.end(), other.texCoords.begin(), other.texCoords.end());
}

Material makeMaterial(float r, float g, float b, float a, float specular, float shininess, bool translucent,
                      bool alphaTest) {
    Material mat;
    mat.alphaTest = alphaTest ? 1 : 0;
    mat.translucent = translucent ? 1 : 0;
    float amb[4] = {r * 0.35f, g * 0.35f, b * 0.35f, a};
    float dif[4] = {r, g, b, a};
    float spe[4] = {specular, specular, specular, a};
    for (int i = 0; i < 4; ++i) {
        mat.ambient[i] = amb[i];
        mat.diffuse[i] = dif[i];
        mat.specular[i] = spe[i];
    }
    mat.shininess = shininess;
    return mat;
}

ModelMeshData toMeshData(const MeshBuilder& m, const std::string& textureName, const Material& material) {
    ModelMeshData d;
    d.textureName = textureName;
    d.material = material;
    d.vertices = m.vertices;
    d.normals = m.normals;
    d.texCoords = m.texCoords;
    return d;
}

}  // namespace artkit
