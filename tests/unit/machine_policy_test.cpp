// The machine's policy: every key read, refused values taking their most
// restrictive reading with the file and line named, an unreadable file locked
// down, and what it does to the command line.
#include <gtest/gtest.h>

#include "app/machine_policy.h"
#include "app/options.h"
#include "base/platform.h"
#include "support/test_support.h"

namespace {

std::string writePolicy(const std::string& text) {
    std::string path = makeTempDir("qm_policy") + "/policy.conf";
    writeFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    return path;
}

}  // namespace

TEST(MachinePolicy, NoFileIsNoPolicy) {
    MachinePolicy p = readMachinePolicy(makeTempDir("qm_policy") + "/none.conf");
    EXPECT_FALSE(p.present);
    EXPECT_FALSE(p.kiosk);
    EXPECT_TRUE(p.exports);
    EXPECT_TRUE(p.parentsLink);
    EXPECT_EQ(p.language, -1);
    EXPECT_EQ(p.sounds, PolicySwitch::free);
}

TEST(MachinePolicy, EveryKey) {
    std::string path = writePolicy("# classroom 3\nkiosk = on\nparents_link = off\nclear_all = no\nlanguage = ru\n"
                                   "profiles = on\nanimals = 6\nexports = off\nsounds = off\nmusic = on\n");
    testing::internal::CaptureStderr();
    MachinePolicy p = readMachinePolicy(path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(p.present);
    EXPECT_EQ(p.path, path);
    EXPECT_TRUE(p.kiosk);
    EXPECT_FALSE(p.parentsLink);
    EXPECT_FALSE(p.clearAll);
    EXPECT_EQ(p.language, 3);
    EXPECT_EQ(p.profiles, PolicySwitch::forcedOn);
    EXPECT_EQ(p.animals, 6);
    EXPECT_FALSE(p.exports);
    EXPECT_EQ(p.sounds, PolicySwitch::forcedOff);
    EXPECT_EQ(p.music, PolicySwitch::forcedOn);
}

TEST(MachinePolicy, RefusedValuesAreNamedAndLockDown) {
    std::string path = writePolicy("kiosk = sometimes\nexports = maybe\nanimals = 13\nlanguage = it\n"
                                   "sounds = loud\nwallpaper = red\n");
    testing::internal::CaptureStderr();
    MachinePolicy p = readMachinePolicy(path);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(p.kiosk);
    EXPECT_FALSE(p.exports);
    EXPECT_EQ(p.animals, 0);
    EXPECT_EQ(p.language, -1);
    EXPECT_EQ(p.sounds, PolicySwitch::forcedOff);
    for (const char* line : {":1: kiosk needs on or off, not \"sometimes\"; taken as on",
                             ":2: exports needs on or off, not \"maybe\"; taken as off",
                             ":3: animals needs a number of animals from 1 to 12, not \"13\"",
                             ":4: language needs a language: en, de, es, ru or fr, not \"it\"",
                             ":5: sounds needs on or off, not \"loud\"; taken as off",
                             ":6: unknown setting \"wallpaper\", ignored"})
        EXPECT_NE(said.find(path + line), std::string::npos) << line << "\n" << said;
}

TEST(MachinePolicy, UnreadableFileGetsTheRestrictiveReading) {
    std::string folder = makeTempDir("qm_policy") + "/policy.conf";
    std::string why;
    ASSERT_TRUE(makeFolders(folder, true, why)) << why;
    testing::internal::CaptureStderr();
    MachinePolicy p = readMachinePolicy(folder);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(p.present);
    EXPECT_TRUE(p.kiosk);
    EXPECT_FALSE(p.parentsLink);
    EXPECT_FALSE(p.clearAll);
    EXPECT_FALSE(p.exports);
    EXPECT_EQ(p.sounds, PolicySwitch::forcedOff);
    EXPECT_EQ(p.music, PolicySwitch::forcedOff);
    EXPECT_NE(said.find(folder + ": the policy cannot be read, so its most restrictive reading holds"),
              std::string::npos)
        << said;
}

TEST(MachinePolicy, WinsOverTheCommandLine) {
    MachinePolicy saved = machinePolicy;
    machinePolicy = MachinePolicy();
    machinePolicy.present = true;
    machinePolicy.path = "/etc/quillmead/policy.conf";
    machinePolicy.language = 1;
    machinePolicy.exports = false;
    Options options;
    options.language = 4;
    std::string why;
    EXPECT_TRUE(applyPolicyToOptions(options, why));
    EXPECT_EQ(options.language, 1);
    for (int i = 0; i < 3; ++i) {
        Options exporting;
        if (i == 0) exporting.exportFolder = "/tmp/x";
        if (i == 1) exporting.pdfFile = "/tmp/x.pdf";
        if (i == 2) exporting.print = true;
        EXPECT_FALSE(applyPolicyToOptions(exporting, why));
        EXPECT_NE(why.find("is turned off on this computer by /etc/quillmead/policy.conf"), std::string::npos);
    }
    machinePolicy = saved;
}

TEST(MachinePolicy, FixesHowTheChildPlays) {
    std::string path = writePolicy("access = switch1\nscan-time = 2.5\ndwell-time = 9\nreduced-motion = on\n");
    testing::internal::CaptureStderr();
    MachinePolicy p = readMachinePolicy(path);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path + ":3: dwell-time needs seconds from 0.3 to 5, not \"9\"; left to the user"),
              std::string::npos)
        << said;
    MachinePolicy saved = machinePolicy;
    machinePolicy = p;
    // What the user's access file and the command line chose, then the policy over it.
    AccessSettings settings;
    settings.method = AccessMethod::dwell;
    settings.scanMs = 1000;
    settings.dwellMs = 700;
    settings.reducedMotion = false;
    applyPolicyToAccess(settings);
    EXPECT_EQ(settings.method, AccessMethod::switch1);
    EXPECT_EQ(settings.scanMs, 2500u);
    EXPECT_EQ(settings.dwellMs, 700u);
    EXPECT_TRUE(settings.reducedMotion);
    // No policy: the user's choice stands.
    machinePolicy = MachinePolicy();
    AccessSettings untouched = settings;
    applyPolicyToAccess(untouched);
    EXPECT_EQ(untouched.method, settings.method);
    EXPECT_EQ(untouched.scanMs, settings.scanMs);
    machinePolicy = saved;
}
