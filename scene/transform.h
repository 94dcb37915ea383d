// Node placement: translation, rotation in degrees about X then Y then Z, and a
// scale that applies only to the node's own meshes.
#pragma once

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

struct Transform {
    bool scaled = false;  // the scale is applied when the node's meshes are drawn
    Vec3 position;
    Vec3 rotation;  // degrees
    Vec3 scale{1.0, 1.0, 1.0};
};

void setPosition(Transform& t, double x, double y, double z);
void move(Transform& t, double dx, double dy, double dz);
void setRotation(Transform& t, double rx, double ry, double rz);
void rotate(Transform& t, double drx, double dry, double drz);
void setScale(Transform& t, double sx, double sy, double sz);    // also sets scaled
void scaleBy(Transform& t, double dsx, double dsy, double dsz);  // adds; also sets scaled
void resetTransform(Transform& t);                               // leaves scaled as it was

// Multiplies the walk's matrix (scene/walk_matrix.h) by translation and
// rotations, each only when non-zero. The scale is never part of this.
void applyTransform(const Transform& t);
