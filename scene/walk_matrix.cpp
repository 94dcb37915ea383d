#include "scene/walk_matrix.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct Matrix {
    float m[16];
};

// M_PI's value; the Windows headers leave M_PI out in strict C++.
const double kPi = 3.14159265358979323846;

const Matrix kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// The walk's stack; its last entry is the matrix in force. Reset by nothing:
// every walk loads its start.
std::vector<Matrix> stack(1, kIdentity);
WalkView view;

Matrix& top() { return stack.back(); }

// m = m * r for an affine r, the rows of m taken one at a time as Mesa does.
void multiplyAffine(float* m, const float* r) {
    float p[16];
    for (int i = 0; i < 3; ++i) {
        const float a0 = m[i], a1 = m[4 + i], a2 = m[8 + i], a3 = m[12 + i];
        p[i] = a0 * r[0] + a1 * r[1] + a2 * r[2];
        p[4 + i] = a0 * r[4] + a1 * r[5] + a2 * r[6];
        p[8 + i] = a0 * r[8] + a1 * r[9] + a2 * r[10];
        p[12 + i] = a0 * r[12] + a1 * r[13] + a2 * r[14] + a3;
    }
    p[3] = p[7] = p[11] = 0;
    p[15] = 1;
    std::memcpy(m, p, sizeof p);
}

}  // namespace

void loadWalkMatrix(const double m[16]) {
    for (int i = 0; i < 16; ++i) top().m[i] = float(m[i]);
}

void loadWalkIdentity() { top() = kIdentity; }

void translateWalk(float x, float y, float z) {
    float* m = top().m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void rotateWalk(float degrees, int axis) {
    const float s = std::sin(float(degrees * kPi / 180.0)), c = std::cos(float(degrees * kPi / 180.0));
    Matrix r = kIdentity;
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;  // the plane turned, u before v
    r.m[u * 4 + u] = c;
    r.m[v * 4 + v] = c;
    r.m[v * 4 + u] = axis == 1 ? s : -s;
    r.m[u * 4 + v] = axis == 1 ? -s : s;
    multiplyAffine(top().m, r.m);
}

void scaleWalk(double x, double y, double z) {
    float* m = top().m;
    const float f[3] = {float(x), float(y), float(z)};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 4; ++row) m[column * 4 + row] *= f[column];
}

void pushWalkMatrix() { stack.push_back(top()); }

void popWalkMatrix() {
    if (stack.size() > 1) stack.pop_back();
}

void walkMatrix(double m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = top().m[i];
}

void setWalkView(const WalkView& v) { view = v; }

const WalkView& walkView() { return view; }
