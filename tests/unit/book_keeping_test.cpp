// The pieces that keep a book safe on disk, without a display: the lock that
// makes one writer per book, and links followed to the file they name.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <string>
#include <thread>
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
    bookClaimWaitMs() = 0;
    EXPECT_EQ(claimBook(fox, 1), BookClaim::elsewhere);
    bookClaimWaitMs() = 3000;
    unlockBook(other);
    EXPECT_EQ(claimBook(fox, 1), BookClaim::mine);
    releaseBook(usual);
    releaseBook(fox);
    EXPECT_EQ(lockBook(usual, other), BookLockResult::held);
    unlockBook(other);
    EXPECT_EQ(lockBook("", other), BookLockResult::unavailable);
    EXPECT_EQ(lockBook("/proc/no/such/folder/cfg", other), BookLockResult::cannotBeMade);
    EXPECT_EQ(claimBook("/proc/no/such/folder/cfg", 0), BookClaim::notKept);
    EXPECT_EQ(moveToFreeDamagedName(usual), "");  // no book file: no damaged copy is made
}

// A copy that has just quit may still hold the book for a moment: the claim
// waits for it, briefly, and takes the book once it is let go.
TEST(BookLock, AClaimWaitsBrieflyForACopyThatIsEnding) {
    std::string book = makeTempDir("qm_lock_wait") + "/velvadine_quillmead_cfg";
    BookLock ending;
    ASSERT_EQ(lockBook(book, ending), BookLockResult::held);
    std::thread quits([&ending] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        unlockBook(ending);
    });
    EXPECT_EQ(claimBook(book, 0), BookClaim::mine);
    quits.join();
    BookLock after;
    EXPECT_EQ(lockBook(book, after), BookLockResult::heldElsewhere);
    releaseBook(book);
}

#ifndef _WIN32
// Fails closed: whatever sits at the lock's path and is not a usable lock file
// is never taken as this copy's own; two paths to one book meet at one lock.
TEST(BookLock, ALockThatCannotBeUsedIsNeverThisCopysOwn) {
    std::string folder = makeTempDir("qm_lock_closed");
    ASSERT_EQ(mkfifo((folder + "/b.lock").c_str(), 0600), 0);
    BookLock lock;
    EXPECT_EQ(lockBook(folder + "/b", lock), BookLockResult::unavailable);
    EXPECT_EQ(lock.handle, -1);
    bookClaimWaitMs() = 0;
    EXPECT_EQ(claimBook(folder + "/b", 0), BookClaim::uncertain);
    // The book through a linked folder and a linked file: one lock, beside the real file.
    ASSERT_EQ(mkdir((folder + "/real").c_str(), 0700), 0);
    ASSERT_EQ(symlink("real", (folder + "/linked").c_str()), 0);
    ASSERT_EQ(symlink((folder + "/linked/cfg").c_str(), (folder + "/cfg").c_str()), 0);
    EXPECT_EQ(bookLockPath(folder + "/cfg"), folder + "/real/cfg.lock");
    ASSERT_EQ(claimBook(folder + "/real/cfg", 0), BookClaim::mine);
    EXPECT_EQ(claimBook(folder + "/cfg", 0), BookClaim::mine);
    EXPECT_EQ(lockBook(folder + "/linked/cfg", lock), BookLockResult::heldElsewhere);
    releaseBook(folder + "/real/cfg");
    EXPECT_EQ(lockBook(folder + "/cfg", lock), BookLockResult::held);
    unlockBook(lock);
    bookClaimWaitMs() = 3000;
}
#endif

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
