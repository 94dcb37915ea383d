// Resource archives: a count, then entries of (1-byte name length, name, 4-byte
// size, data), little-endian, read whole into memory. The cache shares open
// archives by name with reference counts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scene/gl.h"

struct PakEntry {
    std::string name;
    std::vector<uint8_t> data;  // separately allocated per entry, so it is malloc-aligned
    int32_t size = 0;
    GLuint texture = 0;         // made from this entry, 0 when none
    int32_t textureRefs = 0;
};

struct PakArchive {
    std::vector<PakEntry> entries;
};

// Reads a whole archive. Returns false, leaving the archive empty, when the file
// cannot be read or is truncated or malformed; nothing is read or allocated past
// what the file holds.
bool pakOpen(PakArchive& archive, const char* path);
// Same, from bytes in memory (used by the fuzzer and the tests).
bool pakOpenMemory(PakArchive& archive, const uint8_t* bytes, size_t size);
// The first entry of that exact name; null (and size 0) when there is none.
const uint8_t* pakGetEntry(const PakArchive& archive, const char* name, int32_t* size);
void pakClose(PakArchive& archive);

// The writer side, used by the tools. Entry names are at most 127 bytes.
bool pakAddFile(PakArchive& archive, const char* path);  // named by the path as given
void pakAddBuffer(PakArchive& archive, const std::string& name, const void* bytes, size_t size);
bool pakSave(const PakArchive& archive, const char* path);
std::vector<uint8_t> pakSerialize(const PakArchive& archive);

// Textures made from image entries, shared per entry by reference count.
// Returns 0 for a missing entry or an image that does not decode.
GLuint pakGetTexture(PakArchive& archive, const char* name);
void pakReleaseTexture(PakArchive& archive, GLuint texture);

struct PakCache {
    std::string baseDirectory = "0";  // "0" means no prefix
    std::vector<PakArchive*> archives;
    std::vector<std::string> names;
    std::vector<int32_t> references;
};

extern PakCache pakCache;

// Opens on first use. An archive that cannot be opened ends the process with
// status 1: the program cannot run without its artwork.
PakArchive* pakAcquire(const char* name);
// Same, but returns null instead of ending the process.
PakArchive* pakTryAcquire(const char* name);
void pakRelease(const char* name);
// Acquires the archive (the caller owes one pakRelease) and returns the entry.
const uint8_t* pakEntryData(const char* archive, const char* entry, int32_t* size);
// Acquires the archive and the texture; the caller owes one pakReleaseTextureOf.
GLuint pakTexture(const char* archive, const char* entry);
void pakReleaseTextureOf(const char* archive, GLuint texture);
// Closes every archive whatever its references (process exit).
void pakCloseAll();
