// The pieces that keep a book safe on disk, without a display: the lock that
// makes one writer, the cleanup that takes only the dead writer's temporary
// files, damaged copies that never replace each other, links followed to the
// file they name, and colours and trailing bytes read as damage.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/book_claim.h"
#include "app/settings_file.h"
#include "base/book_lock.h"
#include "base/file_keeping.h"
#include "support/test_support.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(BookLock, OneHolderAtATimeAndTheLockComesBack) {
    std::string book = makeTempDir("qm_lock") + "/velvadine_quillmead_cfg";
    BookLock first, second;
    ASSERT_EQ(lockBook(book, first), BookLockResult::held);
    // A second open of the lock file is a second writer, even in this process.
    EXPECT_EQ(lockBook(book, second), BookLockResult::heldElsewhere);
    EXPECT_EQ(second.handle, -1);
    unlockBook(first);
    EXPECT_EQ(lockBook(book, second), BookLockResult::held);
    unlockBook(second);
    EXPECT_EQ(lockBook("", first), BookLockResult::unavailable);
    EXPECT_EQ(lockBook("/proc/no/such/folder/cfg", first), BookLockResult::unavailable);
}

// Claiming a book twice is the same claim; another child's book is a claim of
// its own, and a released one can be taken by another writer.
TEST(BookClaim, EachBookIsClaimedOnItsOwn) {
    std::string folder = makeTempDir("qm_claim");
    std::string usual = folder + "/velvadine_quillmead_cfg", fox = usual + ".fox";
    ASSERT_EQ(claimBook(usual, 0), BookClaim::mine);
    EXPECT_EQ(claimBook(usual, 0), BookClaim::mine);
    ASSERT_EQ(claimBook(fox, 0), BookClaim::mine);
    BookLock other;
    EXPECT_EQ(lockBook(usual, other), BookLockResult::heldElsewhere);
    EXPECT_EQ(lockBook(fox, other), BookLockResult::heldElsewhere);
    releaseBook(fox);
    EXPECT_EQ(lockBook(fox, other), BookLockResult::held);
    EXPECT_EQ(claimBook(fox, 1), BookClaim::elsewhere);
    unlockBook(other);
    EXPECT_EQ(claimBook(fox, 1), BookClaim::mine);
    releaseBook(usual);
    releaseBook(fox);
    EXPECT_EQ(lockBook(usual, other), BookLockResult::held);
    unlockBook(other);
}

TEST(BookLock, OnlyTheWritersOwnTemporaryNamesAreLeftovers) {
    const std::string name = "velvadine_quillmead_cfg";
    for (const char* leftover : {".tmp123.0", ".tmp4242.17"})
        EXPECT_TRUE(isLeftoverTempName(name + leftover, name)) << leftover;
    for (const char* other : {"", ".tmp", ".tmp12", ".tmp12.", ".tmp.3", ".tmpx.0", ".tmp1.2.3", ".damaged", ".lock"})
        EXPECT_FALSE(isLeftoverTempName(name + other, name)) << other;
    EXPECT_FALSE(isLeftoverTempName("other.tmp1.0", name));
    EXPECT_FALSE(isLeftoverTempName("xvelvadine_quillmead_cfg.tmp1.0", name));

    std::string folder = makeTempDir("qm_leftovers");
    std::string book = folder + "/" + name;
    for (const char* file : {".tmp9.0", ".tmp9.1", ".tmpx.0", ""})
        ASSERT_TRUE(writeFileBytes(book + file, bytesOf("x")));
    ASSERT_TRUE(writeFileBytes(folder + "/other.tmp9.0", bytesOf("x")));
    EXPECT_EQ(removeLeftoverTempFiles(book), 2);
    std::vector<std::string> left = folderEntries(folder);
    EXPECT_EQ(left, (std::vector<std::string>{"other.tmp9.0", name, name + ".tmpx.0"}));
}

TEST(FileKeeping, DamagedCopiesNeverReplaceEachOther) {
    std::string book = makeTempDir("qm_copies") + "/velvadine_quillmead_cfg";
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(writeFileBytes(book, bytesOf("damage " + std::to_string(n))));
        EXPECT_EQ(moveToFreeDamagedName(book), damagedCopyName(book, n));
        EXPECT_NE(access(book.c_str(), F_OK), 0);
    }
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(readFileBytes(damagedCopyName(book, n)), bytesOf("damage " + std::to_string(n)));
    EXPECT_EQ(damagedCopyName(book, 2), book + ".damaged-2");
    // Nothing to move: nothing is taken.
    EXPECT_EQ(moveToFreeDamagedName(book), "");
}

// POSIX only: symbolic links.
#ifndef _WIN32
TEST(FileKeeping, LinksAreFollowedToTheFileTheyName) {
    std::string folder = makeTempDir("qm_links");
    ASSERT_EQ(mkdir((folder + "/real").c_str(), 0700), 0);
    ASSERT_EQ(symlink("real/cfg", (folder + "/hop").c_str()), 0);
    ASSERT_EQ(symlink((folder + "/hop").c_str(), (folder + "/cfg").c_str()), 0);
    // A target that does not exist yet is still where writes go.
    EXPECT_EQ(linkTargetOf(folder + "/cfg"), folder + "/real/cfg");
    EXPECT_EQ(linkTargetOf(folder + "/plain"), folder + "/plain");
    ASSERT_EQ(symlink("loop_b", (folder + "/loop_a").c_str()), 0);
    ASSERT_EQ(symlink("loop_a", (folder + "/loop_b").c_str()), 0);
    EXPECT_EQ(linkTargetOf(folder + "/loop_a"), folder + "/loop_a");
}
#endif  // !_WIN32

TEST(SettingsColours, ColoursThatCannotBeAreDroppedAndTrailingBytesAreDamage) {
    Settings s;
    s.wells[0].empty = false;
    s.wells[0].color.red = std::numeric_limits<double>::quiet_NaN();
    s.wells[1].empty = false;
    s.wells[1].color.g = std::numeric_limits<double>::infinity();
    s.wells[2].empty = false;
    s.wells[2].color.blue = 0.5;
    s.wells[3].color.r = -1;  // empty already: not counted
    ElementColorRecord painted, stray, unpainted;
    painted.element = 1;
    painted.painted = true;
    painted.color.yellow = 1.5;
    stray.element = 2;
    stray.painted = true;
    stray.color.red = 1.0;
    unpainted.element = 3;
    unpainted.color.b = std::nan("");
    s.pages.pageKeys = {4};
    s.pages.pageLists = {{painted, stray, unpainted}};
    s.pages.currentList = 0;
    std::vector<uint8_t> bytes = writeSettings(s);

    Settings read;
    int32_t dropped = -1;
    ASSERT_TRUE(readSettings(read, bytes.data(), bytes.size(), &dropped));
    EXPECT_EQ(dropped, 3);
    EXPECT_TRUE(read.wells[0].empty && read.wells[1].empty && read.wells[3].empty);
    EXPECT_FALSE(read.wells[2].empty);
    EXPECT_EQ(read.wells[2].color.blue, 0.5);
    const std::vector<ElementColorRecord>& list = read.pages.pageLists.at(0);
    EXPECT_FALSE(list[0].painted);
    EXPECT_TRUE(std::isfinite(list[2].color.b));
    EXPECT_TRUE(list[1].painted);
    EXPECT_EQ(list[1].color.red, 1.0);

    bytes.push_back(0);
    EXPECT_FALSE(readSettings(read, bytes.data(), bytes.size()));
    EXPECT_EQ(read.pages.pageKeys, std::vector<int32_t>{4});
}

}  // namespace
