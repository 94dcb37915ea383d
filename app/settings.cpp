#include "app/settings.h"

#include <cstdio>
#include <cstring>

#include "app/platform.h"

Settings* settings = nullptr;
std::string settingsPath;

namespace {

// Sizes of the records as they lie in the file, padding included.
constexpr size_t kHeaderSize = 243;
constexpr size_t kColorSize = 48;
constexpr size_t kWellSize = 56;    // empty, 7 padding bytes, colour
constexpr size_t kRecordSize = 56;  // element, painted, 3 padding bytes, colour
constexpr size_t kBlockHeadSize = 8;
constexpr int32_t kLanguageCount = 5;

// A read cursor over the file image. Every read checks what is left first, so
// a short or damaged file can never lead past its end.
struct Reader {
    const uint8_t* at;
    size_t left;
};

bool readI32(Reader& r, int32_t& out) {
    if (r.left < 4) return false;
    uint32_t u = uint32_t(r.at[0]) | uint32_t(r.at[1]) << 8 | uint32_t(r.at[2]) << 16 | uint32_t(r.at[3]) << 24;
    std::memcpy(&out, &u, 4);
    r.at += 4;
    r.left -= 4;
    return true;
}

// Any non-zero byte is true; copying the raw byte into a bool would not be.
bool readBool(Reader& r, bool& out) {
    if (r.left < 1) return false;
    out = r.at[0] != 0;
    r.at += 1;
    r.left -= 1;
    return true;
}

double decodeDouble(const uint8_t* p) {
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | p[i];
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

// The stored RGB is taken as it is, not derived again from the amounts.
PaintColor decodeColor(const uint8_t* p) {
    PaintColor c;
    c.r = decodeDouble(p);
    c.g = decodeDouble(p + 8);
    c.b = decodeDouble(p + 16);
    c.red = decodeDouble(p + 24);
    c.yellow = decodeDouble(p + 32);
    c.blue = decodeDouble(p + 40);
    return c;
}

bool readWell(Reader& r, PaletteWell& out) {
    if (r.left < kWellSize) return false;
    out.empty = r.at[0] != 0;
    out.color = decodeColor(r.at + 8);
    r.at += kWellSize;
    r.left -= kWellSize;
    return true;
}

bool readRecord(Reader& r, ElementColorRecord& out) {
    if (r.left < kRecordSize) return false;
    int32_t element = 0;
    readI32(r, element);
    out.element = element;
    out.painted = r.at[0] != 0;
    out.color = decodeColor(r.at + 4);
    r.at += kRecordSize - 4;
    r.left -= kRecordSize - 4;
    return true;
}

// The page blocks. All or nothing: a damaged list would show a page with
// colours belonging to other regions, so the caller drops them all instead.
bool readPageLists(Reader& r, Settings& s) {
    int32_t currentList = -1, count = 0;
    if (!readI32(r, currentList) || !readI32(r, count)) return false;
    // Each block needs at least its page number and record count, so a count the
    // rest of the file cannot hold is damage, not a reason to allocate.
    if (count < 0 || size_t(count) > r.left / kBlockHeadSize) return false;
    std::vector<int32_t> keys;
    std::vector<std::vector<ElementColorRecord>> lists;
    keys.reserve(size_t(count));
    lists.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        int32_t page = 0, records = 0;
        if (!readI32(r, page) || !readI32(r, records)) return false;
        if (records < 0 || size_t(records) > r.left / kRecordSize) return false;
        std::vector<ElementColorRecord> list(static_cast<size_t>(records));
        for (ElementColorRecord& record : list) readRecord(r, record);
        keys.push_back(page);
        lists.push_back(std::move(list));
    }
    s.currentList = currentList;
    s.pageKeys = std::move(keys);
    s.pageLists = std::move(lists);
    return true;
}

void putI32(std::vector<uint8_t>& out, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(u >> (8 * i)));
}

void putDouble(std::vector<uint8_t>& out, double d) {
    uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i) out.push_back(uint8_t(u >> (8 * i)));
}

void putColor(std::vector<uint8_t>& out, const PaintColor& c) {
    putDouble(out, c.r);
    putDouble(out, c.g);
    putDouble(out, c.b);
    putDouble(out, c.red);
    putDouble(out, c.yellow);
    putDouble(out, c.blue);
}

void putPadding(std::vector<uint8_t>& out, size_t n) { out.insert(out.end(), n, 0); }

}  // namespace

void readSettings(Settings& s, const uint8_t* bytes, size_t size) {
    s = Settings();
    Reader r{bytes, bytes ? size : 0};
    int32_t version = 0;
    if (!readI32(r, version)) return;
    // Whatever the version, the switches, language and wells come first and are
    // kept when read whole, so damage further on costs the child the least.
    bool whole = readBool(r, s.showHelpAtStart) && readBool(r, s.soundOn) && readBool(r, s.musicOn) &&
                 readI32(r, s.language);
    for (int i = 0; whole && i < 4; ++i) whole = readWell(r, s.wells[i]);
    if (s.language < 0 || s.language >= kLanguageCount) s.language = 0;
    // Lists of another format version, or damaged ones, are dropped whole.
    if (!whole || version != 0 || !readPageLists(r, s)) {
        s.pageKeys.clear();
        s.pageLists.clear();
        resetDefaults(s, true);
        return;
    }
    if (s.currentList < 0 || size_t(s.currentList) >= s.pageKeys.size()) s.currentList = -1;
}

std::vector<uint8_t> writeSettings(const Settings& s) {
    std::vector<uint8_t> out;
    size_t records = 0;
    for (const auto& list : s.pageLists) records += list.size();
    out.reserve(kHeaderSize + s.pageKeys.size() * kBlockHeadSize + records * kRecordSize);
    putI32(out, 0);
    out.push_back(s.showHelpAtStart ? 1 : 0);
    out.push_back(s.soundOn ? 1 : 0);
    out.push_back(s.musicOn ? 1 : 0);
    putI32(out, s.language);
    for (const PaletteWell& well : s.wells) {
        out.push_back(well.empty ? 1 : 0);
        putPadding(out, kWellSize - 1 - kColorSize);
        putColor(out, well.color);
    }
    putI32(out, s.currentList);
    putI32(out, int32_t(s.pageKeys.size()));
    for (size_t i = 0; i < s.pageKeys.size(); ++i) {
        putI32(out, s.pageKeys[i]);
        // pageLists runs parallel to pageKeys; a missing list is written empty.
        const std::vector<ElementColorRecord>* list = i < s.pageLists.size() ? &s.pageLists[i] : nullptr;
        putI32(out, list ? int32_t(list->size()) : 0);
        if (!list) continue;
        for (const ElementColorRecord& record : *list) {
            putI32(out, record.element);
            out.push_back(record.painted ? 1 : 0);
            putPadding(out, kRecordSize - 5 - kColorSize);
            putColor(out, record.color);
        }
    }
    return out;
}

void resetDefaults(Settings& s, bool keepSwitches) {
    if (!keepSwitches) {
        s.showHelpAtStart = true;
        s.soundOn = true;
        s.musicOn = true;
        for (PaletteWell& well : s.wells) well.empty = true;
        s.language = 0;
    }
    s.currentList = -1;
}

Settings* loadSettingsFile(const std::string& path) {
    Settings* s = new Settings();
    if (path.empty()) return s;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return s;
    // Read to the end rather than trusting a size: the reader bounds every count
    // by the bytes that really arrived.
    std::vector<uint8_t> bytes;
    uint8_t chunk[16384];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    readSettings(*s, bytes.data(), bytes.size());
    return s;
}

bool saveSettingsFile(const Settings& s, const std::string& path) {
    if (path.empty()) return false;
    return replaceFileContents(path, writeSettings(s));
}
