// Reading and writing one archive. The format has no checks of its own, so the
// reader checks every count against what is left of the file before it reads or
// allocates: a truncated or malformed archive is refused as a whole.
#include "resources/pak.h"

#include <cstdio>
#include <cstring>

#include "base/byte_io.h"
#include "base/platform.h"

namespace {

// Reads from a file or from memory, never past the end of either. The remaining
// count is known before anything is read, so a size field can be checked before
// its buffer is allocated.
struct PakSource {
    FILE* file = nullptr;
    const uint8_t* memory = nullptr;
    size_t remaining = 0;
};

bool readBytes(PakSource& src, void* out, size_t count) {
    if (count > src.remaining) return false;
    if (count == 0) return true;
    if (src.file) {
        if (std::fread(out, 1, count, src.file) != count) return false;
    } else {
        std::memcpy(out, src.memory, count);
        src.memory += count;
    }
    src.remaining -= count;
    return true;
}

bool readInt32(PakSource& src, int32_t* value) {
    uint8_t b[4];
    if (!readBytes(src, b, 4)) return false;
    *value = decodeI32(b);
    return true;
}

// false with the reason in why when the archive is not whole.
bool readEntries(PakArchive& archive, PakSource& src, std::string& why) {
    int32_t count = 0;
    if (!readInt32(src, &count) || count < 0) {
        why = "the file is damaged (no entry count)";
        return false;
    }
    // Each entry takes at least 5 bytes, which bounds the reservation by the file.
    if (size_t(count) > src.remaining / 5) {
        why = "the file is damaged (it cannot hold " + std::to_string(count) + " entries)";
        return false;
    }
    archive.entries.reserve(size_t(count));
    for (int32_t i = 0; i < count; i++) {
        why = "the file is damaged (entry " + std::to_string(i + 1) + " runs past the end)";
        int8_t nameLength = 0;
        if (!readBytes(src, &nameLength, 1)) return false;
        if (nameLength < 0) {
            why = "the file is damaged (entry " + std::to_string(i + 1) + " has a bad name length)";
            return false;
        }
        char name[128];
        if (!readBytes(src, name, size_t(nameLength))) return false;
        int32_t size = 0;
        if (!readInt32(src, &size) || size < 0 || size_t(size) > src.remaining) return false;
        PakEntry entry;
        entry.name.assign(name, size_t(nameLength));
        entry.data.resize(size_t(size));
        if (!readBytes(src, entry.data.data(), size_t(size))) return false;
        entry.size = size;
        archive.entries.push_back(std::move(entry));
    }
    why.clear();
    return true;
}

}  // namespace

bool pakOpen(PakArchive& archive, const char* path, std::string* why) {
    pakClose(archive);
    std::string reason;
    // Non-blocking, so that a FIFO or a device at the path cannot stop the program.
    uint64_t size = 0;
    FILE* file = openRegularFileToRead(path, size, reason);
    if (!file) {
        if (why) *why = reason;
        return false;
    }
    PakSource src;
    src.file = file;
    src.remaining = size_t(size);
    bool ok = readEntries(archive, src, reason);
    std::fclose(file);
    if (!ok) pakClose(archive);
    if (why) *why = reason;
    return ok;
}

bool pakOpenMemory(PakArchive& archive, const uint8_t* bytes, size_t size, std::string* why) {
    pakClose(archive);
    PakSource src;
    src.memory = bytes;
    src.remaining = bytes ? size : 0;
    std::string reason;
    bool ok = readEntries(archive, src, reason);
    if (!ok) pakClose(archive);
    if (why) *why = reason;
    return ok;
}

const uint8_t* pakGetEntry(const PakArchive& archive, const char* name, int32_t* size) {
    for (const PakEntry& entry : archive.entries) {
        if (entry.name == name) {
            if (size) *size = entry.size;
            // An empty entry exists all the same: it must not look like a missing one.
            static const uint8_t kNoBytes[1] = {0};
            return entry.data.empty() ? kNoBytes : entry.data.data();
        }
    }
    if (size) *size = 0;
    return nullptr;
}

void pakClose(PakArchive& archive) {
    archive.entries.clear();
    archive.entries.shrink_to_fit();
}

bool pakAddFile(PakArchive& archive, const char* path) {
    FILE* file = openFile(path, "rb");
    if (!file) return false;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    if (!ok) return false;
    pakAddBuffer(archive, path, bytes.data(), bytes.size());
    return true;
}

void pakAddBuffer(PakArchive& archive, const std::string& name, const void* bytes, size_t size) {
    PakEntry entry;
    entry.name = name;
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    entry.data.assign(p, p + size);
    entry.size = int32_t(size);
    archive.entries.push_back(std::move(entry));
}

std::vector<uint8_t> pakSerialize(const PakArchive& archive) {
    std::vector<uint8_t> out;
    putI32(out, int32_t(archive.entries.size()));
    for (const PakEntry& entry : archive.entries) {
        out.push_back(uint8_t(entry.name.size()));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        putI32(out, int32_t(entry.data.size()));
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    return out;
}

bool pakSave(const PakArchive& archive, const char* path) {
    // The name length is one signed byte; a longer name cannot be stored.
    for (const PakEntry& entry : archive.entries) {
        if (entry.name.size() > 127 || entry.data.size() > size_t(INT32_MAX)) return false;
    }
    std::vector<uint8_t> bytes = pakSerialize(archive);
    FILE* file = openFile(path, "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
