#include "scene/transform.h"

#include "scene/walk_matrix.h"

void setPosition(Transform& t, double x, double y, double z) { t.position = {x, y, z}; }

void move(Transform& t, double dx, double dy, double dz) {
    t.position.x += dx;
    t.position.y += dy;
    t.position.z += dz;
}

void setRotation(Transform& t, double rx, double ry, double rz) { t.rotation = {rx, ry, rz}; }

void rotate(Transform& t, double drx, double dry, double drz) {
    t.rotation.x += drx;
    t.rotation.y += dry;
    t.rotation.z += drz;
}

void setScale(Transform& t, double sx, double sy, double sz) {
    t.scale = {sx, sy, sz};
    t.scaled = true;
}

// Added, not multiplied: the hover handlers grow and shrink by fixed steps.
void scaleBy(Transform& t, double dsx, double dsy, double dsz) {
    t.scale.x += dsx;
    t.scale.y += dsy;
    t.scale.z += dsz;
    t.scaled = true;
}

void resetTransform(Transform& t) {
    t.position = {0.0, 0.0, 0.0};
    t.rotation = {0.0, 0.0, 0.0};
    t.scale = {1.0, 1.0, 1.0};
}

// Most nodes sit at the origin of their parent unrotated; skipping the identity
// calls keeps the per-node cost of the walk down.
void applyTransform(const Transform& t) {
    if (t.position.x != 0.0 || t.position.y != 0.0 || t.position.z != 0.0)
        translateWalk(float(t.position.x), float(t.position.y), float(t.position.z));
    if (t.rotation.x != 0.0) rotateWalk(float(t.rotation.x), 0);
    if (t.rotation.y != 0.0) rotateWalk(float(t.rotation.y), 1);
    if (t.rotation.z != 0.0) rotateWalk(float(t.rotation.z), 2);
}
