// Archive reader over arbitrary bytes: it must refuse anything truncated or
// malformed without reading or allocating past the input, and whatever it accepts
// must serialise back to exactly the bytes it was read from (ignoring any tail).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/pak.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PakArchive archive;
    if (!pakOpenMemory(archive, data, size)) {
        if (!archive.entries.empty()) std::abort();
        return 0;
    }
    size_t total = 4;
    for (const PakEntry& entry : archive.entries) {
        if (entry.size != int32_t(entry.data.size()) || entry.name.size() > 127) std::abort();
        total += 1 + entry.name.size() + 4 + entry.data.size();
        // Names are looked up as C strings; one with a zero byte inside cannot be asked for.
        if (entry.name.find('\0') != std::string::npos) continue;
        int32_t found = -1;
        const uint8_t* bytes = pakGetEntry(archive, entry.name.c_str(), &found);
        if (!bytes || found < 0) std::abort();
    }
    if (total > size) std::abort();
    std::vector<uint8_t> again = pakSerialize(archive);
    if (again.size() != total || std::memcmp(again.data(), data, total) != 0) std::abort();
    pakClose(archive);
    return 0;
}
