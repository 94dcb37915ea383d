// Hand-written configuration files: what is taken, what is refused and said,
// and files that are not configuration at all.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/config_lines.h"
#include "support/test_support.h"

namespace {

std::string writeConfig(const std::string& text) {
    std::string path = makeTempDir("qm_config") + "/quillmead.conf";
    writeFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    return path;
}

}  // namespace

TEST(ConfigLines, KeysValuesCommentsAndLineNumbers) {
    std::string path = writeConfig("\xEF\xBB\xBF# a school's machine\n"
                                   "\n"
                                   "  Kiosk =  on  \r\n"
                                   "language=de\n"
                                   "no equals sign here\n"
                                   "bad key! = 3\n"
                                   "note = a # is kept inside a value\n"
                                   "empty =");
    std::vector<ConfigEntry> entries;
    testing::internal::CaptureStderr();
    ASSERT_EQ(readConfigFile(path, entries), ConfigReadResult::read);
    std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[0].key, "kiosk");
    EXPECT_EQ(entries[0].value, "on");
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_EQ(entries[1].value, "de");
    EXPECT_EQ(entries[2].value, "a # is kept inside a value");
    EXPECT_EQ(entries[3].line, 8);
    EXPECT_EQ(entries[3].value, "");
    EXPECT_NE(said.find(path + ":5: not a \"key = value\" line"), std::string::npos) << said;
    EXPECT_NE(said.find(path + ":6: \"bad key!\" is not a setting's name"), std::string::npos) << said;
}

TEST(ConfigLines, UnknownKeysAreSaidOnceEach) {
    std::vector<ConfigEntry> entries;
    parseConfigText("f.conf", "sound = on\ncolour = red\ncolour = blue\nmusic = off\n", entries);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(reportUnknownConfigKeys("f.conf", entries, {"sound", "music"}));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "quillmead: f.conf:2: unknown setting \"colour\", ignored\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(reportUnknownConfigKeys("f.conf", entries, {"sound", "music", "colour"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(ConfigLines, ValuesTakenAndRefused) {
    bool flag = false;
    EXPECT_TRUE(configBoolean("YES", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(configBoolean("off", flag));
    EXPECT_FALSE(flag);
    EXPECT_FALSE(configBoolean("maybe", flag));
    EXPECT_FALSE(flag);

    int64_t n = 7;
    EXPECT_TRUE(configInteger("12", 1, 12, n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(configInteger("13", 1, 12, n));
    EXPECT_FALSE(configInteger("0", 1, 12, n));
    EXPECT_FALSE(configInteger("3x", 1, 12, n));
    EXPECT_FALSE(configInteger("-", -5, 5, n));
    EXPECT_FALSE(configInteger("99999999999999999999999999", 0, 100, n));
    EXPECT_TRUE(configInteger("-5", -5, 5, n));
    EXPECT_EQ(n, -5);

    int32_t choice = -1;
    EXPECT_TRUE(configChoice("RU", {"en", "de", "es", "ru", "fr"}, choice));
    EXPECT_EQ(choice, 3);
    EXPECT_FALSE(configChoice("it", {"en", "de"}, choice));
    EXPECT_EQ(choice, 3);

    ConfigEntry entry;
    entry.line = 9;
    entry.key = "animals";
    entry.value = "fifty\x01";
    testing::internal::CaptureStderr();
    refuseConfigValue("/etc/x.conf", entry, "a number from 1 to 12", "kept at 12");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quillmead: /etc/x.conf:9: animals needs a number from 1 to 12, not \"fifty?\"; kept at 12\n");
}

TEST(ConfigLines, FilesThatAreNotConfiguration) {
    std::vector<ConfigEntry> entries;
    std::string folder = makeTempDir("qm_config");
    EXPECT_EQ(readConfigFile(folder + "/absent.conf", entries), ConfigReadResult::missing);

    // A folder, a FIFO (never waited on; Windows has none, its NUL device stands
    // in), a huge file and a binary file: one line each.
#ifdef _WIN32
    std::string fifo = "NUL";
#else
    std::string fifo = folder + "/fifo.conf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
#endif
    std::string huge = folder + "/huge.conf";
    writeFileBytes(huge, std::vector<uint8_t>(kConfigFileLimit + 1, 'a'));
    std::string binary = folder + "/binary.conf";
    writeFileBytes(binary, {'k', '=', 0, 'v'});
    for (const std::string& path : {folder, fifo, huge, binary}) {
        entries.push_back(ConfigEntry());
        testing::internal::CaptureStderr();
        EXPECT_EQ(readConfigFile(path, entries), ConfigReadResult::unreadable) << path;
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(entries.empty());
        EXPECT_EQ(said.find("quillmead: " + path + ": "), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
}
