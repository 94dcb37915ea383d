#include "app/settings_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/byte_io.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "engine/switches.h"
#include "screens/screen_entries.h"

std::string& settingsPath() {
    static std::string path;
    return path;
}

namespace {

// Sizes of the records as they lie in the file, padding included.
constexpr size_t kHeaderSize = 243;
constexpr size_t kColorSize = 48;
constexpr size_t kWellSize = 56;    // empty, 7 padding bytes, colour
constexpr size_t kRecordSize = 56;  // element, painted, 3 padding bytes, colour
constexpr size_t kBlockHeadSize = 8;
// Far above any real file (21 pages of 64 regions take 76 KB), so a larger one is
// damage; but a damaged file with a good start is still read up to here, so that
// every page before the damage comes back. Anything larger is never read.
constexpr size_t kLargestSettingsFile = size_t(64) << 20;

using Reader = ByteReader;

// Any non-zero byte is true; copying the raw byte into a bool would not be.
bool readBool(Reader& r, bool& out) {
    uint8_t byte = 0;
    if (!readU8(r, byte)) return false;
    out = byte != 0;
    return true;
}

double decodeDouble(const uint8_t* p) { return decodeF64(p); }

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
    const uint8_t* p;
    if (!readBytes(r, kWellSize, &p)) return false;
    out.empty = p[0] != 0;
    out.color = decodeColor(p + 8);
    return true;
}

// Paint amounts and their RGB lie within 0..1; anything else (NaN, infinities,
// stray values) cannot have been mixed and could never be mixed away.
bool usableColor(const PaintColor& c) {
    for (double v : {c.r, c.g, c.b, c.red, c.yellow, c.blue})
        if (!std::isfinite(v) || v < 0.0 || v > 1.0) return false;
    return true;
}

bool readRecord(Reader& r, ElementColorRecord& out) {
    const uint8_t* p;
    if (!readBytes(r, kRecordSize, &p)) return false;
    out.element = decodeI32(p);
    out.painted = p[4] != 0;
    out.color = decodeColor(p + 8);
    return true;
}

// The page blocks, as many as are whole. A block cut short or with an absurd
// record count is dropped with everything after it (nothing after damage can be
// found again); every block before it is kept, so damage costs the child only
// the pages stored behind it. Returns true when all blocks were whole.
bool readPageLists(Reader& r, PageStore& s) {
    int32_t currentList = -1, count = 0;
    if (!readI32(r, currentList) || !readI32(r, count)) return false;
    bool whole = count >= 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t page = 0, records = 0;
        Reader block = r;
        // A count the rest of the file cannot hold is damage, not a reason to allocate.
        if (!readI32(block, page) || !readI32(block, records) || records < 0 ||
            size_t(records) > block.left / kRecordSize) {
            whole = false;
            break;
        }
        std::vector<ElementColorRecord> list(static_cast<size_t>(records));
        for (ElementColorRecord& record : list) readRecord(block, record);
        r = block;
        s.pageKeys.push_back(page);
        s.pageLists.push_back(std::move(list));
    }
    s.currentList = currentList;
    return whole;
}

void putDouble(std::vector<uint8_t>& out, double d) { putF64(out, d); }

// The file's format version is 0; a larger one was written by a later program,
// whose file this one must not judge damaged.
bool isNewerVersion(const std::vector<uint8_t>& bytes) {
    Reader r = byteReader(bytes.data(), bytes.size());
    int32_t version = 0;
    return readI32(r, version) && version > 0;
}

void putColor(std::vector<uint8_t>& out, const PaintColor& c) {
    putDouble(out, c.r);
    putDouble(out, c.g);
    putDouble(out, c.b);
    putDouble(out, c.red);
    putDouble(out, c.yellow);
    putDouble(out, c.blue);
}

void putPadding(std::vector<uint8_t>& out, size_t n) { putZeros(out, n); }

}  // namespace

// Unusable colours become an empty well or an unpainted region. Returns how
// many wells or painted regions lost their colour.
static int32_t dropUnusableColors(Settings& s) {
    int32_t dropped = 0;
    for (PaletteWell& well : s.wells) {
        if (usableColor(well.color)) continue;
        dropped += well.empty ? 0 : 1;
        well.empty = true;
        well.color = white;
    }
    for (auto& list : s.pages.pageLists) {
        for (ElementColorRecord& record : list) {
            if (usableColor(record.color)) continue;
            dropped += record.painted ? 1 : 0;
            record.painted = false;
            record.color = white;
        }
    }
    return dropped;
}

bool readSettings(Settings& s, const uint8_t* bytes, size_t size, int32_t* droppedColors) {
    s = Settings();
    Reader r = byteReader(bytes, size);
    int32_t version = 0;
    if (!readI32(r, version)) return false;
    // Whatever the version, the switches, language and wells come first and are
    // kept when read whole, so damage further on costs the child the least.
    bool whole = readBool(r, s.showHelpAtStart) && readBool(r, s.soundOn) && readBool(r, s.musicOn) &&
                 readI32(r, s.language);
    for (int i = 0; whole && i < 4; ++i) whole = readWell(r, s.wells[i]);
    if (s.language < 0 || s.language >= screenLanguageCount) s.language = 0;
    // Lists of another format version cannot be read at all.
    if (whole && version == 0) whole = readPageLists(r, s.pages);
    else whole = false;
    // Bytes after the last block are not the program's: the file was damaged.
    if (r.left > 0) whole = false;
    int32_t dropped = dropUnusableColors(s);
    if (droppedColors) *droppedColors = dropped;
    if (s.pages.currentList < 0 || size_t(s.pages.currentList) >= s.pages.pageKeys.size()) s.pages.currentList = -1;
    return whole;
}

std::vector<uint8_t> writeSettings(const Settings& s) {
    std::vector<uint8_t> out;
    size_t records = 0;
    const PageStore& pages = s.pages;
    for (const auto& list : pages.pageLists) records += list.size();
    out.reserve(kHeaderSize + pages.pageKeys.size() * kBlockHeadSize + records * kRecordSize);
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
    putI32(out, pages.currentList);
    putI32(out, int32_t(pages.pageKeys.size()));
    for (size_t i = 0; i < pages.pageKeys.size(); ++i) {
        putI32(out, pages.pageKeys[i]);
        // pageLists runs parallel to pageKeys; a missing list is written empty.
        const std::vector<ElementColorRecord>* list = i < pages.pageLists.size() ? &pages.pageLists[i] : nullptr;
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

std::vector<uint8_t> whatTheChildMade(const Settings& s) {
    Settings made = s;
    made.pages = PageStore();
    const int32_t shown =
        s.pages.currentList >= 0 && size_t(s.pages.currentList) < s.pages.pageKeys.size()
            ? s.pages.pageKeys[size_t(s.pages.currentList)]
            : -1;
    for (size_t i = 0; i < s.pages.pageKeys.size() && i < s.pages.pageLists.size(); ++i) {
        std::vector<ElementColorRecord> painted;
        for (const ElementColorRecord& record : s.pages.pageLists[i])
            if (record.painted) painted.push_back(record);
        if (painted.empty()) continue;
        made.pages.pageKeys.push_back(s.pages.pageKeys[i]);
        made.pages.pageLists.push_back(std::move(painted));
    }
    // The shown page by its number, whatever its list's place.
    made.pages.currentList = shown;
    return writeSettings(made);
}

void resetDefaults(Settings& s, bool keepSwitches) {
    if (!keepSwitches) {
        s.showHelpAtStart = true;
        s.soundOn = true;
        s.musicOn = true;
        for (PaletteWell& well : s.wells) well.empty = true;
        s.language = 0;
    }
    s.pages.currentList = -1;
}

Settings loadSettingsFile(const std::string& path, SettingsFileState* state) {
    Settings s;
    SettingsFileState found = SettingsFileState::missing;
    std::vector<uint8_t> bytes;
    switch (path.empty() ? ReadResult::missing : readSmallFile(path, kLargestSettingsFile, bytes)) {
        case ReadResult::missing:
            break;
        case ReadResult::notRegular:
            found = SettingsFileState::notAFile;
            break;
        case ReadResult::unreadable:
            found = SettingsFileState::unreadable;
            break;
        case ReadResult::tooLarge:
            found = SettingsFileState::damaged;
            break;
        case ReadResult::read: {
            if (isNewerVersion(bytes)) {
                found = SettingsFileState::newer;
                break;
            }
            int32_t dropped = 0;
            found = readSettings(s, bytes.data(), bytes.size(), &dropped) ? SettingsFileState::whole
                                                                           : SettingsFileState::damaged;
            if (dropped > 0)
                std::fprintf(stderr,
                             "quillmead: %d unreadable colour%s in %s; those wells are left empty and those "
                             "regions unpainted\n",
                             int(dropped), dropped == 1 ? "" : "s", path.c_str());
            break;
        }
    }
    if (state) *state = found;
    return s;
}

bool saveSettingsFile(const Settings& s, const std::string& path) {
    if (path.empty()) return false;
    return replaceFileContents(path, writeSettings(s));
}

Settings currentSettings() {
    Settings s;
    s.showHelpAtStart = switches().showHelpAtStart;
    s.soundOn = switches().soundOn;
    s.musicOn = switches().musicOn;
    s.language = switches().language;
    for (int i = 0; i < 4; ++i) s.wells[i] = book().wells[i];
    s.pages = book().pages;
    // Until the first page is built (the first frames of a run) no list is
    // current: the page about to be shown is the open one, not "none".
    if (s.pages.currentList < 0 && book().pendingPage) {
        for (size_t i = 0; i < s.pages.pageKeys.size(); ++i)
            if (s.pages.pageKeys[i] == book().pendingPage->number) s.pages.currentList = int32_t(i);
    }
    return s;
}

void applySettings(const Settings& s) {
    setSwitch(switches().showHelpAtStart, s.showHelpAtStart);
    setSwitch(switches().soundOn, s.soundOn);
    setSwitch(switches().musicOn, s.musicOn);
    switches().language = s.language;
    for (int i = 0; i < 4; ++i) book().wells[i] = s.wells[i];
    book().pages = s.pages;
}
