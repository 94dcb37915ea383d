// Damaged screen archives never end the program: a damaged language archive
// gives way to English, a damaged English archive costs the help screen its
// background, a damaged common archive leaves the screens closed with the
// button's sound only and the exit question gives way to a second Escape, and
// stderr names each file once. Through the real loop, three starts with copies
// of the build's archives, some of them damaged, German chosen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
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

bool has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Every archive name any node under root holds.
void archivesUnder(const SceneNode* root, std::vector<std::string>& names) {
    for (const std::string& name : root->pakNames)
        if (!has(names, name)) names.push_back(name);
    for (const SceneNode* child : root->children) archivesUnder(child, names);
}

// Text with the reasons in brackets taken out (they follow the archives' contents).
std::string withoutReasons(const std::string& text) {
    return std::regex_replace(text, std::regex(" \\([^)]*\\)"), "");
}

struct DamagedScreens : ::testing::Test {
    std::string data, settings = makeTempDir("qm_screens_cfg") + "/velvadine_quillmead_cfg";
    std::string savedBase = pakCache().baseDirectory;
    StderrCapture errors;

    // The build's archives linked into a fresh folder, those in cut at half
    // their length, flipped with one picture's bytes turned over; then the real
    // start in German with the help screen at start.
    void start(const std::vector<std::string>& cut, const std::string& flipped = "") {
        data = makeTempDir("qm_screens_data") + "/";
        for (const std::string& name : folderEntries(dataDir())) {
            std::string from = dataDir() + "/" + name;
            PakArchive archive;
            if (name == flipped && pakOpen(archive, from.c_str())) {
                auto png = std::find_if(archive.entries.begin(), archive.entries.end(),
                                        [](const PakEntry& e) { return e.name.find(".png") != std::string::npos; });
                ASSERT_NE(png, archive.entries.end()) << name;
                for (size_t i = png->data.size() / 2; i < png->data.size() / 2 + 16; ++i) png->data[i] ^= 0xa5;
                ASSERT_TRUE(pakSave(archive, (data + name).c_str()));
            } else if (has(cut, name)) {
                std::vector<uint8_t> bytes = readFileBytes(from);
                bytes.resize(bytes.size() / 2);
                ASSERT_TRUE(writeFileBytes(data + name, bytes));
            } else {
                ASSERT_EQ(symlink(from.c_str(), (data + name).c_str()), 0) << name;
            }
        }
        Settings stored;
        stored.showHelpAtStart = true;
        stored.language = 1;
        ASSERT_TRUE(writeFileBytes(settings, writeSettings(stored)));
        startCapturingStderr(errors);
        pakCache().baseDirectory = data;
        TestStart how;
        how.startUpHelp = true;
        ASSERT_TRUE(startUpForTest(settings, how));
        passes(3);
    }
    void press(SDLKey key) {
        pushKey(key);
        passes(3);
    }
    // The open screen is built from every archive in wanted and none in unwanted.
    void expectScreenFrom(const std::vector<std::string>& wanted, const std::vector<std::string>& unwanted) {
        ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
        std::vector<std::string> names;
        archivesUnder(modalHolder(ModalLevel::screen), names);
        for (const std::string& name : wanted) EXPECT_TRUE(has(names, name)) << name;
        for (const std::string& name : unwanted) EXPECT_FALSE(has(names, name)) << name;
    }
    // What stderr said since the start; the program is shut down.
    std::string end() {
        std::string text = stopCapturingStderr(errors);
        shutDownForTest();
        pakCache().baseDirectory = savedBase;
        return text;
    }
    void TearDown() override { end(); }
};

TEST_F(DamagedScreens, EveryScreenOpensOrAnswersAndTheProgramGoesOn) {
    // German cut in half: the help screen at start, the help again and the
    // exit question are all built from the English archives.
    start({"langde.pak", "plangde.pak"});
    expectScreenFrom({"langen.pak", "plangen.pak"}, {"langde.pak", "plangde.pak"});
    press(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_F1);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);  // the exit question
    expectScreenFrom({"langen.pak", "langall.pak"}, {"langde.pak"});
    press(SDLK_ESCAPE);  // No: back to painting
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(running());
    std::string text = end();
    const std::string english = ": the file is damaged; the screens are shown in English\n";
    EXPECT_EQ(withoutReasons(text), "quillmead: cannot open \"langde.pak\" in " + data + english +
                                        "quillmead: cannot open \"plangde.pak\" in " + data + english);

    // The English archive cut short: the German screens open, the help screen
    // without its background.
    start({"langen.pak"});
    expectScreenFrom({"langde.pak"}, {"langen.pak"});
    press(SDLK_ESCAPE);
    press(SDLK_ESCAPE);
    expectScreenFrom({"langde.pak", "langall.pak"}, {"langen.pak"});
    press(SDLK_ESCAPE);
    EXPECT_TRUE(running());
    text = end();
    EXPECT_EQ(withoutReasons(text), "quillmead: cannot open \"langen.pak\" in " + data +
                                        ": the file is damaged; the help screen is shown without its background\n");

    // A picture of the common archive turned over and German cut short: no
    // screen opens, at start or on any key, each press answers with the
    // button's sound, and a second Escape within two seconds saves and quits.
    start({"langde.pak"}, "langall.pak");
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    silenceChannels();
    press(SDLK_F1);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_GE(channelsPlaying("button.wav"), 1);
    switches().musicOn = !switches().musicOn;  // something to save
    press(SDLK_ESCAPE);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_TRUE(running());
    press(SDLK_ESCAPE);
    for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
    EXPECT_FALSE(running());
    std::vector<uint8_t> saved = readFileBytes(settings);
    Settings read;
    ASSERT_TRUE(readSettings(read, saved.data(), saved.size()));
    EXPECT_EQ(read.musicOn, switches().musicOn);
    EXPECT_EQ(read.language, 1);
    text = end();
    EXPECT_EQ(withoutReasons(text), "quillmead: cannot open \"langde.pak\" in " + data + english +
                                        "quillmead: cannot open \"langall.pak\" in " + data +
                                        ": the file is damaged; the screens cannot be opened\n");
    EXPECT_EQ(occurrences(text, "\"langall.pak\" in " + data + ": the file is damaged (picture"), 1) << text;
}

}  // namespace
