// The pieces that keep a book safe on disk, without a display: the lock that
// makes one writer per book, and links followed to the file they name.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "app/book_claim.h"
#include "base/book_lock.h"
#include "base/file_keeping.h"
#include "support/test_support.h"

namespace {

// One holder per book, even in one process; claiming a book twice is the same
// claim, another child's book is a claim of its own, and a released one can be
// taken by another writer.
TEST(BookLock, EachBookHasOneWriterAndComesBackWhenReleased) {
    std::string usual = makeTempDir("qm_lock") + "/velvadine_quillmead_cfg", fox = usual + ".fox";
    BookLock other;
    ASSERT_EQ(claimBook(usual, 0), BookClaim::mine);
    EXPECT_EQ(claimBook(usual, 0), BookClaim::mine);
    EXPECT_EQ(lockBook(usual, other), BookLockResult::heldElsewhere);
    EXPECT_EQ(other.handle, -1);
    ASSERT_EQ(lockBook(fox, other), BookLockResult::held);
    EXPECT_EQ(claimBook(fox, 1), BookClaim::elsewhere);
    unlockBook(other);
    EXPECT_EQ(claimBook(fox, 1), BookClaim::mine);
    releaseBook(usual);
    releaseBook(fox);
    EXPECT_EQ(lockBook(usual, other), BookLockResult::held);
    unlockBook(other);
    EXPECT_EQ(lockBook("", other), BookLockResult::unavailable);
    EXPECT_EQ(lockBook("/proc/no/such/folder/cfg", other), BookLockResult::unavailable);
    EXPECT_EQ(moveToFreeDamagedName(usual), "");  // no book file: no damaged copy is made
}

// POSIX only: symbolic links, chained, to a target not made yet, and in a loop.
#ifndef _WIN32
TEST(FileKeeping, LinksAreFollowedToTheFileTheyName) {
    std::string folder = makeTempDir("qm_links");
    ASSERT_EQ(symlink("real/cfg", (folder + "/hop").c_str()), 0);
    ASSERT_EQ(symlink((folder + "/hop").c_str(), (folder + "/cfg").c_str()), 0);
    EXPECT_EQ(linkTargetOf(folder + "/cfg"), folder + "/real/cfg");
    EXPECT_EQ(linkTargetOf(folder + "/plain"), folder + "/plain");
    ASSERT_EQ(symlink("loop_b", (folder + "/loop_a").c_str()), 0);
    ASSERT_EQ(symlink("loop_a", (folder + "/loop_b").c_str()), 0);
    EXPECT_EQ(linkTargetOf(folder + "/loop_a"), folder + "/loop_a");
}
#endif  // !_WIN32

}  // namespace
