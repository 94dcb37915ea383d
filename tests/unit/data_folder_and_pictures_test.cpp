// The options of an installed program, finding the data folder, and where and
// under which names pages are saved as pictures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/data_folder.h"
#include "app/export_book.h"
#include "app/keep_page.h"
#include "app/options.h"
#include "app/picture_files.h"
#include "support/test_support.h"

namespace {

bool parse(std::initializer_list<const char*> args, Options& o, std::string& why) {
    std::vector<const char*> argv{"quillmead"};
    argv.insert(argv.end(), args);
    return parseOptions(int(argv.size()), argv.data(), o, why);
}

TEST(Options, WindowSizeExportDataAndVersion) {
    Options o;
    std::string why;
    ASSERT_TRUE(parse({}, o, why));
    EXPECT_EQ(o.windowWidth, 0);
    EXPECT_EQ(o.pictureWidth, 3508);
    EXPECT_EQ(o.pictureHeight, 2480);
    EXPECT_TRUE(o.exportFolder.empty());
    ASSERT_TRUE(parse({"--window", "1280x720", "--size=1754x1240", "--export", "out", "--data=/d", "--version"}, o, why));
    EXPECT_EQ(o.windowWidth, 1280);
    EXPECT_EQ(o.windowHeight, 720);
    EXPECT_EQ(o.pictureWidth, 1754);
    EXPECT_EQ(o.pictureHeight, 1240);
    EXPECT_EQ(o.exportFolder, "out");
    EXPECT_EQ(o.dataFolder, "/d");
    EXPECT_TRUE(o.version);
    EXPECT_EQ(std::string(versionText()).rfind("quillmead ", 0), 0u);

    for (const char* size : {"1280", "1280x", "x720", "1280x720x1", "15x720", "1280x16385", "-5x5", "12 80x720", ""}) {
        EXPECT_FALSE(parse({"--window", size}, o, why)) << size;
        EXPECT_NE(why.find("--window needs a size"), std::string::npos) << why;
        EXPECT_FALSE(parse({"--size", size}, o, why)) << size;
    }
    EXPECT_FALSE(parse({"--export"}, o, why));
    EXPECT_FALSE(parse({"--export="}, o, why));
    EXPECT_FALSE(parse({"--data"}, o, why));
    EXPECT_FALSE(parse({"--windowed"}, o, why));
    EXPECT_NE(why.find("unknown option --windowed"), std::string::npos);
}

// POSIX paths; the Windows build has its own (tests/windows).
#ifndef _WIN32
TEST(DataFolder, PathsAreNormalisedLexically) {
    EXPECT_EQ(normalPath("/usr/bin/../share/quillmead"), "/usr/share/quillmead");
    EXPECT_EQ(normalPath("/a//b/./c/"), "/a/b/c");
    EXPECT_EQ(normalPath("/.."), "/");
    EXPECT_EQ(normalPath("a/../../b"), "../b");
    EXPECT_EQ(normalPath(""), ".");
}

TEST(DataFolder, GivenThenEnvironmentThenInstalledThenBesideTheProgram) {
    std::string root = makeTempDir("qm_datafolder");
    for (const char* folder : {"/prefix", "/prefix/bin", "/prefix/share", "/prefix/share/quillmead", "/build",
                               "/build/data", "/cwd"})
        mkdir((root + folder).c_str(), 0755);
    auto place = [&](const std::string& folder) { writeFileBytes(root + folder + "/interface.pak", {0, 0, 0, 0}); };
    DataFolderPlaces places;
    places.workingFolder = root + "/cwd";

    // An installed program finds its share folder from its own folder.
    places.programFolder = root + "/prefix/bin";
    EXPECT_EQ(chooseDataFolder(places), root + "/prefix/share/quillmead");  // none holds archives: the one to name
    place("/prefix/share/quillmead");
    EXPECT_EQ(chooseDataFolder(places), root + "/prefix/share/quillmead");
    // The build tree: the program beside its data folder, as `make run` has it.
    places.programFolder = root + "/build";
    place("/build/data");
    EXPECT_EQ(chooseDataFolder(places), root + "/build/data");
    place("/build");
    EXPECT_EQ(chooseDataFolder(places), root + "/build");
    // The working folder comes last.
    places.programFolder = root + "/cwd/elsewhere";
    place("/cwd");
    EXPECT_EQ(chooseDataFolder(places), root + "/cwd");
    // A named folder is taken as it is, relative ones from the working folder.
    places.environment = "../prefix/share/quillmead";
    EXPECT_EQ(chooseDataFolder(places), root + "/prefix/share/quillmead");
    places.given = "/nowhere";
    EXPECT_EQ(chooseDataFolder(places), "/nowhere");
}

#endif  // !_WIN32

TEST(DataFolder, TheFirstMissingArchiveIsNamed) {
    std::string folder = makeTempDir("qm_missing");
    EXPECT_EQ(firstMissingDataFile(folder), "interface.pak");
    EXPECT_EQ(firstMissingDataFile(dataDir()), "");
    std::vector<std::string> files = requiredDataFiles();
    ASSERT_EQ(files.size(), 1u + 21u + 2u + 1u + 5u + 5u);
    for (size_t i = 0; i < 10; ++i) writeFileBytes(folder + "/" + files[i], {0});
    EXPECT_EQ(firstMissingDataFile(folder), files[10]);
}

TEST(KeptPages, NamesCarryTheDateAndTimeAndExportNamesThePage) {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 8;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 7;
    EXPECT_EQ(keptPageName(when, 1), "quillmead-2026-12-08-09-05-07.png");
    EXPECT_EQ(keptPageName(when, 3), "quillmead-2026-12-08-09-05-07-3.png");
    EXPECT_EQ(exportFileName(7), "quillmead-page-07.png");
    EXPECT_EQ(exportFileName(21), "quillmead-page-21.png");
}

// POSIX paths; the Windows build has its own (tests/windows).
#ifndef _WIN32
TEST(KeptPages, ThePicturesFolderIsTheDesktopsOrPictures) {
    std::string home = makeTempDir("qm_home");
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    EXPECT_EQ(picturesFolder(), home + "/Pictures");
    mkdir((home + "/config").c_str(), 0755);
    std::ofstream(home + "/config/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                    << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                    << "XDG_PICTURES_DIR=\"$HOME/Bilder/\"\n";
    EXPECT_EQ(picturesFolder(), home + "/Bilder");
    std::ofstream(home + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"/srv/photos\"\n";
    EXPECT_EQ(picturesFolder(), "/srv/photos");
    // The home folder itself means the desktop has no pictures folder.
    std::ofstream(home + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/\"\n";
    EXPECT_EQ(picturesFolder(), home + "/Pictures");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", oldHome.c_str(), 1);
}

#endif  // !_WIN32

TEST(PictureFiles, FoldersAreMadeAndPicturesWrittenWhole) {
    std::string root = makeTempDir("qm_pictures");
    std::string why;
    ASSERT_TRUE(makeWritableFolder(root + "/a/b/c", why)) << why;
    writeFileBytes(root + "/file", {1});
    EXPECT_FALSE(makeWritableFolder(root + "/file/sub", why));
    EXPECT_FALSE(why.empty());

    std::vector<uint8_t> rgb(size_t(3) * 4 * 2, 200);
    ASSERT_TRUE(writePngFile(root + "/a/b/c/p.png", rgb, 4, 2, why)) << why;
    std::vector<uint8_t> png = readFileBytes(root + "/a/b/c/p.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[19], 4);  // width
    EXPECT_EQ(png[23], 2);  // height
    EXPECT_EQ(folderEntries(root + "/a/b/c"), std::vector<std::string>{"p.png"});
    EXPECT_FALSE(writePngFile(root + "/file/p.png", rgb, 4, 2, why));
    EXPECT_FALSE(writePngFile(root + "/x.png", rgb, 5, 2, why));  // rows that do not match the size
    EXPECT_EQ(folderEntries(root), (std::vector<std::string>{"a", "file"}));
}

}  // namespace
