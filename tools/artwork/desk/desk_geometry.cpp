// Mesh operations the desk's models need beyond artkit's solids.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <tuple>

#include "tools/artwork/desk/desk_art.h"

namespace desk {

namespace {
const double kPi = 3.14159265358979323846;
double radians(double degrees) { return degrees * kPi / 180.0; }

V3 vertexAt(const MeshBuilder& m, size_t index) {
    return {m.vertices[index * 3], m.vertices[index * 3 + 1], m.vertices[index * 3 + 2]};
}
void setVertex(std::vector<double>& values, size_t index, V3 v) {
    values[index * 3] = v.x;
    values[index * 3 + 1] = v.y;
    values[index * 3 + 2] = v.z;
}
}  // namespace

Mat3 rotationX(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Mat3 r;
    r.m[1][1] = c;
    r.m[1][2] = -s;
    r.m[2][1] = s;
    r.m[2][2] = c;
    return r;
}

Mat3 rotationY(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Mat3 r;
    r.m[0][0] = c;
    r.m[0][2] = s;
    r.m[2][0] = -s;
    r.m[2][2] = c;
    return r;
}

Mat3 rotationZ(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Mat3 r;
    r.m[0][0] = c;
    r.m[0][1] = -s;
    r.m[1][0] = s;
    r.m[1][1] = c;
    return r;
}

Mat3 scaling(double sx, double sy, double sz) {
    Mat3 r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    return r;
}

V3 operator*(const Mat3& a, V3 v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z, a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

void transformMesh(MeshBuilder& m, const Mat3& linear, V3 offset) {
    // Inverse transpose by cofactors; its scale does not matter, normals are
    // normalised afterwards.
    const double(*a)[3] = linear.m;
    Mat3 cof;
    cof.m[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    cof.m[0][1] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    cof.m[0][2] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    cof.m[1][0] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    cof.m[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    cof.m[1][2] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    cof.m[2][0] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    cof.m[2][1] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    cof.m[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    double det = a[0][0] * cof.m[0][0] + a[0][1] * cof.m[0][1] + a[0][2] * cof.m[0][2];
    size_t count = m.vertices.size() / 3;
    for (size_t i = 0; i < count; ++i) {
        setVertex(m.vertices, i, linear * vertexAt(m, i) + offset);
        V3 n{m.normals[i * 3], m.normals[i * 3 + 1], m.normals[i * 3 + 2]};
        V3 t = artkit::normalized(cof * n);
        if (det < 0) t = t * -1.0;
        setVertex(m.normals, i, t);
    }
    // A mirroring transform turns the windings inside out; swap two corners back.
    if (det < 0) {
        for (size_t t = 0; t < count / 3; ++t) {
            for (std::vector<double>* arr : {&m.vertices, &m.normals}) {
                for (int k = 0; k < 3; ++k) std::swap((*arr)[t * 9 + 3 + size_t(k)], (*arr)[t * 9 + 6 + size_t(k)]);
            }
            for (int k = 0; k < 2; ++k) std::swap(m.texCoords[t * 6 + 2 + size_t(k)], m.texCoords[t * 6 + 4 + size_t(k)]);
        }
    }
}

void projectTexCoords(MeshBuilder& m, V3 origin, V3 uAxis, V3 vAxis) {
    size_t count = m.vertices.size() / 3;
    for (size_t i = 0; i < count; ++i) {
        V3 p = vertexAt(m, i) - origin;
        m.texCoords[i * 2] = artkit::dot(p, uAxis);
        m.texCoords[i * 2 + 1] = artkit::dot(p, vAxis);
    }
}

void setTexCoord(MeshBuilder& m, V2 uv) {
    for (size_t i = 0; i + 1 < m.texCoords.size(); i += 2) {
        m.texCoords[i] = uv.x;
        m.texCoords[i + 1] = uv.y;
    }
}

void remapTexCoords(MeshBuilder& m, double u0, double su, double v0, double sv) {
    for (size_t i = 0; i + 1 < m.texCoords.size(); i += 2) {
        m.texCoords[i] = u0 + m.texCoords[i] * su;
        m.texCoords[i + 1] = v0 + m.texCoords[i + 1] * sv;
    }
}

void addGrid(MeshBuilder& m, int rows, int columns, const std::function<V3(int, int)>& pos,
             const std::function<V2(int, int)>& uv) {
    for (int i = 0; i + 1 < rows; ++i) {
        for (int j = 0; j + 1 < columns; ++j) {
            V3 a = pos(i, j), b = pos(i, j + 1), c = pos(i + 1, j + 1), d = pos(i + 1, j);
            V2 ta = uv(i, j), tb = uv(i, j + 1), tc = uv(i + 1, j + 1), td = uv(i + 1, j);
            // Corners that meet (a pole, a closed end) leave one triangle or none.
            V3 n1 = artkit::cross(b - a, c - a), n2 = artkit::cross(c - a, d - a);
            if (artkit::dot(n1, n1) > 1e-24) artkit::addFlatTriangle(m, a, b, c, ta, tb, tc);
            if (artkit::dot(n2, n2) > 1e-24) artkit::addFlatTriangle(m, a, c, d, ta, tc, td);
        }
    }
}

void smoothNormals(MeshBuilder& m, double creaseDegrees) {
    size_t triangles = m.vertices.size() / 9;
    std::vector<V3> face(triangles);
    std::vector<V3> faceUnit(triangles);
    for (size_t t = 0; t < triangles; ++t) {
        V3 a = vertexAt(m, t * 3), b = vertexAt(m, t * 3 + 1), c = vertexAt(m, t * 3 + 2);
        face[t] = artkit::cross(b - a, c - a);
        faceUnit[t] = artkit::normalized(face[t]);
    }
    // Corners are matched by position rounded to a fine grid; the map's order is
    // by key, so the result never depends on memory addresses.
    using Key = std::tuple<int64_t, int64_t, int64_t>;
    std::map<Key, std::vector<size_t>> corners;
    auto keyOf = [&](size_t index) {
        V3 p = vertexAt(m, index);
        return Key{int64_t(std::llround(p.x * 1e6)), int64_t(std::llround(p.y * 1e6)), int64_t(std::llround(p.z * 1e6))};
    };
    for (size_t i = 0; i < triangles * 3; ++i) corners[keyOf(i)].push_back(i);
    double limit = std::cos(creaseDegrees * kPi / 180.0);
    std::vector<double> result(m.normals.size());
    for (const auto& entry : corners) {
        const std::vector<size_t>& group = entry.second;
        for (size_t i : group) {
            size_t own = i / 3;
            V3 sum{};
            for (size_t j : group) {
                size_t other = j / 3;
                if (artkit::dot(faceUnit[own], faceUnit[other]) >= limit) sum = sum + face[other];
            }
            V3 n = artkit::dot(sum, sum) > 1e-30 ? artkit::normalized(sum) : faceUnit[own];
            setVertex(result, i, n);
        }
    }
    m.normals = result;
}

void sortFarToNear(MeshBuilder& m, V3 viewDirection) {
    size_t triangles = m.vertices.size() / 9;
    std::vector<double> depth(triangles);
    for (size_t t = 0; t < triangles; ++t) {
        V3 c = (vertexAt(m, t * 3) + vertexAt(m, t * 3 + 1) + vertexAt(m, t * 3 + 2)) * (1.0 / 3.0);
        depth[t] = artkit::dot(c, viewDirection);
    }
    std::vector<size_t> order(triangles);
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return depth[a] > depth[b]; });
    MeshBuilder sorted;
    for (size_t t : order) {
        sorted.vertices.insert(sorted.vertices.end(), m.vertices.begin() + long(t * 9), m.vertices.begin() + long(t * 9 + 9));
        sorted.normals.insert(sorted.normals.end(), m.normals.begin() + long(t * 9), m.normals.begin() + long(t * 9 + 9));
        sorted.texCoords.insert(sorted.texCoords.end(), m.texCoords.begin() + long(t * 6),
                                m.texCoords.begin() + long(t * 6 + 6));
    }
    m = sorted;
}

V3 deskViewDirection() { return artkit::normalized({0, 1, -0.3}); }

std::vector<V2> closedSpline(const std::vector<V2>& control, int perSpan) {
    std::vector<V2> out;
    size_t n = control.size();
    for (size_t i = 0; i < n; ++i) {
        V2 p0 = control[(i + n - 1) % n], p1 = control[i], p2 = control[(i + 1) % n], p3 = control[(i + 2) % n];
        for (int k = 0; k < perSpan; ++k) {
            double t = double(k) / perSpan, t2 = t * t, t3 = t2 * t;
            auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return out;
}

void appendArc(std::vector<V2>& profile, V2 centre, double radius, double fromDegrees, double toDegrees, int steps) {
    for (int k = 1; k <= steps; ++k) {
        double a = radians(fromDegrees + (toDegrees - fromDegrees) * k / steps);
        profile.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
}

void addModelEntry(DeskArchive& out, const std::string& name, const std::vector<ModelMeshData>& meshes) {
    std::vector<uint8_t> bytes = writeModel(meshes);
    pakAddBuffer(out.pak, name, bytes.data(), bytes.size());
}

void addPictureEntry(DeskArchive& out, const std::string& name, const std::vector<uint8_t>& png) {
    pakAddBuffer(out.pak, name, png.data(), png.size());
}

}  // namespace desk
