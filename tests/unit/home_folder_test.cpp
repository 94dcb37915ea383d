// The home folder is found by one rule everywhere it is needed (the settings
// folder, the pictures folder): an absolute HOME, else the user's entry in the
// password database. A relative or empty HOME would put the paintings wherever
// the program happened to be started.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/keep_page.h"
#include "base/platform.h"
#include "support/test_support.h"

namespace {

struct SavedVariable {
    const char* name;
    bool set;
    std::string value;
    explicit SavedVariable(const char* n) : name(n), set(std::getenv(n) != nullptr), value(set ? std::getenv(n) : "") {}
    ~SavedVariable() {
        if (set)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    }
};

}  // namespace

TEST(HomeFolder, ARelativeOrEmptyHomeIsPassedOverForTheUsersEntry) {
    SavedVariable home("HOME"), config("XDG_CONFIG_HOME"), data("XDG_DATA_HOME");
    const passwd* entry = getpwuid(getuid());
    ASSERT_TRUE(entry && entry->pw_dir && entry->pw_dir[0] == '/');
    const std::string own = entry->pw_dir;
    // No user-dirs.dirs to read: the pictures folder is HOME/Pictures.
    std::string config_folder = makeTempDir("qm_home");
    setenv("XDG_CONFIG_HOME", config_folder.c_str(), 1);
    unsetenv("XDG_DATA_HOME");

    for (const char* value : {"relative/home", "", ".", "~"}) {
        setenv("HOME", value, 1);
        EXPECT_EQ(homeFolder(), own) << "HOME=" << value;
        EXPECT_EQ(picturesFolder(), own + "/Pictures") << "HOME=" << value;
        EXPECT_EQ(userPicturesFolder(), picturesFolder());
    }
    unsetenv("HOME");
    EXPECT_EQ(homeFolder(), own);

    std::string absolute = makeTempDir("qm_home_abs");
    setenv("HOME", absolute.c_str(), 1);
    EXPECT_EQ(homeFolder(), absolute);
    EXPECT_EQ(picturesFolder(), absolute + "/Pictures");
    EXPECT_EQ(defaultSettingsPath(), absolute + "/.local/share/velvadine_quillmead_cfg");
}
#endif  // !_WIN32
