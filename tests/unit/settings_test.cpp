// The settings file: exact bytes, round trips, damaged files and a save that
// must never cost the child the paintings already on disk.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <cstring>
#include <random>

#include "base/platform.h"
#include "engine/switches.h"
#include "app/settings_file.h"
#include "support/test_support.h"

namespace {

int32_t i32At(const std::vector<uint8_t>& b, size_t off) {
    uint32_t u = uint32_t(b[off]) | uint32_t(b[off + 1]) << 8 | uint32_t(b[off + 2]) << 16 |
                 uint32_t(b[off + 3]) << 24;
    int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
}

double doubleAt(const std::vector<uint8_t>& b, size_t off) {
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | b[off + size_t(i)];
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

void setI32At(std::vector<uint8_t>& b, size_t off, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) b[off + size_t(i)] = uint8_t(u >> (8 * i));
}

PaintColor colorOf(double r, double g, double b, double red, double yellow, double blue) {
    PaintColor c;
    c.r = r;
    c.g = g;
    c.b = b;
    c.red = red;
    c.yellow = yellow;
    c.blue = blue;
    return c;
}

bool sameColorBits(const PaintColor& x, const PaintColor& y) { return std::memcmp(&x, &y, sizeof x) == 0; }

void expectSameSettings(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.showHelpAtStart, b.showHelpAtStart);
    EXPECT_EQ(a.soundOn, b.soundOn);
    EXPECT_EQ(a.musicOn, b.musicOn);
    EXPECT_EQ(a.language, b.language);
    EXPECT_EQ(a.pages.currentList, b.pages.currentList);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.wells[i].empty, b.wells[i].empty) << "well " << i;
        EXPECT_TRUE(sameColorBits(a.wells[i].color, b.wells[i].color)) << "well " << i;
    }
    ASSERT_EQ(a.pages.pageKeys, b.pages.pageKeys);
    ASSERT_EQ(a.pages.pageLists.size(), b.pages.pageLists.size());
    for (size_t p = 0; p < a.pages.pageLists.size(); ++p) {
        ASSERT_EQ(a.pages.pageLists[p].size(), b.pages.pageLists[p].size()) << "page list " << p;
        for (size_t i = 0; i < a.pages.pageLists[p].size(); ++i) {
            EXPECT_EQ(a.pages.pageLists[p][i].element, b.pages.pageLists[p][i].element);
            EXPECT_EQ(a.pages.pageLists[p][i].painted, b.pages.pageLists[p][i].painted);
            EXPECT_TRUE(sameColorBits(a.pages.pageLists[p][i].color, b.pages.pageLists[p][i].color));
        }
    }
}

// Three opened pages, one of them never painted, with varied colours and switches.
Settings paintedBook() {
    Settings s;
    s.showHelpAtStart = false;
    s.soundOn = true;
    s.musicOn = false;
    s.language = 3;
    s.wells[1].empty = false;
    s.wells[1].color = colorOf(0.25, 0.5, 0.75, 0.1, 0.2, 0.3);
    s.wells[3].empty = false;
    s.wells[3].color = colorOf(-0.0, 1e-300, 0.125, 1, 0, 0.5);
    s.pages.pageKeys = {7, 1, 21};
    s.pages.pageLists.resize(3);
    for (int i = 0; i < 12; ++i) {
        ElementColorRecord rec;
        rec.element = i + 1;
        rec.painted = i % 3 == 0;
        rec.color = colorOf(i / 12.0, 1 - i / 12.0, 0.5, i % 2, (i % 3) / 2.0, 0.0);
        s.pages.pageLists[0].push_back(rec);
    }
    ElementColorRecord last;
    last.element = 40000;
    s.pages.pageLists[2].push_back(last);  // opened, asked for a colour, never painted
    s.pages.currentList = 1;
    return s;
}

}  // namespace

TEST(Settings, DefaultsAreTheFirstRun) {
    Settings s;
    EXPECT_TRUE(s.showHelpAtStart);
    EXPECT_TRUE(s.soundOn);
    EXPECT_TRUE(s.musicOn);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.pages.currentList, -1);
    for (const PaletteWell& w : s.wells) {
        EXPECT_TRUE(w.empty);
        EXPECT_TRUE(sameColorBits(w.color, colorOf(1, 1, 1, 0, 0, 0)));
    }
    EXPECT_TRUE(s.pages.pageKeys.empty());
    EXPECT_TRUE(s.pages.pageLists.empty());
}

TEST(Settings, DefaultsWriteTheExact243Bytes) {
    std::vector<uint8_t> bytes = writeSettings(Settings());
    ASSERT_EQ(bytes.size(), 243u);
    std::vector<uint8_t> expected;
    auto i32 = [&](int32_t v) {
        for (int i = 0; i < 4; ++i) expected.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    };
    // 1.0 as little-endian binary64 is 00 00 00 00 00 00 f0 3f.
    const uint8_t one[8] = {0, 0, 0, 0, 0, 0, 0xf0, 0x3f};
    i32(0);
    expected.insert(expected.end(), {1, 1, 1});
    i32(0);
    for (int w = 0; w < 4; ++w) {
        expected.push_back(1);
        expected.insert(expected.end(), 7, 0);
        for (int k = 0; k < 3; ++k) expected.insert(expected.end(), one, one + 8);
        expected.insert(expected.end(), 24, 0);
    }
    i32(-1);
    i32(0);
    ASSERT_EQ(expected.size(), 243u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes[235], 0xff);  // currentList -1
    EXPECT_EQ(bytes[238], 0xff);

    Settings back;
    back.language = 4;  // proves the reader overwrites, not just keeps
    readSettings(back, bytes.data(), bytes.size());
    expectSameSettings(back, Settings());
}

TEST(Settings, FieldsLandAtTheirOffsets) {
    Settings s = paintedBook();
    std::vector<uint8_t> b = writeSettings(s);
    EXPECT_EQ(i32At(b, 0), 0);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(b[5], 1);
    EXPECT_EQ(b[6], 0);
    EXPECT_EQ(i32At(b, 7), 3);
    // Well 1 starts at 11 + 56.
    EXPECT_EQ(b[11 + 56], 0);
    EXPECT_EQ(doubleAt(b, 11 + 56 + 8), 0.25);
    EXPECT_EQ(doubleAt(b, 11 + 56 + 8 + 40), 0.3);
    EXPECT_EQ(i32At(b, 235), 1);
    EXPECT_EQ(i32At(b, 239), 3);
    // First block: page 7, 12 records.
    EXPECT_EQ(i32At(b, 243), 7);
    EXPECT_EQ(i32At(b, 247), 12);
    size_t rec3 = 251 + 3 * 56;
    EXPECT_EQ(i32At(b, rec3), 4);
    EXPECT_EQ(b[rec3 + 4], 1);
    EXPECT_EQ(doubleAt(b, rec3 + 8), 3 / 12.0);
    EXPECT_EQ(doubleAt(b, rec3 + 8 + 24), 1.0);
    // Then page 1 with no records, and page 21 with one.
    size_t block2 = 251 + 12 * 56;
    EXPECT_EQ(i32At(b, block2), 1);
    EXPECT_EQ(i32At(b, block2 + 4), 0);
    EXPECT_EQ(i32At(b, block2 + 8), 21);
    EXPECT_EQ(i32At(b, block2 + 12), 1);
    EXPECT_EQ(i32At(b, block2 + 16), 40000);
    EXPECT_EQ(b.size(), block2 + 16 + 56);
}

TEST(Settings, SeveralPagesRoundTripByteForByte) {
    Settings s = paintedBook();
    std::vector<uint8_t> first = writeSettings(s);
    Settings back;
    readSettings(back, first.data(), first.size());
    expectSameSettings(back, s);
    EXPECT_EQ(writeSettings(back), first);
}

TEST(Settings, PaddingIsIgnoredOnReadAndZeroOnWrite) {
    std::vector<uint8_t> b = writeSettings(paintedBook());
    std::vector<uint8_t> dirty = b;
    for (int w = 0; w < 4; ++w)
        for (int k = 1; k < 8; ++k) dirty[11 + size_t(w) * 56 + size_t(k)] = 0xa5;
    for (int r = 0; r < 12; ++r)
        for (int k = 5; k < 8; ++k) dirty[251 + size_t(r) * 56 + size_t(k)] = 0x5a;
    Settings back;
    readSettings(back, dirty.data(), dirty.size());
    expectSameSettings(back, paintedBook());
    EXPECT_EQ(writeSettings(back), b);
}

TEST(Settings, BooleanBytesOtherThanOneReadAsTrue) {
    std::vector<uint8_t> b = writeSettings(Settings());
    b[4] = 0;
    b[5] = 0x80;
    b[6] = 2;
    Settings back;
    readSettings(back, b.data(), b.size());
    EXPECT_FALSE(back.showHelpAtStart);
    EXPECT_TRUE(back.soundOn);
    EXPECT_TRUE(back.musicOn);
}

TEST(Settings, AnotherVersionKeepsSwitchesAndWellsOnly) {
    Settings s = paintedBook();
    std::vector<uint8_t> b = writeSettings(s);
    setI32At(b, 0, 1);
    Settings back;
    readSettings(back, b.data(), b.size());
    EXPECT_FALSE(back.showHelpAtStart);
    EXPECT_FALSE(back.musicOn);
    EXPECT_EQ(back.language, 3);
    EXPECT_FALSE(back.wells[1].empty);
    EXPECT_TRUE(sameColorBits(back.wells[1].color, s.wells[1].color));
    EXPECT_EQ(back.pages.currentList, -1);
    EXPECT_TRUE(back.pages.pageKeys.empty());
    EXPECT_TRUE(back.pages.pageLists.empty());

    setI32At(b, 0, -7);
    readSettings(back, b.data(), b.size());
    EXPECT_EQ(back.language, 3);
    EXPECT_TRUE(back.pages.pageKeys.empty());
}

TEST(Settings, OutOfRangeIndicesFallBack) {
    Settings s = paintedBook();
    std::vector<uint8_t> b = writeSettings(s);
    for (int32_t language : {5, -1, 1000000, INT32_MIN}) {
        setI32At(b, 7, language);
        Settings back;
        readSettings(back, b.data(), b.size());
        EXPECT_EQ(back.language, 0) << language;
        EXPECT_EQ(back.pages.pageKeys.size(), 3u);
    }
    setI32At(b, 7, 4);
    for (int32_t current : {3, -2, INT32_MAX, INT32_MIN}) {
        setI32At(b, 235, current);
        Settings back;
        readSettings(back, b.data(), b.size());
        EXPECT_EQ(back.language, 4);
        EXPECT_EQ(back.pages.currentList, -1) << current;
        EXPECT_EQ(back.pages.pageKeys.size(), 3u);
    }
    setI32At(b, 235, 2);
    Settings back;
    readSettings(back, b.data(), b.size());
    EXPECT_EQ(back.pages.currentList, 2);
}

// Every prefix of a valid file: nothing is read past the end (AddressSanitizer
// watches the copy, which is exactly as long as the prefix), and what the
// prefix held whole survives.
TEST(Settings, EveryTruncationReadsSafely) {
    Settings s = paintedBook();
    std::vector<uint8_t> full = writeSettings(s);
    for (size_t len = 0; len < full.size(); ++len) {
        std::vector<uint8_t> cut(full.begin(), full.begin() + long(len));
        Settings back;
        readSettings(back, cut.empty() ? nullptr : cut.data(), cut.size());
        // Every page block that lies whole before the cut is kept, none after it:
        // page 7's 12 records end at 923, page 1's empty list at 931, page 21's at 995.
        size_t blocks = len >= 995 ? 3 : len >= 931 ? 2 : len >= 923 ? 1 : 0;
        EXPECT_EQ(back.pages.pageKeys, std::vector<int32_t>(s.pages.pageKeys.begin(),
                                                            s.pages.pageKeys.begin() + long(blocks)))
            << len;
        ASSERT_EQ(back.pages.pageLists.size(), blocks) << len;
        for (size_t i = 0; i < blocks; ++i) EXPECT_EQ(back.pages.pageLists[i].size(), s.pages.pageLists[i].size());
        // The current list survives only with the block it names (the second).
        EXPECT_EQ(back.pages.currentList, blocks >= 2 ? 1 : -1) << len;
        EXPECT_EQ(readSettings(back, cut.empty() ? nullptr : cut.data(), cut.size()), false) << len;
        EXPECT_EQ(back.showHelpAtStart, len >= 5 ? false : true) << len;
        EXPECT_EQ(back.musicOn, len >= 7 ? false : true) << len;
        EXPECT_EQ(back.language, len >= 11 ? 3 : 0) << len;
        // Well 1 occupies 67..123; it is kept only when read whole.
        EXPECT_EQ(back.wells[1].empty, len >= 123 ? false : true) << len;
        // Well 3 (179..235) is whole in every prefix that got past it.
        EXPECT_EQ(back.wells[3].empty, len >= 235 ? false : true) << len;
    }
    Settings whole;
    readSettings(whole, full.data(), full.size());
    expectSameSettings(whole, s);
}

TEST(Settings, TrailingBytesAfterTheLastBlockAreIgnored) {
    std::vector<uint8_t> b = writeSettings(paintedBook());
    b.insert(b.end(), {1, 2, 3, 4, 5});
    Settings back;
    readSettings(back, b.data(), b.size());
    expectSameSettings(back, paintedBook());
}

TEST(Settings, AbsurdCountsAreDamageNotAllocations) {
    std::vector<uint8_t> b = writeSettings(paintedBook());
    // A block count larger than the file holds keeps the blocks that are there.
    for (int32_t count : {INT32_MAX, -1, 1 << 28, 4}) {
        std::vector<uint8_t> bad = b;
        setI32At(bad, 239, count);
        Settings back;
        EXPECT_FALSE(readSettings(back, bad.data(), bad.size()));
        EXPECT_EQ(back.pages.pageKeys.size(), count < 0 ? 0u : 3u) << count;
        EXPECT_EQ(back.pages.currentList, count < 0 ? -1 : 1);
        EXPECT_EQ(back.language, 3);
        EXPECT_FALSE(back.wells[3].empty);
    }
    for (int32_t records : {INT32_MAX, -5, 14, 1 << 26}) {
        std::vector<uint8_t> bad = b;
        setI32At(bad, 247, records);
        Settings back;
        readSettings(back, bad.data(), bad.size());
        EXPECT_TRUE(back.pages.pageKeys.empty()) << records;
        EXPECT_TRUE(back.pages.pageLists.empty()) << records;
        EXPECT_EQ(back.language, 3);
    }
}

TEST(Settings, RandomDamageReadsSafely) {
    std::vector<uint8_t> full = writeSettings(paintedBook());
    std::mt19937 rng(20240611);
    int listsKept = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<uint8_t> b = full;
        int flips = 1 + int(rng() % 8);
        for (int k = 0; k < flips; ++k) b[rng() % b.size()] = uint8_t(rng());
        if (rng() % 4 == 0) b.resize(rng() % b.size());
        Settings back;
        readSettings(back, b.empty() ? nullptr : b.data(), b.size());
        EXPECT_GE(back.language, 0);
        EXPECT_LT(back.language, 5);
        EXPECT_GE(back.pages.currentList, -1);
        EXPECT_LT(back.pages.currentList, int32_t(back.pages.pageKeys.size()));
        ASSERT_EQ(back.pages.pageKeys.size(), back.pages.pageLists.size());
        size_t records = 0;
        for (const auto& list : back.pages.pageLists) records += list.size();
        // Whatever was kept came from the bytes that were there.
        if (!back.pages.pageKeys.empty()) {
            EXPECT_LE(243 + back.pages.pageKeys.size() * 8 + records * 56, b.size());
            ++listsKept;
        }
        // What was read must write back and read the same again.
        std::vector<uint8_t> again = writeSettings(back);
        Settings twice;
        readSettings(twice, again.data(), again.size());
        expectSameSettings(twice, back);
    }
    // Damage that misses the counts leaves the lists readable.
    EXPECT_GT(listsKept, 100);
}

TEST(Settings, ResetDefaults) {
    Settings s = paintedBook();
    resetDefaults(s, true);
    EXPECT_EQ(s.pages.currentList, -1);
    EXPECT_FALSE(s.showHelpAtStart);
    EXPECT_EQ(s.language, 3);
    EXPECT_FALSE(s.wells[1].empty);
    EXPECT_EQ(s.pages.pageKeys.size(), 3u);

    s.pages.currentList = 2;
    resetDefaults(s, false);
    EXPECT_EQ(s.pages.currentList, -1);
    EXPECT_TRUE(s.showHelpAtStart);
    EXPECT_TRUE(s.soundOn);
    EXPECT_TRUE(s.musicOn);
    EXPECT_EQ(s.language, 0);
    for (const PaletteWell& w : s.wells) EXPECT_TRUE(w.empty);
    // The wells keep their colours and the pages their lists.
    EXPECT_TRUE(sameColorBits(s.wells[1].color, paintedBook().wells[1].color));
    EXPECT_EQ(s.pages.pageKeys.size(), 3u);
    EXPECT_EQ(s.pages.pageLists[0].size(), 12u);
}


TEST(SettingsFile, MissingFileGivesDefaults) {
    std::string folder = makeTempDir();
    Settings s = loadSettingsFile(folder + "/velvadine_quillmead_cfg");
    expectSameSettings(s, Settings());
    s = loadSettingsFile("");
    expectSameSettings(s, Settings());
    // A folder where the file should be reads as nothing at all.
    s = loadSettingsFile(folder);
    expectSameSettings(s, Settings());
}

TEST(SettingsFile, SaveThenLoadKeepsEverything) {
    std::string folder = makeTempDir();
    std::string path = folder + "/velvadine_quillmead_cfg";
    Settings s = paintedBook();
    ASSERT_TRUE(saveSettingsFile(s, path));
    EXPECT_EQ(readFileBytes(path), writeSettings(s));
    Settings back = loadSettingsFile(path);
    expectSameSettings(back, s);
    // A second save replaces the first, and no temporary file is left behind.
    s.pages.currentList = 2;
    ASSERT_TRUE(saveSettingsFile(s, path));
    EXPECT_EQ(readFileBytes(path), writeSettings(s));
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});
}

TEST(SettingsFile, NoPathMeansNoSave) { EXPECT_FALSE(saveSettingsFile(paintedBook(), "")); }

TEST(SettingsFile, SaveIntoAMissingFolderFailsQuietly) {
    std::string folder = makeTempDir();
    EXPECT_FALSE(saveSettingsFile(Settings(), folder + "/gone/velvadine_quillmead_cfg"));
    EXPECT_TRUE(folderEntries(folder).empty());
}

// POSIX only: file size limits.
#ifndef _WIN32
// The disk fills up in the middle of the save: the file size limit makes
// write() fail with EFBIG exactly as a full disk fails with ENOSPC.
TEST(SettingsFile, AWriteThatFailsLeavesTheOldFileIntact) {
    std::string folder = makeTempDir();
    std::string path = folder + "/velvadine_quillmead_cfg";
    Settings old = paintedBook();
    ASSERT_TRUE(saveSettingsFile(old, path));
    std::vector<uint8_t> before = readFileBytes(path);

    Settings bigger = paintedBook();
    bigger.pages.pageKeys.push_back(9);
    bigger.pages.pageLists.push_back(std::vector<ElementColorRecord>(200));
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved_ok = saveSettingsFile(bigger, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});
}

#endif  // !_WIN32

// The rename is the last step; when it cannot happen the old entry stays and the
// temporary file is cleaned away.
TEST(SettingsFile, ARenameThatFailsLeavesTheOldEntryAndNoLitter) {
    std::string folder = makeTempDir();
    std::string path = folder + "/velvadine_quillmead_cfg";
    std::string why;
    ASSERT_TRUE(makeFolders(path, true, why)) << why;
    ASSERT_TRUE(writeFileBytes(path + "/keep", {1, 2, 3}));
    EXPECT_FALSE(saveSettingsFile(paintedBook(), path));
    EXPECT_EQ(readFileBytes(path + "/keep"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});
}

// POSIX only: descriptor limits, and the XDG folders.
#ifndef _WIN32
// Out of file descriptors: the temporary file cannot even be created.
TEST(SettingsFile, NoTemporaryFileMeansNoChange) {
    std::string folder = makeTempDir();
    std::string path = folder + "/velvadine_quillmead_cfg";
    ASSERT_TRUE(saveSettingsFile(paintedBook(), path));
    std::vector<uint8_t> before = readFileBytes(path);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    // Occupy every descriptor up to a low limit.
    rlimit low = saved;
    low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> held;
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;) held.push_back(fd);
    bool ok = saveSettingsFile(Settings(), path);
    for (int fd : held) close(fd);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_FALSE(ok);
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});
}

TEST(Platform, SettingsFolderFollowsXdgDataHome) {
    std::string root = makeTempDir();
    std::string wanted = root + "/deep/er/data";
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    std::string keepXdg = oldXdg ? oldXdg : "";
    // Made only where the folder above it exists: a mistyped path makes nothing.
    setenv("XDG_DATA_HOME", (wanted + "/").c_str(), 1);
    EXPECT_EQ(settingsFolder(), "");
    EXPECT_FALSE(pathExists(root + "/deep"));
    ASSERT_EQ(mkdir((root + "/deep").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((root + "/deep/er").c_str(), 0700), 0);
    EXPECT_EQ(settingsFolder(), wanted);
    struct stat st;
    ASSERT_EQ(stat(wanted.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(defaultSettingsPath(), wanted + "/velvadine_quillmead_cfg");

    // Unset, empty or relative: the home folder's .local/share.
    const char* oldHome = std::getenv("HOME");
    std::string keepHome = oldHome ? oldHome : "";
    setenv("HOME", root.c_str(), 1);
    for (const char* value : {(const char*)nullptr, "", "relative/data"}) {
        if (value)
            setenv("XDG_DATA_HOME", value, 1);
        else
            unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(defaultSettingsPath(), root + "/.local/share/velvadine_quillmead_cfg");
    }
    ASSERT_EQ(stat((root + "/.local/share").c_str(), &st), 0);

    // A home that does not exist is no home: nothing is made there.
    setenv("HOME", (root + "/gone/home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(homeFolder(), "");
    EXPECT_EQ(defaultSettingsPath(), "");
    EXPECT_FALSE(pathExists(root + "/gone"));
    setenv("HOME", root.c_str(), 1);

    // A file where the folder should be: no folder, so no path and no save.
    ASSERT_TRUE(writeFileBytes(root + "/blocked", {0}));
    setenv("XDG_DATA_HOME", (root + "/blocked/data").c_str(), 1);
    EXPECT_EQ(settingsFolder(), "");
    EXPECT_EQ(defaultSettingsPath(), "");

    if (oldHome)
        setenv("HOME", keepHome.c_str(), 1);
    else
        unsetenv("HOME");
    if (oldXdg)
        setenv("XDG_DATA_HOME", keepXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
#endif  // !_WIN32
