// A damaged page archive costs that page only: the book starts on the next page
// that can be shown, turning passes over the damaged one in both directions,
// stderr names the file once, the page's paintings stay in the settings file,
// and nothing the failed attempts took stays held. Through the real loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "resources/pak.h"
#include "scene/paint_color.h"
#include "scene/texture.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/stderr_capture.h"
#include "support/test_support.h"

namespace {


std::vector<ElementColorRecord> paintedRecords(int32_t first) {
    std::vector<ElementColorRecord> list;
    for (int32_t k = first; k < first + 3; ++k) {
        ElementColorRecord r;
        r.element = k;
        r.painted = true;
        r.color = makePaint(0.15 * k, 0.5, 1 - 0.1 * k);  // amounts within 0..1, as mixing keeps them
        list.push_back(r);
    }
    return list;
}

// The bytes one page's block takes in the settings file: blocks come last.
std::vector<uint8_t> pageBlock(int32_t page, const std::vector<ElementColorRecord>& list) {
    Settings one, none;
    one.pages.pageKeys = {page};
    one.pages.pageLists = {list};
    std::vector<uint8_t> withBlock = writeSettings(one);
    size_t bare = writeSettings(none).size();
    return std::vector<uint8_t>(withBlock.begin() + long(bare), withBlock.end());
}

bool contains(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

struct DamagedPage : ::testing::Test {
    std::string data = makeTempDir("qm_damaged_data");
    std::string settings = makeTempDir("qm_damaged_cfg") + "/velvadine_quillmead_cfg";
    std::string savedBase = pakCache().baseDirectory;
    StderrCapture errors;

    void linkArchivesExcept(const std::vector<std::string>& own) { ASSERT_TRUE(linkDataArchivesExcept(data, own)); }
    // Starts with a settings file in which the page, painted, was shown last.
    void start(int32_t page, const std::vector<ElementColorRecord>& list) {
        Settings stored;
        stored.showHelpAtStart = false;
        stored.pages.pageKeys = {page};
        stored.pages.pageLists = {list};
        stored.pages.currentList = 0;
        ASSERT_TRUE(writeFileBytes(settings, writeSettings(stored)));
        startCapturingStderr(errors);
        pakCache().baseDirectory = data + "/";
        ASSERT_TRUE(startUpForTest(settings));
        passes(2);
    }
    void turn(bool forward, bool byKey) {
        if (byKey) {
            pushKey(forward ? SDLK_RIGHT : SDLK_LEFT);
            passes(2);
        } else {
            ASSERT_TRUE(clickOn(pageArrow(forward)));
            passes(1);
        }
    }
    // Quits through the real exit and lets the tree come down, then checks
    // that no page archive or picture is still held.
    void quitAndCheckNothingHeld() {
        saveSettingsAndQuit();
        for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
        ASSERT_FALSE(running());
        EXPECT_EQ(liveTextureCount(), 0);
        for (const ColoringPage& page : pageTable) EXPECT_EQ(cacheReferences(page.archive), 0) << page.archive;
    }
    std::string stderrText() { return stopCapturingStderr(errors); }
    void TearDown() override {
        shutDownForTest();
        stderrText();
        pakCache().baseDirectory = savedBase;
    }
};

// Page 5, shown last, is cut short; page 6's paper picture does not decode, so
// it fails part-way, after its cover picture was already taken.
TEST_F(DamagedPage, ItIsPassedOverAndItsPaintingsKept) {
    linkArchivesExcept({"page05.pak", "page06.pak"});
    std::vector<uint8_t> page5 = readFileBytes(dataDir() + "/page05.pak");
    page5.resize(page5.size() / 2);
    ASSERT_TRUE(writeFileBytes(data + "/page05.pak", page5));
    ASSERT_TRUE(writeArchiveWithBrokenPicture(data, "page06.pak", "paper.png"));

    std::vector<ElementColorRecord> list5 = paintedRecords(4);
    start(5, list5);
    EXPECT_EQ(currentPageNumber(), 7);
    ASSERT_NE(book().pageHolder, nullptr);
    EXPECT_EQ(book().pageHolder->children.size(), 32u);  // the block and 31 regions
    EXPECT_EQ(cacheReferences("page05.pak"), 0);
    EXPECT_EQ(cacheReferences("page06.pak"), 0);
    EXPECT_EQ(textureReferences("page06.pak", "cover.png"), 0);

    turn(false, true);
    EXPECT_EQ(currentPageNumber(), 4);
    turn(true, false);
    EXPECT_EQ(currentPageNumber(), 7);
    turn(false, false);
    EXPECT_EQ(currentPageNumber(), 4);
    turn(true, true);
    EXPECT_EQ(currentPageNumber(), 7);
    EXPECT_EQ(cacheReferences("page06.pak"), 0);
    EXPECT_EQ(textureReferences("page06.pak", "cover.png"), 0);

    quitAndCheckNothingHeld();
    std::string text = stderrText();
    std::string folder = data + "/";
    EXPECT_EQ(occurrences(text, "quillmead: skipping page 5: cannot open \"page05.pak\" in " + folder +
                                    ": the file is damaged"),
              1)
        << text;
    EXPECT_EQ(occurrences(text, "quillmead: skipping page 6: cannot open \"page06.pak\" in " + folder +
                                    ": the file is damaged (picture \"paper.png\" cannot be read)\n"),
              1)
        << text;
    EXPECT_EQ(occurrences(text, "skipping"), 2) << text;

    std::vector<uint8_t> saved = readFileBytes(settings);
    Settings read;
    ASSERT_TRUE(readSettings(read, saved.data(), saved.size()));
    ASSERT_GE(read.pages.currentList, 0);
    EXPECT_EQ(read.pages.pageKeys[size_t(read.pages.currentList)], 7);
    EXPECT_TRUE(contains(saved, pageBlock(5, list5)));
}

// With no page that can be shown the desk stays up without one, the arrows do
// nothing, and every page's paintings are kept.
TEST_F(DamagedPage, WithEveryPageDamagedTheDeskHasNoPage) {
    std::vector<std::string> pages;
    for (const ColoringPage& page : pageTable) pages.push_back(page.archive);
    linkArchivesExcept(pages);
    for (const std::string& name : pages) ASSERT_TRUE(writeFileBytes(data + "/" + name, {7, 0, 0, 0, 3}));

    std::vector<ElementColorRecord> list9 = paintedRecords(2);
    start(9, list9);
    ASSERT_NE(book().pageHolder, nullptr);
    EXPECT_TRUE(book().pageHolder->children.empty());
    EXPECT_EQ(currentPageNumber(), 0);
    turn(true, true);
    turn(false, false);
    EXPECT_EQ(currentPageNumber(), 0);

    quitAndCheckNothingHeld();
    std::string text = stderrText();
    EXPECT_EQ(occurrences(text, "skipping page"), kPageCount) << text;
    EXPECT_EQ(occurrences(text, "skipping page 9: cannot open \"page09.pak\""), 1) << text;
    std::vector<uint8_t> saved = readFileBytes(settings);
    EXPECT_TRUE(contains(saved, pageBlock(9, list9)));
}

}  // namespace
