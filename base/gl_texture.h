// The one way a picture becomes an OpenGL texture: tightly packed RGBA bytes
// (or RGB ones for an opaque picture, which the context reads with alpha 1),
// modulated by the current colour, linearly filtered, with mipmaps when asked.
// The caller owns the name and deletes it with deleteRgbaTexture.
//
// The texture bound is shadowed here (the renderer's other state is in
// scene/gl_state.h): every bind and delete of the program goes through
// bindTexture2D and deleteRgbaTexture, so a bind of the texture already bound
// reaches no driver, and nothing asks OpenGL what is bound.
#pragma once
#include "base/gl.h"
#include "base/gl_context.h"

namespace gl_texture_detail {
inline GLuint bound = 0;
inline bool known = false;
inline uint32_t context = 0;
}  // namespace gl_texture_detail

// The next bind reaches OpenGL whatever is bound (code that bound behind the
// shadow's back, a new context).
inline void forgetBoundTexture() { gl_texture_detail::known = false; }

inline void bindTexture2D(GLuint texture) {
    using namespace gl_texture_detail;
    if (known && context == glContextSerial() && bound == texture) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    bound = texture;
    known = true;
    context = glContextSerial();
}

// Deleting the texture bound leaves none bound.
inline void deleteRgbaTexture(GLuint texture) {
    using namespace gl_texture_detail;
    if (texture == 0) return;
    glDeleteTextures(1, &texture);
    if (bound == texture) bound = 0;
}

// Rows of 3-byte pixels need not start on 4-byte boundaries.
inline GLint unpackAlignmentFor(GLenum format) { return format == GL_RGB ? 1 : 4; }

// pixels may be null: the texture is allocated with undefined contents.
// format is GL_RGBA or GL_RGB, for both the bytes and the texture kept.
inline GLuint uploadRgbaTexture(int width, int height, const void* pixels, GLenum format = GL_RGBA) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    bindTexture2D(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignmentFor(format));
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

// The same with every smaller level down to 1x1 made beforehand (smaller[i]
// is level i + 1, each half the one above, a side stopping at 1, packed like
// pixels), and minification that reads the nearest level. Blending the two
// nearest levels too hides where the level changes across a surface that
// recedes from the viewer; the surfaces drawn minified here face the viewer,
// and the blend costs a software renderer an eighth of a full-window frame.
// The levels are made on the processor, by the thread that decoded the picture
// where it can: the context's own way (glGenerateMipmap, GL_GENERATE_MIPMAP)
// draws each level through its rasteriser, which on a software renderer first
// waits for the frame in flight and compiles its drawing code: 45 ms measured
// for two small pictures at a page turn.
inline GLuint uploadRgbaTextureWithLevels(int width, int height, const void* pixels, GLenum format,
                                          const void* const* smaller, int smallerCount) {
    GLuint texture = uploadRgbaTexture(width, height, pixels, format);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignmentFor(format));
    for (int level = 1; level <= smallerCount; ++level) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        glTexImage2D(GL_TEXTURE_2D, level, GLint(format), width, height, 0, format, GL_UNSIGNED_BYTE,
                     smaller[level - 1]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (smallerCount > 0) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return texture;
}

// Replaces the whole picture of a texture made by uploadRgbaTexture (a
// mipmapped one would keep its old smaller levels).
inline void replaceRgbaTexture(GLuint texture, int width, int height, const void* pixels) {
    bindTexture2D(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}
