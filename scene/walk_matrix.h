// The walk's modelview, kept on the processor: recording a frame asks OpenGL
// nothing. The products are OpenGL 1.x's own (Mesa's, in single precision and
// in the same order), so an item recorded here draws exactly the pixels the
// walk's glTranslatef, glRotatef and glScaled would have drawn; a GL test
// checks the two agree bit for bit.
//
// One stack, the walk's: a still walk (recordStill) starts from the matrix in
// force, a frame's walk from the scene frame (recordFrame). Pushes and pops
// pair up within a walk.
#pragma once

void loadWalkMatrix(const double m[16]);
void loadWalkIdentity();
void translateWalk(float x, float y, float z);
// About the x (0), y (1) or z (2) axis.
void rotateWalk(float degrees, int axis);
void scaleWalk(double x, double y, double z);
void pushWalkMatrix();
void popWalkMatrix();
// The matrix in force, column-major.
void walkMatrix(double m[16]);

// The view the walk's frame is seen through: the window (or picture) pixels
// and the projection, as OpenGL has them; set by whoever sets OpenGL's (the
// camera, a picture drawn off-screen) and recorded with every frame.
struct WalkView {
    int viewport[4] = {0, 0, 0, 0};
    double projection[16] = {};
};
void setWalkView(const WalkView& view);
const WalkView& walkView();
