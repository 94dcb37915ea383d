// The rules of the access methods that need no window: scanning over groups,
// a held switch, where a target shows, reading order, and the adult's
// configuration file and options.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/access_config.h"
#include "app/options.h"
#include "engine/access_scan.h"
#include "engine/target_spots.h"
#include "engine/targets.h"
#include "support/test_support.h"

namespace {

const std::vector<int32_t> kDesk = {9, 5, 23, 2, 3};  // paints, palette, page, arrows, corners

std::string writeConfig(const std::string& text) {
    std::string path = makeTempDir("qm_access_conf") + "/access.conf";
    writeFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    return path;
}

}  // namespace

TEST(AccessScan, TwoSwitchesStepGroupsEnterOneAndComeBackToItAfterActing) {
    ScanCursor c;
    restartScan(c, kDesk);
    EXPECT_EQ(stepScan(c, kDesk, 1), ScanOutcome::moved);  // the first press shows the focus
    EXPECT_TRUE(c.shown);
    EXPECT_FALSE(c.inGroup);
    EXPECT_EQ(c.group, 0);
    stepScan(c, kDesk, 1);
    stepScan(c, kDesk, 1);
    EXPECT_EQ(c.group, 2);
    EXPECT_EQ(selectScan(c, kDesk), ScanOutcome::moved);  // into the page
    EXPECT_TRUE(c.inGroup);
    EXPECT_EQ(c.item, 0);
    for (int i = 0; i < 5; ++i) stepScan(c, kDesk, 1);
    EXPECT_EQ(c.item, 5);
    EXPECT_EQ(selectScan(c, kDesk), ScanOutcome::act);
    afterScanAct(c, kDesk);
    EXPECT_FALSE(c.inGroup);
    EXPECT_EQ(c.group, 2);  // on the group just used
    // Past the last item: back up to the groups, on the same group.
    selectScan(c, kDesk);
    for (int i = 0; i < 23; ++i) stepScan(c, kDesk, 1);
    EXPECT_FALSE(c.inGroup);
    EXPECT_EQ(c.group, 2);
    // The groups go round.
    stepScan(c, kDesk, 1);
    stepScan(c, kDesk, 1);
    stepScan(c, kDesk, 1);
    EXPECT_EQ(c.group, 0);
}

TEST(AccessScan, OneSwitchLeavesAGroupScannedTwiceWithoutASelection) {
    ScanCursor c;
    c.shown = true;
    selectScan(c, kDesk);  // into the paints
    ASSERT_TRUE(c.inGroup);
    for (int i = 0; i < 9; ++i) stepScan(c, kDesk, 2);
    EXPECT_TRUE(c.inGroup);  // once round: again from the first jar
    EXPECT_EQ(c.item, 0);
    for (int i = 0; i < 8; ++i) stepScan(c, kDesk, 2);
    EXPECT_TRUE(c.inGroup);
    EXPECT_EQ(c.item, 8);
    stepScan(c, kDesk, 2);
    EXPECT_FALSE(c.inGroup);  // twice round: back to the groups
    EXPECT_EQ(c.group, 0);
}

TEST(AccessScan, AnOpenScreenIsTheOnlyGroupAndItsItemsGoRound) {
    const std::vector<int32_t> screen = {3};
    ScanCursor c;
    restartScan(c, screen);
    c.shown = true;
    EXPECT_TRUE(c.inGroup);
    stepScan(c, screen, 1);
    stepScan(c, screen, 1);
    EXPECT_EQ(c.item, 2);
    stepScan(c, screen, 1);
    EXPECT_TRUE(c.inGroup);
    EXPECT_EQ(c.item, 0);
    EXPECT_EQ(selectScan(c, screen), ScanOutcome::act);
    afterScanAct(c, screen);
    EXPECT_TRUE(c.inGroup);
}

TEST(AccessScan, TabWalksEveryTargetBothWaysAndWraps) {
    ScanCursor c;
    EXPECT_EQ(tabScan(c, kDesk, -1), ScanOutcome::moved);  // the first Shift+Tab: the last target
    EXPECT_EQ(c.group, 4);
    EXPECT_EQ(c.item, 2);
    tabScan(c, kDesk, 1);
    EXPECT_EQ(c.group, 0);
    EXPECT_EQ(c.item, 0);
    for (int i = 0; i < 9 + 5 + 3; ++i) tabScan(c, kDesk, 1);
    EXPECT_EQ(c.group, 2);
    EXPECT_EQ(c.item, 3);
    tabScan(c, kDesk, -1);
    EXPECT_EQ(c.item, 2);
    EXPECT_EQ(tabScan(c, {}, 1), ScanOutcome::none);
}

TEST(AccessScan, TargetsThatWentKeepTheCursorInsideTheList) {
    ScanCursor c;
    c.shown = c.inGroup = true;
    c.group = 4;
    c.item = 2;
    clampScan(c, {9, 5, 23, 2});
    EXPECT_EQ(c.group, 3);
    EXPECT_EQ(c.item, 1);
    clampScan(c, {});
    EXPECT_EQ(c.group, 0);
    EXPECT_EQ(stepScan(c, {}, 1), ScanOutcome::none);
    EXPECT_EQ(selectScan(c, {}), ScanOutcome::none);
}

TEST(AccessScan, AHeldSwitchRepeatsNoFasterThanTheScanPeriod) {
    SwitchGate gate;
    EXPECT_TRUE(acceptSwitchPress(gate, 1000, false, 1500));
    // The keyboard repeats every 30 ms while held: nothing until a period has passed.
    int accepted = 0;
    for (uint32_t t = 1030; t < 4000; t += 30) accepted += acceptSwitchPress(gate, t, true, 1500);
    EXPECT_EQ(accepted, 1);  // at 2500
    // Let go and pressed again: counts at once.
    EXPECT_TRUE(acceptSwitchPress(gate, 4010, false, 1500));
}

TEST(TargetSpots, ACrescentsSpotIsInsideItNotAtItsBoxCentre) {
    // A crescent: a disc of radius 20 less a disc of radius 18 moved right by 8.
    const int w = 60, h = 60;
    std::vector<int32_t> ids(w * h, -1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int dx = x - 30, dy = y - 30, ex = x - 38;
            if (dx * dx + dy * dy <= 400 && ex * ex + dy * dy > 324) ids[size_t(y * w + x)] = 0;
        }
    std::vector<TargetSpot> spots;
    spotsFromIdPicture(ids, w, h, 1, spots);
    ASSERT_TRUE(spots[0].shown);
    EXPECT_EQ(ids[size_t(spots[0].y * w + spots[0].x)], 0);
    int cx = (spots[0].x0 + spots[0].x1) / 2, cy = (spots[0].y0 + spots[0].y1) / 2;
    EXPECT_EQ(ids[size_t(cy * w + cx)], -1);  // the box's centre is outside it
    EXPECT_LT(spots[0].x, 20);                // in the thick middle of the crescent
}

TEST(TargetSpots, TheLargestVisiblePartWinsAndHiddenNodesDoNotShow) {
    // Node 0 in two parts split by node 1: a 10x10 one and a 30x20 one; node 2 nowhere.
    const int w = 50, h = 20;
    std::vector<int32_t> ids(w * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 10; x < 20; ++x) ids[size_t(y * w + x)] = 1;
    for (int y = 10; y < h; ++y)
        for (int x = 0; x < 10; ++x) ids[size_t(y * w + x)] = -1;
    std::vector<TargetSpot> spots;
    spotsFromIdPicture(ids, w, h, 3, spots);
    ASSERT_TRUE(spots[0].shown);
    EXPECT_GE(spots[0].x, 20);
    EXPECT_EQ(spots[0].area, 30 * 20);
    EXPECT_EQ(spots[0].x0, 20);
    EXPECT_EQ(spots[0].x1, 50);
    EXPECT_TRUE(spots[1].shown);
    EXPECT_EQ(spots[1].x0, 10);
    EXPECT_FALSE(spots[2].shown);
    // A picture of the wrong size shows nothing.
    spotsFromIdPicture(ids, w, h + 1, 3, spots);
    EXPECT_FALSE(spots[0].shown);
}

TEST(TargetOrder, ReadingOrderIsRowsTopToBottomEachLeftToRight) {
    std::vector<Target> targets(5);
    const int at[5][2] = {{300, 105}, {100, 110}, {200, 100}, {50, 300}, {400, 290}};
    for (int i = 0; i < 5; ++i) {
        targets[size_t(i)].group = i;  // names them
        targets[size_t(i)].spot.x = at[i][0];
        targets[size_t(i)].spot.y = at[i][1];
    }
    orderByReading(targets, 36);
    std::vector<int> order;
    for (const Target& t : targets) order.push_back(t.group);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3, 4}));
}

TEST(AccessConfig, TheFileChoosesTheMethodAndTimings) {
    AccessSettings s;
    testing::internal::CaptureStderr();
    readAccessConfig(writeConfig("# for Mia's head pointer\naccess = Dwell\ndwell-time = 1.25\nscan-time=2\n"
                                 "reduced-motion = on\n"),
                     s);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(s.method, AccessMethod::dwell);
    EXPECT_EQ(s.dwellMs, 1250u);
    EXPECT_EQ(s.scanMs, 2000u);
    EXPECT_TRUE(s.reducedMotion);
}

TEST(AccessConfig, BadValuesAreRefusedNamingTheLineAndUnknownKeysSaidOnce) {
    AccessSettings s;
    std::string path = writeConfig("access = switch3\nscan-time = 0.2\ndwell-time = soon\nspeed = 3\nspeed = 4\n"
                                   "reduced-motion = maybe\naccess = switch1\n");
    testing::internal::CaptureStderr();
    readAccessConfig(path, s);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path + ":1: access needs keys, switch2, switch1 or dwell, not \"switch3\""), std::string::npos)
        << said;
    EXPECT_NE(said.find(path + ":2: scan-time needs a number of seconds from 0.5 to 5, not \"0.2\""), std::string::npos)
        << said;
    EXPECT_NE(said.find(path + ":3: dwell-time needs a number of seconds from 0.3 to 5"), std::string::npos) << said;
    EXPECT_NE(said.find(":6: reduced-motion needs on or off"), std::string::npos) << said;
    EXPECT_EQ(said.find("speed"), said.rfind("speed"));  // once
    EXPECT_NE(said.find("speed"), std::string::npos);
    // The rest of the file still counts; refused lines leave the defaults.
    EXPECT_EQ(s.method, AccessMethod::switch1);
    EXPECT_EQ(s.scanMs, 1500u);
    EXPECT_EQ(s.dwellMs, 1000u);
    EXPECT_FALSE(s.reducedMotion);
}

TEST(AccessConfig, AFolderAHugeFileOrBinaryIsOneLineAndTheDefaults) {
    std::string folder = makeTempDir("qm_access_folder");
    std::string huge(200 * 1024, 'a');
    std::string binary("access = dwell\n\x00\x01\x02\xff", 18);
    for (const std::string& path : {folder, writeConfig(huge), writeConfig(binary)}) {
        AccessSettings s;
        testing::internal::CaptureStderr();
        readAccessConfig(path, s);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(path), std::string::npos);
        EXPECT_EQ(s.method, AccessMethod::keys);
    }
    // No file: nothing said.
    AccessSettings s;
    testing::internal::CaptureStderr();
    readAccessConfig(folder + "/none.conf", s);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(AccessConfig, TheCommandLineWinsOverTheFile) {
    const char* argv[] = {"quillmead", "--access", "switch2", "--scan-time=0.75", "--dwell-time", "3"};
    Options options;
    std::string why;
    ASSERT_TRUE(parseOptions(6, argv, options, why)) << why;
    AccessSettings s;
    s.method = AccessMethod::dwell;
    s.reducedMotion = true;
    applyAccessOptions(options, s);
    EXPECT_EQ(s.method, AccessMethod::switch2);
    EXPECT_EQ(s.scanMs, 750u);
    EXPECT_EQ(s.dwellMs, 3000u);
    EXPECT_TRUE(s.reducedMotion);  // only the file says it
    const char* bad[][2] = {{"--access", "mouse"}, {"--scan-time", "6"}, {"--dwell-time", "1,5"}, {"--scan-time", ""}};
    for (auto& b : bad) {
        const char* args[] = {"quillmead", b[0], b[1]};
        EXPECT_FALSE(parseOptions(3, args, options, why)) << b[0] << " " << b[1];
        EXPECT_NE(why.find(b[0]), std::string::npos) << why;
    }
}

// POSIX only: the XDG folders (Windows keeps the file in AppData\Quillmead).
#ifndef _WIN32
TEST(AccessConfig, TheFileLivesInTheUsersConfigurationFolder) {
    std::string before = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_CONFIG_HOME", "/tmp/qm_cfg_home", 1);
    EXPECT_EQ(accessConfigPath(), "/tmp/qm_cfg_home/quillmead/access.conf");
    setenv("XDG_CONFIG_HOME", "relative/not/taken", 1);
    EXPECT_NE(accessConfigPath().find("/.config/quillmead/access.conf"), std::string::npos);
    if (before.empty())
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", before.c_str(), 1);
}
#endif  // !_WIN32

// The parents' guide explains every way in, in each of its five languages.
TEST(AccessGuide, EveryLanguageNamesEveryMethodAndTheFile) {
    std::vector<uint8_t> bytes = readFileBytes(dataDir() + "/guide.html");
    std::string page(bytes.begin(), bytes.end());
    ASSERT_FALSE(page.empty());
    auto count = [&](const std::string& word) {
        int n = 0;
        for (size_t at = page.find(word); at != std::string::npos; at = page.find(word, at + 1)) ++n;
        return n;
    };
    for (const char* word : {"<code>keys</code>", "<code>switch2</code>", "<code>switch1</code>", "<code>dwell</code>",
                             "<code>scan-time</code>", "<code>dwell-time</code>", "<code>reduced-motion = on</code>",
                             "<code>~/.config/quillmead/access.conf</code>"})
        EXPECT_EQ(count(word), 5) << word;
}
