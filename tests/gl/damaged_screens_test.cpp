// Damaged screen archives never end the program: a damaged language archive
// gives way to English, a damaged English or common archive leaves the screens
// closed with the button's sound only, the exit question that cannot be built
// gives way to a second Escape, and stderr names each file once. Through the
// real loop, with copies of the build's archives, some of them damaged.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/shell.h"
#include "engine/modal.h"
#include "engine/switches.h"
#include "resources/pak.h"
#include "screens/screen_state.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/stderr_capture.h"
#include "support/test_support.h"

namespace {

// Every archive name any node under root holds.
void archivesUnder(const SceneNode* root, std::vector<std::string>& names) {
    for (const std::string& name : root->pakNames)
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    for (const SceneNode* child : root->children) archivesUnder(child, names);
}

bool uses(const std::vector<std::string>& names, const char* archive) {
    return std::find(names.begin(), names.end(), archive) != names.end();
}

struct DamagedScreens : ::testing::Test {
    std::string data = makeTempDir("qm_screens_data");
    std::string settings = makeTempDir("qm_screens_cfg") + "/velvadine_quillmead_cfg";
    std::string savedBase = pakCache.baseDirectory;
    StderrCapture errors;

    // The build's archives linked, the named ones cut to half their length or
    // with one picture's bytes turned over.
    void prepare(const std::vector<std::string>& cut, const std::vector<std::string>& flipped) {
        for (const std::string& name : folderEntries(dataDir())) {
            bool own = std::find(cut.begin(), cut.end(), name) != cut.end() ||
                       std::find(flipped.begin(), flipped.end(), name) != flipped.end();
            if (own) continue;
            ASSERT_EQ(symlink((dataDir() + "/" + name).c_str(), (data + "/" + name).c_str()), 0) << name;
        }
        for (const std::string& name : cut) {
            std::vector<uint8_t> bytes = readFileBytes(dataDir() + "/" + name);
            bytes.resize(bytes.size() / 2);
            ASSERT_TRUE(writeFileBytes(data + "/" + name, bytes));
        }
        for (const std::string& name : flipped) {
            PakArchive archive;
            ASSERT_TRUE(pakOpen(archive, (dataDir() + "/" + name).c_str()));
            bool done = false;
            for (PakEntry& entry : archive.entries) {
                if (done || entry.name.find(".png") == std::string::npos) continue;
                for (size_t i = entry.data.size() / 2; i < entry.data.size() / 2 + 16; ++i) entry.data[i] ^= 0xa5;
                done = true;
            }
            ASSERT_TRUE(done) << name;
            ASSERT_TRUE(pakSave(archive, (data + "/" + name).c_str()));
        }
    }
    void start(int32_t language, bool helpAtStart) {
        Settings stored;
        stored.showHelpAtStart = helpAtStart;
        stored.language = language;
        ASSERT_TRUE(writeFileBytes(settings, writeSettings(stored)));
        startCapturingStderr(errors);
        pakCache.baseDirectory = data + "/";
        TestStart how;
        how.startUpHelp = helpAtStart;
        ASSERT_TRUE(startUpForTest(settings, how));
        passes(3);
    }
    void press(SDLKey key) {
        pushKey(key);
        passes(3);
    }
    std::vector<std::string> screenArchives() {
        std::vector<std::string> names;
        if (SceneNode* holder = modalHolder(ModalLevel::screen)) archivesUnder(holder, names);
        return names;
    }
    std::string stderrText() { return stopCapturingStderr(errors); }
    void TearDown() override {
        shutDownForTest();
        stderrText();
        pakCache.baseDirectory = savedBase;
    }
};

// German cut in half: the help screen at start, the help again and the exit
// question are all built from the English archives, and the German one is
// named once.
TEST_F(DamagedScreens, ADamagedLanguageGivesWayToEnglish) {
    prepare({"langde.pak", "plangde.pak"}, {});
    start(1, true);
    ASSERT_TRUE(running());
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    std::vector<std::string> help = screenArchives();
    EXPECT_TRUE(uses(help, "langen.pak") && uses(help, "plangen.pak"));
    EXPECT_FALSE(uses(help, "langde.pak") || uses(help, "plangde.pak"));

    press(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_F1);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);  // the exit question
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    std::vector<std::string> exit = screenArchives();
    EXPECT_TRUE(uses(exit, "langen.pak") && uses(exit, "langall.pak"));
    EXPECT_FALSE(uses(exit, "langde.pak"));
    press(SDLK_ESCAPE);  // No: back to painting
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(running());

    std::string text = stderrText();
    std::string folder = data + "/";
    EXPECT_EQ(occurrences(text, "quillmead: cannot open \"langde.pak\" in " + folder + ": the file is damaged"), 1)
        << text;
    EXPECT_EQ(occurrences(text, "quillmead: cannot open \"plangde.pak\" in " + folder + ": the file is damaged"), 1)
        << text;
    EXPECT_EQ(occurrences(text, "; the screens are shown in English\n"), 2) << text;
    EXPECT_EQ(occurrences(text, "\n"), 2) << text;
}

// The English archive cut short while German is shown: the German screens
// open, the help screen without its background, and the program goes on.
TEST_F(DamagedScreens, ADamagedEnglishArchiveCostsOnlyTheHelpBackground) {
    prepare({"langen.pak"}, {});
    start(1, true);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    std::vector<std::string> help = screenArchives();
    EXPECT_TRUE(uses(help, "langde.pak"));
    EXPECT_FALSE(uses(help, "langen.pak"));
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_ESCAPE);
    EXPECT_TRUE(running());
    std::string text = stderrText();
    EXPECT_EQ(occurrences(text, "\"langen.pak\""), 1) << text;
    EXPECT_EQ(occurrences(text, "the help screen is shown without its background\n"), 1) << text;
}

// A picture of the common archive turned over and German cut short: no screen
// opens, at start or on any key, each press answers with the button's sound,
// and a second Escape within two seconds saves and ends the program.
TEST_F(DamagedScreens, WithoutTheCommonArchiveNoScreenOpensAndEscapeTwiceQuits) {
    prepare({"langde.pak"}, {"langall.pak"});
    start(1, true);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_TRUE(running());

    silenceChannels();
    press(SDLK_F1);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_GE(channelsPlaying("button.wav"), 1);
    switches.musicOn = !switches.musicOn;  // something to save

    press(SDLK_ESCAPE);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_TRUE(running());
    press(SDLK_ESCAPE);
    for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
    EXPECT_FALSE(running());

    std::vector<uint8_t> saved = readFileBytes(settings);
    Settings read;
    ASSERT_TRUE(readSettings(read, saved.data(), saved.size()));
    EXPECT_EQ(read.musicOn, switches.musicOn);
    EXPECT_EQ(read.language, 1);

    std::string text = stderrText();
    std::string folder = data + "/";
    EXPECT_EQ(occurrences(text, "cannot open \"langde.pak\" in " + folder), 1) << text;
    EXPECT_EQ(occurrences(text, "cannot open \"langall.pak\" in " + folder + ": the file is damaged (picture"), 1)
        << text;
    EXPECT_EQ(occurrences(text, "; the screens cannot be opened\n"), 1) << text;
}

}  // namespace
