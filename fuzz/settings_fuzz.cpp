// The settings reader on arbitrary bytes: it must never read outside them, never
// allocate by a count they cannot hold, and always leave indices that are safe
// to use. Whatever it keeps must survive a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so AddressSanitizer sees any read past the end.
    std::vector<uint8_t> bytes(data, data + size);
    Settings s;
    readSettings(s, bytes.empty() ? nullptr : bytes.data(), bytes.size());

    if (s.language < 0 || s.language > 4) std::abort();
    if (s.pages.currentList < -1 || s.pages.currentList >= int32_t(s.pages.pageKeys.size())) std::abort();
    if (s.pages.pageKeys.size() != s.pages.pageLists.size()) std::abort();
    size_t records = 0;
    for (const auto& list : s.pages.pageLists) records += list.size();
    if (!s.pages.pageKeys.empty() && 243 + 8 * s.pages.pageKeys.size() + 56 * records > size) std::abort();

    std::vector<uint8_t> written = writeSettings(s);
    Settings again;
    readSettings(again, written.data(), written.size());
    if (writeSettings(again) != written) std::abort();
    return 0;
}
