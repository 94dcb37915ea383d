// Resource archives: a count, then entries of (1-byte name length, name, 4-byte
// size, data), little-endian, read whole into memory. The cache shares open
// archives by name with reference counts. Nothing here knows OpenGL: textures are
// made from entries one layer up.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PakEntry {
    std::string name;
    std::vector<uint8_t> data;  // separately allocated per entry, so it is malloc-aligned
    int32_t size = 0;
};

struct PakArchive {
    std::vector<PakEntry> entries;
};

// Reads a whole archive. Returns false, leaving the archive empty, when the file
// cannot be read or is truncated or malformed; nothing is read or allocated past
// what the file holds. When why is given it receives a short reason a person can
// act on ("the file is damaged (entry 3 runs past the end)").
bool pakOpen(PakArchive& archive, const char* path, std::string* why = nullptr);
// Same, from bytes in memory (used by the fuzzer and the tests).
bool pakOpenMemory(PakArchive& archive, const uint8_t* bytes, size_t size, std::string* why = nullptr);
// The first entry of that exact name; null (and size 0) when there is none.
const uint8_t* pakGetEntry(const PakArchive& archive, const char* name, int32_t* size);
void pakClose(PakArchive& archive);

// The writer side, used by the tools. Entry names are at most 127 bytes.
bool pakAddFile(PakArchive& archive, const char* path);  // named by the path as given
void pakAddBuffer(PakArchive& archive, const std::string& name, const void* bytes, size_t size);
bool pakSave(const PakArchive& archive, const char* path);
std::vector<uint8_t> pakSerialize(const PakArchive& archive);

struct PakCache {
    std::string baseDirectory = "0";  // "0" means no prefix
    std::vector<PakArchive*> archives;
    std::vector<std::string> names;
    std::vector<int32_t> references;
};

// The process's open archives, shared by name (main thread only).
PakCache& pakCache();

// Ends the program (status 1, one line on stderr naming the file, the folder and
// what is wrong) when the archive cannot be opened: the program cannot run
// without its artwork. Opens on first use; the caller owes one pakRelease.
PakArchive* pakAcquireOrExit(const char* name);
// Same, but returns null instead of ending the process; why, when given,
// receives the reason as pakOpen gives it.
PakArchive* pakTryAcquire(const char* name, std::string* why = nullptr);
// The message of an archive that cannot be opened, without the program's name:
// cannot open "NAME" in FOLDER: WHY.
std::string pakFailureText(const char* name, const std::string& why);
void pakRelease(const char* name);
// Ends the program like pakAcquireOrExit. Acquires the archive (the caller owes
// one pakRelease) and returns the entry, null when the archive lacks it.
const uint8_t* pakEntryDataOrExit(const char* archive, const char* entry, int32_t* size);
// The bytes of one entry of an archive the caller holds (acquired), for keeping
// beyond the archive: moved out when the caller's is its only reference (the
// archive is about to go, and keeps the entry empty), copied otherwise. Empty
// when the archive is not open or lacks the entry.
std::vector<uint8_t> pakTakeEntry(const char* archive, const char* entry);
// Closes every archive whatever its references (process exit).
void pakCloseAll();
