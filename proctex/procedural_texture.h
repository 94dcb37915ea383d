// Animated textures computed by the program ("Plasma" and "Fire"), named by a
// recipe string in a model's material (e.g. "P#Plasma64x64,255,128,0"), shared by that string.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/gl.h"

typedef void (*TextureGenerator)(int32_t time, int32_t width, int32_t height, uint8_t* pixels, void* state);
typedef void (*FreeState)(void* state);

struct ProceduralTexture {
    TextureGenerator generator = nullptr;
    void* state = nullptr;  // owned
    FreeState freeState = nullptr;
    int32_t width = 0, height = 0;
    GLuint texture = 0;
    uint8_t* pixels = nullptr;  // owned; width * height * 4 RGBA
    int32_t pixelBytes = 0;
};

struct FireState {
    uint8_t palette[256][4];
    uint8_t* heat = nullptr;     // width * (height + 3)
    uint8_t* scratch = nullptr;  // same size
    int32_t width = 0;
    int32_t rows = 0;  // height + 3
};

struct ProceduralTextureManager {
    std::vector<ProceduralTexture*> textures;
    std::vector<std::string> recipes;
    std::vector<int32_t> references;
};

// The process's procedural textures (main thread only).
ProceduralTextureManager& proceduralTextures();

// 0, creating nothing, for an unknown generator, a size that is missing, not
// positive or above 64 MiB of pixels, or memory that cannot be had.
GLuint proceduralAcquire(const std::string& recipe);
void proceduralRelease(const std::string& recipe);
// Regenerates every texture for the frame's clock (milliseconds).
void proceduralUpdateAll(uint32_t now);
void proceduralUpdate(ProceduralTexture* texture, int32_t time);

void generatePlasma(int32_t time, int32_t width, int32_t height, uint8_t* pixels, void* state);
void generateFire(int32_t time, int32_t width, int32_t height, uint8_t* pixels, void* state);
void fillRamp(FireState& fire, int start, int end, const uint8_t from[4], const uint8_t to[4]);
// False when memory for the heat field cannot be had (freeing it is the caller's).
bool initFireState(FireState& fire, int32_t width, int32_t height);
