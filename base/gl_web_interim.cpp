// The browser build, until its own WebGL renderer takes the desktop
// renderer's place: the desktop's fixed-function calls run over emscripten's
// fixed-function emulation (LEGACY_GL_EMULATION), and the entry points it
// lacks are given here. Those with an equivalent the emulation has are that
// equivalent; the rest do what the desktop code already copes with when a
// driver offers less:
//   display lists   none are made (glGenLists 0): meshes draw from arrays
//   attribute stacks nothing is saved or restored
//   selection mode  no hits: nothing under the pointer is found, so picking,
//                   and with it painting, does not work yet
// This file goes when the WebGL renderer replaces the emulation.
#ifdef __EMSCRIPTEN__
#include <GL/glu.h>

#include "base/gl_web_interim.h"

#undef glMaterialfv

// The emulation takes ambient and diffuse apart only.
void quillmeadMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    if (name == GL_AMBIENT_AND_DIFFUSE) {
        glMaterialfv(face, GL_AMBIENT, values);
        glMaterialfv(face, GL_DIFFUSE, values);
        return;
    }
    glMaterialfv(face, name, values);
}

extern "C" {

void glGetDoublev(GLenum name, GLdouble* values) {
    GLfloat single[16] = {};
    glGetFloatv(name, single);
    const int count = (name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX) ? 16
                      : name == GL_DEPTH_RANGE                                       ? 2
                                                                                     : 1;
    for (int i = 0; i < count; ++i) values[i] = single[i];
}

// The emulation has one colour for all light (no separate specular colour).
void glLightModeli(GLenum name, GLint value) {
    if (name != GL_LIGHT_MODEL_COLOR_CONTROL) glLightModelf(name, GLfloat(value));
}

void glMaterialf(GLenum face, GLenum name, GLfloat value) { quillmeadMaterialfv(face, name, &value); }

GLuint glGenLists(GLsizei) { return 0; }
void glNewList(GLuint, GLenum) {}
void glEndList() {}
void glCallList(GLuint) {}
void glDeleteLists(GLuint, GLsizei) {}

void glPushAttrib(GLbitfield) {}
void glPopAttrib() {}
void glPushClientAttrib(GLbitfield) {}
void glPopClientAttrib() {}

void glSelectBuffer(GLsizei, GLuint*) {}
GLint glRenderMode(GLenum) { return 0; }
void glInitNames() {}
void glPushName(GLuint) {}
void glLoadName(GLuint) {}

void gluPickMatrix(GLdouble, GLdouble, GLdouble, GLdouble, GLint*) {}

}  // extern "C"
#endif  // __EMSCRIPTEN__
