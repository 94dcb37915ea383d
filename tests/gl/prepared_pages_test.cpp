// After the first frame the program prepares, in the background, the screens'
// archives and the pages beside the shown one. A neighbour whose archive is
// damaged costs that page only: the page on show stays drawn and paintable,
// the damaged page is passed over when turned to and named once on stderr, at
// most three pages are held, and nothing stays held once the program ends.
// Through the real loop, with the worker thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/spare_memory.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "engine/modal.h"
#include "resources/pak.h"
#include "scene/picture_preparer.h"
#include "scene/texture.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/stderr_capture.h"
#include "support/test_support.h"

namespace {

struct PreparedPages : ::testing::Test {
    std::string data = makeTempDir("qm_prepared_data");
    std::string settings = makeTempDir("qm_prepared_cfg") + "/velvadine_quillmead_cfg";
    std::string savedBase = pakCache().baseDirectory;
    StderrCapture errors;

    void TearDown() override {
        shutDownForTest();
        stopCapturingStderr(errors);
        pakCache().baseDirectory = savedBase;
        spareMemory() = SpareMemory();
    }
    // Passes until the preparation has nothing left to do; false after 2000.
    bool settle() {
        for (int pass = 0; pass < 2000; ++pass) {
            runOnePass();
            if (preparationSettled()) return true;
        }
        return false;
    }
    // A settings file that opens the book on page 2, with no help screen.
    bool openOnPageTwo() {
        Settings stored;
        stored.showHelpAtStart = false;
        stored.pages.pageKeys = {2};
        stored.pages.pageLists = {{}};
        stored.pages.currentList = 0;
        return writeFileBytes(settings, writeSettings(stored));
    }
    int pageArchivesOpen() {
        int n = 0;
        for (const ColoringPage& page : pageTable) n += cacheReferences(page.archive) > 0 ? 1 : 0;
        return n;
    }
};

// Page 3's paper does not decode; the book opens on page 2.
TEST_F(PreparedPages, ADamagedNeighbourCostsThatPageOnly) {
    ASSERT_TRUE(linkDataArchivesExcept(data, {"page03.pak"}));
    ASSERT_TRUE(writeArchiveWithBrokenPicture(data, "page03.pak", "paper.png"));

    ASSERT_TRUE(openOnPageTwo());
    startCapturingStderr(errors);
    pakCache().baseDirectory = data + "/";
    TestStart how;
    how.prepareInBackground = true;
    ASSERT_TRUE(startUpForTest(settings, how));
    passes(2);
    uint8_t before[3];
    pixelOf(regionNode(3), before);
    ASSERT_TRUE(settle());

    // Found while preparing: page 3 holds nothing; page 1, the other
    // neighbour, has its pictures alive before any turn; page 2 is untouched.
    EXPECT_EQ(currentPageNumber(), 2);
    const PreparedArchive* damaged = checkedArchive("page03.pak");
    ASSERT_NE(damaged, nullptr);
    EXPECT_TRUE(damaged->textures.empty());
    EXPECT_EQ(cacheReferences("page03.pak"), 0);
    EXPECT_GT(textureReferences("page01.pak", "paper.png"), 0);
    EXPECT_GT(textureReferences("page01.pak", "cover.png"), 0);
    EXPECT_NE(checkedArchive("langen.pak"), nullptr);
    EXPECT_NE(checkedArchive("langall.pak"), nullptr);
    uint8_t after[3];
    pixelOf(regionNode(3), after);
    EXPECT_TRUE(std::equal(before, before + 3, after));
    EXPECT_TRUE(clickOn(jarBody(0)));
    EXPECT_TRUE(clickOn(regionNode(3)));
    passes(40);
    EXPECT_TRUE(isElementPainted(3));
    uint8_t painted[3];
    pixelOf(regionNode(3), painted);
    EXPECT_FALSE(std::equal(before, before + 3, painted));

    // Turning forwards passes over page 3 to page 4, whose neighbours are 3
    // and 5: pages 1 and 2 are let go.
    pushKey(SDLK_RIGHT);
    passes(2);
    EXPECT_EQ(currentPageNumber(), 4);
    ASSERT_TRUE(settle());
    passes(30);  // the old page's nodes come down
    EXPECT_EQ(cacheReferences("page01.pak"), 0);
    EXPECT_EQ(cacheReferences("page02.pak"), 0);
    EXPECT_EQ(cacheReferences("page03.pak"), 0);
    EXPECT_GT(textureReferences("page05.pak", "paper.png"), 0);
    EXPECT_LE(pageArchivesOpen(), 3);

    // And back, over page 3 again, to the painted page 2.
    pushKey(SDLK_LEFT);
    passes(2);
    EXPECT_EQ(currentPageNumber(), 2);
    EXPECT_TRUE(isElementPainted(3));
    ASSERT_TRUE(settle());
    EXPECT_LE(pageArchivesOpen(), 3);

    saveSettingsAndQuit();
    for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
    ASSERT_FALSE(running());
    EXPECT_EQ(liveTextureCount(), 0);
    EXPECT_TRUE(picturePreparer().records.empty());
    for (const ColoringPage& page : pageTable) EXPECT_EQ(cacheReferences(page.archive), 0) << page.archive;
    std::string text = stopCapturingStderr(errors);
    EXPECT_EQ(occurrences(text, "quillmead: skipping page 3: cannot open \"page03.pak\" in " + data +
                                    "/: the file is damaged (picture \"paper.png\" cannot be read)\n"),
              1)
        << text;
    EXPECT_EQ(occurrences(text, "quillmead:"), 1) << text;
}

// The machine short of memory: what is held ahead goes (screens' archives and
// the neighbour pages, the shown page's pictures stay with its nodes), the
// screens still open, read when asked for, and nothing is prepared again until
// memory is spare above the higher bound.
int64_t availableForTest = 0;
int64_t fakeAvailable() { return availableForTest; }

TEST_F(PreparedPages, ShortOfMemoryLetsGoWhatIsHeldAhead) {
    ASSERT_TRUE(linkDataArchivesExcept(data, {}));
    ASSERT_TRUE(openOnPageTwo());
    pakCache().baseDirectory = data + "/";
    spareMemory().available = fakeAvailable;
    spareMemory().everyMs = 0;  // a reading every pass
    availableForTest = int64_t(1) << 30;
    TestStart how;
    how.prepareInBackground = true;
    ASSERT_TRUE(startUpForTest(settings, how));
    passes(2);
    ASSERT_TRUE(settle());
    EXPECT_EQ(pageArchivesOpen(), 3);
    EXPECT_NE(checkedArchive("langall.pak"), nullptr);
    const int heldWithSpareMemory = liveTextureCount();

    availableForTest = int64_t(150) << 20;
    ASSERT_TRUE(settle());
    passes(2);
    EXPECT_TRUE(picturePreparer().records.empty());
    EXPECT_EQ(pageArchivesOpen(), 1);
    EXPECT_GT(textureReferences("page02.pak", "paper.png"), 0);
    EXPECT_EQ(cacheReferences("langall.pak"), 0);
    EXPECT_LT(liveTextureCount(), heldWithSpareMemory);
    pushKey(SDLK_F1);
    passes(3);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    pushKey(SDLK_ESCAPE);
    passes(30);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(picturePreparer().records.empty());

    // Between the bounds it stays tight; above the higher one all comes back.
    availableForTest = int64_t(300) << 20;
    passes(5);
    EXPECT_TRUE(picturePreparer().records.empty());
    availableForTest = int64_t(500) << 20;
    passes(2);
    ASSERT_TRUE(settle());
    EXPECT_EQ(pageArchivesOpen(), 3);
    EXPECT_NE(checkedArchive("langall.pak"), nullptr);
    EXPECT_EQ(liveTextureCount(), heldWithSpareMemory);
}

}  // namespace
