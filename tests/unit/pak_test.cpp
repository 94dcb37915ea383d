// Archives: the file format both ways, rejection of damaged files, and the
// reference counts of the shared cache.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "resources/pak.h"
#include "scene/texture.h"
#include "support/test_support.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

void appendInt32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

// An archive laid out by hand, independently of the writer.
std::vector<uint8_t> handMadeArchive(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
    std::vector<uint8_t> out;
    appendInt32(out, int32_t(entries.size()));
    for (const auto& e : entries) {
        out.push_back(uint8_t(e.first.size()));
        out.insert(out.end(), e.first.begin(), e.first.end());
        appendInt32(out, int32_t(e.second.size()));
        out.insert(out.end(), e.second.begin(), e.second.end());
    }
    return out;
}

std::string entryText(const PakArchive& a, const char* name) {
    int32_t size = -1;
    const uint8_t* data = pakGetEntry(a, name, &size);
    if (!data) return "<missing>";
    return std::string(reinterpret_cast<const char*>(data), size_t(size));
}


// Every test leaves the process-wide cache as it found it: empty, no prefix.
class PakCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = makeTempDir("qm_pak");
        ASSERT_FALSE(dir.empty());
        pakCache().baseDirectory = dir + "/";
    }
    void TearDown() override {
        pakCloseAll();
        pakCache().baseDirectory = "0";
    }
    void writeArchive(const char* name, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
        ASSERT_TRUE(writeFileBytes(dir + "/" + name, handMadeArchive(entries)));
    }
    std::string dir;
};

}  // namespace

TEST(PakArchiveTest, WriterProducesTheExactLayout) {
    PakArchive a;
    pakAddBuffer(a, "ab", "xyz", 3);
    pakAddBuffer(a, "", nullptr, 0);
    std::vector<uint8_t> expected = {2, 0, 0, 0, 2, 'a', 'b', 3, 0, 0, 0, 'x', 'y', 'z', 0, 0, 0, 0, 0};
    EXPECT_EQ(pakSerialize(a), expected);
}

TEST(PakArchiveTest, SavedArchiveReadsBackWithEveryEntry) {
    std::string dir = makeTempDir("qm_pak");
    std::string name127(127, 'n');
    name127[0] = 'A';
    name127[126] = 'Z';
    std::vector<uint8_t> binary;
    for (int i = 0; i < 1000; i++) binary.push_back(uint8_t(i * 7));
    PakArchive w;
    pakAddBuffer(w, name127, "long", 4);
    pakAddBuffer(w, "binary", binary.data(), binary.size());
    pakAddBuffer(w, "empty", nullptr, 0);
    pakAddBuffer(w, "Case", "upper", 5);
    pakAddBuffer(w, "case", "lower", 5);
    std::string path = dir + "/all.pak";
    ASSERT_TRUE(pakSave(w, path.c_str()));

    PakArchive r;
    ASSERT_TRUE(pakOpen(r, path.c_str()));
    ASSERT_EQ(r.entries.size(), 5u);
    EXPECT_EQ(r.entries[0].name, name127);
    EXPECT_EQ(entryText(r, name127.c_str()), "long");
    int32_t size = 0;
    const uint8_t* data = pakGetEntry(r, "binary", &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(data, data + size), binary);
    EXPECT_EQ(entryText(r, "empty"), "");
    EXPECT_EQ(entryText(r, "Case"), "upper");
    EXPECT_EQ(entryText(r, "case"), "lower");
    for (const PakEntry& e : r.entries) {
        EXPECT_EQ(e.size, int32_t(e.data.size()));
    }
    // The file is the writer's serialisation, byte for byte.
    EXPECT_EQ(readFileBytes(path), pakSerialize(w));
}

TEST(PakArchiveTest, NameLongerThan127BytesIsNotSaved) {
    std::string dir = makeTempDir("qm_pak");
    PakArchive w;
    pakAddBuffer(w, std::string(128, 'x'), "a", 1);
    EXPECT_FALSE(pakSave(w, (dir + "/long.pak").c_str()));
}

TEST(PakArchiveTest, FirstOfTwoEntriesWithTheSameNameWins) {
    std::vector<uint8_t> file = handMadeArchive({{"dup", bytesOf("first")}, {"dup", bytesOf("second")}});
    PakArchive a;
    ASSERT_TRUE(pakOpenMemory(a, file.data(), file.size()));
    EXPECT_EQ(a.entries.size(), 2u);
    EXPECT_EQ(entryText(a, "dup"), "first");
}

TEST(PakArchiveTest, ArchiveOfZeroEntriesOpensAndFindsNothing) {
    std::vector<uint8_t> file = handMadeArchive({});
    ASSERT_EQ(file.size(), 4u);
    PakArchive a;
    ASSERT_TRUE(pakOpenMemory(a, file.data(), file.size()));
    EXPECT_TRUE(a.entries.empty());
    int32_t size = 99;
    EXPECT_EQ(pakGetEntry(a, "", &size), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(pakGetEntry(a, "anything", &size), nullptr);
}

TEST(PakArchiveTest, LookupIsExactAndCaseSensitive) {
    std::vector<uint8_t> file = handMadeArchive({{"el1", bytesOf("a")}, {"el10", bytesOf("b")}});
    PakArchive a;
    ASSERT_TRUE(pakOpenMemory(a, file.data(), file.size()));
    EXPECT_EQ(entryText(a, "el1"), "a");
    EXPECT_EQ(entryText(a, "el10"), "b");
    EXPECT_EQ(entryText(a, "el"), "<missing>");
    EXPECT_EQ(entryText(a, "EL1"), "<missing>");
}

TEST(PakArchiveTest, EveryTruncationIsRejectedFromMemory) {
    std::vector<uint8_t> file =
        handMadeArchive({{"first", bytesOf("some data")}, {"x", {}}, {std::string(127, 'q'), bytesOf("tail")}});
    PakArchive whole;
    ASSERT_TRUE(pakOpenMemory(whole, file.data(), file.size()));
    for (size_t n = 0; n < file.size(); n++) {
        // An exact-size copy, so that a read past the end is caught by AddressSanitizer.
        std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        uint8_t* exact = new uint8_t[n ? n : 1];
        if (n) std::memcpy(exact, cut.data(), n);
        PakArchive a;
        EXPECT_FALSE(pakOpenMemory(a, exact, n)) << "prefix of " << n << " bytes";
        EXPECT_TRUE(a.entries.empty());
        delete[] exact;
    }
}

TEST(PakArchiveTest, EveryTruncationIsRejectedFromAFile) {
    std::string dir = makeTempDir("qm_pak");
    std::vector<uint8_t> file = handMadeArchive({{"a", bytesOf("12345")}, {"bb", bytesOf("678")}});
    std::string path = dir + "/cut.pak";
    for (size_t n = 0; n < file.size(); n++) {
        // An empty file is made by opening for writing: there is nothing to write.
        if (n == 0) {
            FILE* f = std::fopen(path.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fclose(f);
        } else {
            ASSERT_TRUE(writeFileBytes(path, std::vector<uint8_t>(file.begin(), file.begin() + long(n))));
        }
        PakArchive a;
        EXPECT_FALSE(pakOpen(a, path.c_str())) << "prefix of " << n << " bytes";
        EXPECT_TRUE(a.entries.empty());
    }
    ASSERT_TRUE(writeFileBytes(path, file));
    PakArchive a;
    EXPECT_TRUE(pakOpen(a, path.c_str()));
}

TEST(PakArchiveTest, NegativeAndOversizedFieldsAreRejected) {
    PakArchive a;
    // A negative entry count.
    std::vector<uint8_t> negativeCount = {0xff, 0xff, 0xff, 0xff};
    EXPECT_FALSE(pakOpenMemory(a, negativeCount.data(), negativeCount.size()));
    // A count far larger than the file could hold: refused before anything is reserved.
    std::vector<uint8_t> hugeCount = {0xff, 0xff, 0xff, 0x7f, 1, 'a', 0, 0, 0, 0};
    EXPECT_FALSE(pakOpenMemory(a, hugeCount.data(), hugeCount.size()));
    // A negative name length (0x80 is -128 as a signed byte).
    std::vector<uint8_t> negativeName = {1, 0, 0, 0, 0x80, 0, 0, 0, 0};
    EXPECT_FALSE(pakOpenMemory(a, negativeName.data(), negativeName.size()));
    // A negative data size.
    std::vector<uint8_t> negativeSize = {1, 0, 0, 0, 1, 'a', 0xfe, 0xff, 0xff, 0xff};
    EXPECT_FALSE(pakOpenMemory(a, negativeSize.data(), negativeSize.size()));
    // A data size running past the end: refused before the buffer is allocated.
    std::vector<uint8_t> longSize = {1, 0, 0, 0, 1, 'a', 0xff, 0xff, 0xff, 0x7f, 'x'};
    EXPECT_FALSE(pakOpenMemory(a, longSize.data(), longSize.size()));
    EXPECT_TRUE(a.entries.empty());
    EXPECT_FALSE(pakOpenMemory(a, nullptr, 0));
}

TEST(PakArchiveTest, ReopeningReplacesTheOldContents) {
    std::vector<uint8_t> one = handMadeArchive({{"one", bytesOf("1")}});
    std::vector<uint8_t> bad = {1, 0, 0, 0};
    PakArchive a;
    ASSERT_TRUE(pakOpenMemory(a, one.data(), one.size()));
    EXPECT_FALSE(pakOpenMemory(a, bad.data(), bad.size()));
    EXPECT_TRUE(a.entries.empty());
}

TEST(PakArchiveTest, MissingFileAndDirectoryAreNotArchives) {
    std::string dir = makeTempDir("qm_pak");
    PakArchive a;
    EXPECT_FALSE(pakOpen(a, (dir + "/none.pak").c_str()));
    EXPECT_FALSE(pakOpen(a, dir.c_str()));
}

TEST(PakArchiveTest, AddFileNamesTheEntryByThePathAsGiven) {
    std::string dir = makeTempDir("qm_pak");
    std::string path = dir + "/picture.png";
    ASSERT_TRUE(writeFileBytes(path, bytesOf("pixels")));
    PakArchive a;
    ASSERT_TRUE(pakAddFile(a, path.c_str()));
    EXPECT_FALSE(pakAddFile(a, (dir + "/absent").c_str()));
    ASSERT_EQ(a.entries.size(), 1u);
    EXPECT_EQ(a.entries[0].name, path);
    EXPECT_EQ(entryText(a, path.c_str()), "pixels");
}

TEST_F(PakCacheTest, AcquireTwiceReleaseTwiceThenTheFileIsReadAgain) {
    writeArchive("page01.pak", {{"el1", bytesOf("old")}});
    PakArchive* first = pakAcquireOrExit("page01.pak");
    PakArchive* second = pakAcquireOrExit("page01.pak");
    EXPECT_EQ(first, second);
    EXPECT_EQ(cacheReferences("page01.pak"), 2);
    EXPECT_EQ(pakCache().archives.size(), 1u);

    pakRelease("page01.pak");
    EXPECT_EQ(cacheReferences("page01.pak"), 1);
    EXPECT_EQ(entryText(*first, "el1"), "old");

    pakRelease("page01.pak");
    EXPECT_TRUE(pakCache().archives.empty());
    EXPECT_TRUE(pakCache().names.empty());
    EXPECT_TRUE(pakCache().references.empty());

    // Changed on disk while nobody held it: the next acquire must see the change.
    writeArchive("page01.pak", {{"el1", bytesOf("new")}, {"el2", bytesOf("added")}});
    PakArchive* third = pakAcquireOrExit("page01.pak");
    EXPECT_EQ(cacheReferences("page01.pak"), 1);
    EXPECT_EQ(entryText(*third, "el1"), "new");
    EXPECT_EQ(entryText(*third, "el2"), "added");
    pakRelease("page01.pak");
}

TEST_F(PakCacheTest, HeldArchiveIsNotReadAgain) {
    writeArchive("a.pak", {{"e", bytesOf("before")}});
    PakArchive* held = pakAcquireOrExit("a.pak");
    writeArchive("a.pak", {{"e", bytesOf("after")}});
    PakArchive* again = pakAcquireOrExit("a.pak");
    EXPECT_EQ(held, again);
    EXPECT_EQ(entryText(*again, "e"), "before");
}

TEST_F(PakCacheTest, ArchivesAreKeptInAcquireOrderAndReleasedIndependently) {
    writeArchive("a.pak", {{"e", bytesOf("A")}});
    writeArchive("b.pak", {{"e", bytesOf("B")}});
    pakAcquireOrExit("a.pak");
    pakAcquireOrExit("b.pak");
    ASSERT_EQ(pakCache().names, (std::vector<std::string>{"a.pak", "b.pak"}));
    pakRelease("a.pak");
    ASSERT_EQ(pakCache().names, (std::vector<std::string>{"b.pak"}));
    EXPECT_EQ(entryText(*pakCache().archives[0], "e"), "B");
    // A name that is not held is ignored.
    pakRelease("a.pak");
    pakRelease("never.pak");
    EXPECT_EQ(cacheReferences("b.pak"), 1);
}

TEST_F(PakCacheTest, EntryDataTakesAReferenceTheCallerOwes) {
    writeArchive("sound.pak", {{"scena.wav", bytesOf("RIFF")}});
    int32_t size = 0;
    const uint8_t* data = pakEntryDataOrExit("sound.pak", "scena.wav", &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size_t(size)), "RIFF");
    EXPECT_EQ(cacheReferences("sound.pak"), 1);
    // A missing entry still takes the reference.
    EXPECT_EQ(pakEntryDataOrExit("sound.pak", "absent.wav", &size), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(cacheReferences("sound.pak"), 2);
}

TEST_F(PakCacheTest, TakingAnEntryMovesItOnlyFromTheSoleHolder) {
    writeArchive("music.pak", {{"music.wav", bytesOf("RIFFtune")}, {"other.wav", bytesOf("RIFFother")}});
    PakArchive* held = pakTryAcquire("music.pak");
    ASSERT_NE(held, nullptr);
    pakTryAcquire("music.pak");
    // Someone else holds the archive too: a copy, and the entry stays.
    EXPECT_EQ(pakTakeEntry("music.pak", "other.wav"), bytesOf("RIFFother"));
    EXPECT_EQ(entryText(*held, "other.wav"), "RIFFother");
    pakRelease("music.pak");
    // The only holder: the bytes move out, the archive keeps an empty entry until it goes.
    EXPECT_EQ(pakTakeEntry("music.pak", "music.wav"), bytesOf("RIFFtune"));
    EXPECT_EQ(entryText(*held, "music.wav"), "");
    EXPECT_TRUE(pakTakeEntry("music.pak", "absent.wav").empty());
    pakRelease("music.pak");
    EXPECT_TRUE(pakTakeEntry("music.pak", "music.wav").empty());  // not open
}

TEST_F(PakCacheTest, TextureOfAMissingEntryStillBalancesTheArchiveReference) {
    writeArchive("page02.pak", {{"el1", bytesOf("not an image")}});
    // No image entry of that name: no decoding and no OpenGL call happens.
    EXPECT_EQ(textureAcquireOrExit("page02.pak", "absent"), 0u);
    EXPECT_EQ(cacheReferences("page02.pak"), 1);
    textureRelease("page02.pak", 0);
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(PakCacheTest, BaseDirectoryIsAPlainPrefix) {
    // No separator is inserted between the prefix and the name.
    ASSERT_TRUE(writeFileBytes(dir + "/pre_music.pak", handMadeArchive({{"m", bytesOf("x")}})));
    pakCache().baseDirectory = dir + "/pre_";
    ASSERT_NE(pakTryAcquire("music.pak"), nullptr);
    EXPECT_EQ(pakCache().names[0], "music.pak");
}

TEST_F(PakCacheTest, BaseDirectoryZeroOpensTheNameInTheWorkingDirectory) {
    writeArchive("music.pak", {{"song", bytesOf("la")}});
    std::string cwd = workingFolder();
    ASSERT_FALSE(cwd.empty());
    ASSERT_TRUE(changeWorkingFolder(dir));
    pakCache().baseDirectory = "0";
    PakArchive* a = pakTryAcquire("music.pak");
    ASSERT_TRUE(changeWorkingFolder(cwd));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(entryText(*a, "song"), "la");
}

TEST_F(PakCacheTest, TryAcquireOfAMissingOrDamagedArchiveLeavesTheCacheUnchanged) {
    EXPECT_EQ(pakTryAcquire("absent.pak"), nullptr);
    std::vector<uint8_t> file = handMadeArchive({{"e", bytesOf("data")}});
    file.pop_back();
    ASSERT_TRUE(writeFileBytes(dir + "/cut.pak", file));
    EXPECT_EQ(pakTryAcquire("cut.pak"), nullptr);
    EXPECT_TRUE(pakCache().archives.empty());
    EXPECT_TRUE(pakCache().names.empty());
}

TEST_F(PakCacheTest, CloseAllFreesEveryArchiveWhateverItsReferences) {
    writeArchive("a.pak", {});
    pakAcquireOrExit("a.pak");
    pakAcquireOrExit("a.pak");
    pakCloseAll();
    EXPECT_TRUE(pakCache().archives.empty());
    EXPECT_TRUE(pakCache().references.empty());
}

using PakCacheDeathTest = PakCacheTest;

// POSIX only: GoogleTest's regular expressions on Windows have no brackets.
#ifndef _WIN32
// The program cannot run without its artwork: it ends with status 1 and one line
// on stderr that names the file, the folder and what is wrong with it.
TEST_F(PakCacheDeathTest, UnusableArchiveEndsTheProcessWithOneLineSayingWhy) {
    const std::string& folder = dir;
    EXPECT_EXIT(pakAcquireOrExit("absent.pak"), ::testing::ExitedWithCode(1),
                "^quillmead: cannot open \"absent[.]pak\" in " + folder + "/?: the file is missing\n$");

    std::vector<uint8_t> file = handMadeArchive({{"first", bytesOf("one")}, {"e", bytesOf("data")}});
    file.resize(file.size() - 2);
    writeFileBytes(dir + "/cut.pak", file);
    const std::string damaged =
        "^quillmead: cannot open \"cut[.]pak\" in " + folder + "/?: the file is damaged \\(entry 2 runs past the end\\)\n$";
    EXPECT_EXIT(pakAcquireOrExit("cut.pak"), ::testing::ExitedWithCode(1), damaged);
    EXPECT_EXIT(pakEntryDataOrExit("cut.pak", "e", nullptr), ::testing::ExitedWithCode(1), damaged);

    std::string why;
    ASSERT_TRUE(makeFolders(dir + "/folder.pak", true, why)) << why;
    EXPECT_EXIT(pakAcquireOrExit("folder.pak"), ::testing::ExitedWithCode(1),
                "^quillmead: cannot open \"folder[.]pak\" in .*: it is not a regular file\n$");
}
#endif  // !_WIN32
