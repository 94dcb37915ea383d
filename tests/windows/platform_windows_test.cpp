// The Windows platform layer, run under wine: where the settings live, reading
// byte for byte, replacing files, a folder at the settings path, and paths with
// drive letters and backslashes, the command line in every script, the notice of
// a second copy, and SDL.dll's version.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/book_claim.h"
#include "app/data_folder.h"
#include "app/settings_file.h"
#include "base/book_lock.h"
#include "base/command_line.h"
#include "base/file_keeping.h"
#include "base/gl.h"
#include "base/platform.h"
#include "resources/pak.h"
#include "support/test_support.h"

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every byte value, with the two a text-mode read would change: "\r\n" and 0x1a.
std::vector<uint8_t> everyByte() {
    std::vector<uint8_t> bytes = {'\r', '\n', 0x1a, '\r', '\r', '\n', 0, 0x1a};
    for (int i = 0; i < 256; ++i) bytes.push_back(uint8_t(i));
    return bytes;
}

}  // namespace

TEST(WindowsPlatform, SettingsLiveInTheUsersRoamingAppData) {
    std::string path = defaultSettingsPath();
    EXPECT_TRUE(endsWith(path, "\\AppData\\Roaming\\velvadine_quillmead_cfg")) << path;
    EXPECT_TRUE(isAbsolutePath(path)) << path;
    EXPECT_EQ(path.rfind("C:\\users\\", 0) == 0 || path.rfind("C:\\Users\\", 0) == 0, true) << path;
    // The pictures and the administrator's folder are the shell's, not AppData.
    EXPECT_FALSE(userPicturesFolder().empty());
    EXPECT_EQ(userPicturesFolder().find("AppData"), std::string::npos) << userPicturesFolder();
    EXPECT_FALSE(machineSettingsFolder().empty());
    EXPECT_NE(machineSettingsFolder(), settingsFolder());
    // The program's own configuration files: roaming for the user, the machine's for the policy.
    EXPECT_EQ(userConfigFile("access.conf"), settingsFolder() + "\\Quillmead\\access.conf");
    EXPECT_EQ(machineConfigFile("policy.conf"), machineSettingsFolder() + "\\Quillmead\\policy.conf");
}

TEST(WindowsPlatform, FilesAreReadAndWrittenByteForByte) {
    std::string folder = makeTempDir("qm_win_bytes");
    ASSERT_FALSE(folder.empty());
    std::string path = folder + "\\bytes.bin";
    ASSERT_TRUE(replaceFileContents(path, everyByte()));
    std::vector<uint8_t> read;
    ASSERT_EQ(readSmallFile(path, 1 << 20, read), ReadResult::read);
    EXPECT_EQ(read, everyByte());

    uint64_t size = 0;
    std::string why;
    std::FILE* file = openRegularFileToRead(path, size, why);
    ASSERT_TRUE(file) << why;
    EXPECT_EQ(size, everyByte().size());
    std::vector<uint8_t> viaFile(size_t(size) + 16);
    EXPECT_EQ(std::fread(viaFile.data(), 1, viaFile.size(), file), everyByte().size());
    std::fclose(file);
    viaFile.resize(everyByte().size());
    EXPECT_EQ(viaFile, everyByte());

    // An archive whose entries hold those bytes reads back whole.
    PakArchive written;
    pakAddBuffer(written, "bytes", everyByte().data(), everyByte().size());
    pakAddBuffer(written, "after", "\r\n\x1a", 3);
    ASSERT_TRUE(pakSave(written, (folder + "\\bytes.pak").c_str()));
    PakArchive archive;
    ASSERT_TRUE(pakOpen(archive, (folder + "\\bytes.pak").c_str(), &why)) << why;
    int32_t entrySize = 0;
    const uint8_t* entry = pakGetEntry(archive, "after", &entrySize);
    ASSERT_TRUE(entry);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry), size_t(entrySize)), "\r\n\x1a");
}

TEST(WindowsPlatform, ReplacingAnExistingFileLeavesNoTemporaryFiles) {
    std::string folder = makeTempDir("qm_win_replace");
    std::string path = folder + "\\velvadine_quillmead_cfg";
    for (uint8_t round = 1; round <= 3; ++round) {
        ASSERT_TRUE(replaceFileContents(path, std::vector<uint8_t>(100, round))) << int(round);
        EXPECT_EQ(readFileBytes(path), std::vector<uint8_t>(100, round));
    }
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});

    // The plain move replaces too, where rename() would fail.
    ASSERT_TRUE(writeFileBytes(folder + "\\new", {9, 9}));
    ASSERT_TRUE(replaceFileWith(folder + "\\new", path));
    EXPECT_EQ(readFileBytes(path), (std::vector<uint8_t>{9, 9}));
    EXPECT_FALSE(pathExists(folder + "\\new"));
    ASSERT_TRUE(moveFileAside(path, path + ".damaged"));
    EXPECT_TRUE(moveFileAside(path, path + ".damaged"));  // nothing left to move
    EXPECT_EQ(readFileBytes(path + ".damaged"), (std::vector<uint8_t>{9, 9}));
}

TEST(WindowsPlatform, AFolderOrDeviceAtTheSettingsPathIsNotAFileAndIsLeftAlone) {
    std::string folder = makeTempDir("qm_win_folder");
    std::string path = folder + "\\velvadine_quillmead_cfg";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    std::vector<uint8_t> bytes;
    EXPECT_EQ(readSmallFile(path, 1 << 20, bytes), ReadResult::notRegular);
    SettingsFileState state = SettingsFileState::whole;
    loadSettingsFile(path, &state);
    EXPECT_EQ(state, SettingsFileState::notAFile);
    DWORD attributes = GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});

    EXPECT_EQ(readSmallFile("NUL", 1 << 20, bytes), ReadResult::notRegular);
    uint64_t size = 0;
    std::string why;
    EXPECT_EQ(openRegularFileToRead(path, size, why), nullptr);
    EXPECT_EQ(why, "it is not a regular file");
    EXPECT_EQ(readSmallFile(folder + "\\missing", 1 << 20, bytes), ReadResult::missing);
}

TEST(WindowsPlatform, PathsWithDriveLettersAndBackslashes) {
    EXPECT_TRUE(isAbsolutePath("C:\\Program Files\\Quillmead"));
    EXPECT_TRUE(isAbsolutePath("c:/games"));
    EXPECT_TRUE(isAbsolutePath("\\\\school\\share\\art"));
    EXPECT_FALSE(isAbsolutePath("C:relative"));
    EXPECT_FALSE(isAbsolutePath("data\\pages"));
    EXPECT_EQ(pathRootLength("\\\\school\\share\\art"), 15u);
    EXPECT_EQ(normalPath("C:\\Program Files\\Quillmead\\..\\Other\\.\\data\\"), "C:\\Program Files\\Other\\data");
    EXPECT_EQ(normalPath("C:/a/../../b"), "C:\\b");
    EXPECT_EQ(normalPath("\\\\school\\share\\..\\art"), "\\\\school\\share\\art");
    EXPECT_EQ(normalPath("a\\b/..\\c"), "a\\c");

    DataFolderPlaces places;
    places.programFolder = "C:\\Program Files\\Quillmead";
    places.workingFolder = "D:\\work";
    EXPECT_EQ(chooseDataFolder(places), "C:\\Program Files\\Quillmead\\data");
    places.given = "..\\pictures";
    EXPECT_EQ(chooseDataFolder(places), "D:\\pictures");
    places.given = "E:/school/quillmead";
    EXPECT_EQ(chooseDataFolder(places), "E:\\school\\quillmead");

    std::string folder = makeTempDir("qm_win_paths");
    std::string why;
    std::string deep = folder + "\\a/b\\c";
    ASSERT_TRUE(makeFolders(deep, false, why)) << why;
    EXPECT_TRUE(pathExists(folder + "\\a\\b\\c"));
    ASSERT_TRUE(writeFileBytes(folder + "\\a\\file", {1}));
    EXPECT_FALSE(makeFolders(folder + "\\a\\file\\sub", false, why));
    EXPECT_FALSE(why.empty());

    // The program's own folder and the working folder come back with drive letters.
    EXPECT_EQ(pathRootLength(runningProgramFolder()), 3u) << runningProgramFolder();
    EXPECT_EQ(pathRootLength(workingFolder()), 3u) << workingFolder();
    ASSERT_TRUE(changeWorkingFolder(folder + "\\a\\b"));
    EXPECT_TRUE(endsWith(workingFolder(), "\\a\\b")) << workingFolder();
    EXPECT_EQ(absolutePath("c"), normalPath(folder + "\\a\\b\\c"));
}

// A child's or a school's name in any script: paths are UTF-8 in the program
// and reach Windows through its wide calls.
TEST(WindowsPlatform, FolderAndFileNamesBeyondAscii) {
    std::string folder = makeTempDir("qm_win_names");
    std::string named = folder + "\\\xd0\x9f\xd1\x91\xd1\x82\xd1\x80 \xc3\xa9l\xc3\xa8ve";  // "Пётр élève"
    std::string why;
    ASSERT_TRUE(makeFolders(named + "\\Bilder", false, why)) << why;
    std::string path = named + "\\velvadine_quillmead_cfg";
    ASSERT_TRUE(replaceFileContents(path, everyByte()));
    std::vector<uint8_t> read;
    ASSERT_EQ(readSmallFile(path, 1 << 20, read), ReadResult::read);
    EXPECT_EQ(read, everyByte());
    EXPECT_TRUE(isReadableFile(path));
    // The book's lock, its leftovers and its damaged copy under the same name.
    BookLock lock, second;
    ASSERT_EQ(lockBook(path, lock), BookLockResult::held);
    EXPECT_EQ(lockBook(path, second), BookLockResult::heldElsewhere);
    unlockBook(lock);
    ASSERT_TRUE(replaceFileContents(path + ".tmp7.0", everyByte()));
    EXPECT_EQ(removeLeftoverTempFiles(path), 1);
    EXPECT_EQ(moveToFreeDamagedName(path), path + ".damaged");
    ASSERT_TRUE(replaceFileContents(path, everyByte()));
    EXPECT_EQ(moveToFreeDamagedName(path), path + ".damaged-2");  // the first copy stays
    EXPECT_FALSE(isReadableFile(path + ".tmp7.0"));
    EXPECT_TRUE(isReadableFile(path + ".damaged") && isReadableFile(bookLockPath(path)));
    PakArchive written;
    pakAddBuffer(written, "e", "x", 1);
    ASSERT_TRUE(pakSave(written, (named + "\\page.pak").c_str()));
    PakArchive archive;
    EXPECT_TRUE(pakOpen(archive, (named + "\\page.pak").c_str(), &why)) << why;
    ASSERT_TRUE(changeWorkingFolder(named));
    EXPECT_EQ(workingFolder(), normalPath(named));
    // Windows sees the same name: one folder, spelt in UTF-16 as it should be.
    std::vector<wchar_t> wide(MAX_PATH);
    ASSERT_GT(GetCurrentDirectoryW(DWORD(wide.size()), wide.data()), 0u);
    EXPECT_NE(std::wstring(wide.data()).find(L"\x041f\x0451\x0442\x0440 \x00e9l\x00e8ve"), std::wstring::npos);
}

TEST(WindowsPlatform, TemporaryNamesCarryTheProcessId) {
    EXPECT_EQ(processId(), int64_t(GetCurrentProcessId()));
    std::tm local = localTimeOf(std::time_t(86400 * 365));
    EXPECT_TRUE(local.tm_year == 70 || local.tm_year == 71) << local.tm_year;
    EXPECT_FALSE(desktopLocaleName().empty());
}

// The command line as Windows keeps it, split by its rules and in UTF-8: the
// names of the five languages' scripts, spaces, quotes and trailing backslashes.
TEST(WindowsPlatform, TheCommandLineArrivesInUtf8InEveryScript) {
    const wchar_t* line =
        L"\"C:\\Program Files\\Quillmead\\quillmead.exe\" --export C:\\Users\\Zo\x00eb\\Desktop\\Prints "
        L"--data \"D:\\\x0414\x0430\x043d\x043d\x044b\x0435 \x0451\\\\\" "
        L"\"Stra\x00df" L"e \x00bfNi\x00f1o? \x00ab\x0153uvre\x00bb \x00e7" L"a\" "
        L"\"say \\\"hi\\\"\" C:\\trailing\\ \"\"";
    std::vector<std::string> expected = {"C:\\Program Files\\Quillmead\\quillmead.exe", "--export",
                                         "C:\\Users\\Zo\xc3\xab\\Desktop\\Prints", "--data",
                                         "D:\\\xd0\x94\xd0\xb0\xd0\xbd\xd0\xbd\xd1\x8b\xd0\xb5 \xd1\x91\\",
                                         "Stra\xc3\x9f" "e \xc2\xbfNi\xc3\xb1o? \xc2\xab\xc5\x93uvre\xc2\xbb \xc3\xa7" "a",
                                         "say \"hi\"", "C:\\trailing\\", ""};
    EXPECT_EQ(splitWideCommandLine(line), expected);
    // The program's own line is taken from the system, not from argv.
    char bogus[] = "bogus";
    char* argv[] = {bogus, nullptr};
    EXPECT_NE(commandLineArguments(1, argv).at(0).find("unit_tests"), std::string::npos);
}

// A second copy whose running copy shows no window (yet) says so in the
// child's language, once; the notice's test log stands in for the box.
TEST(WindowsPlatform, ASecondCopyWithNoWindowToBringForwardIsToldInItsLanguage) {
    std::string folder = makeTempDir("qm_win_second");
    std::string book = folder + "\\velvadine_quillmead_cfg";
    std::string log = folder + "\\notices.txt";
    ASSERT_EQ(_wputenv_s(L"QUILLMEAD_NOTICE_LOG", utf8ToWide(log).c_str()), 0);
    BookLock running;
    ASSERT_EQ(lockBook(book, running), BookLockResult::held);
    EXPECT_EQ(claimBook(book, 3), BookClaim::elsewhere);
    unlockBook(running);
    std::vector<uint8_t> said;
    ASSERT_EQ(readSmallFile(log, 4096, said), ReadResult::read);
    EXPECT_EQ(std::string(said.begin(), said.end()), std::string("Quillmead: ") + alreadyOpenNotice(3) + "\n");
    _wputenv_s(L"QUILLMEAD_NOTICE_LOG", L"");
}

// The program's manifest, read from quillmead.exe as Windows reads it when it
// starts the program: DPI-aware per monitor (never scaled up and blurred).
TEST(WindowsPlatform, TheProgramDeclaresItselfDpiAwarePerMonitor) {
    std::wstring program = utf8ToWide(QM_PROGRAM_FILE);
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE manifest = CreateActCtxW(&context);
    ASSERT_NE(manifest, INVALID_HANDLE_VALUE) << "no manifest in " << QM_PROGRAM_FILE << ": " << GetLastError();
    auto setting = [&](const wchar_t* space, const wchar_t* name) {
        wchar_t value[128] = {};
        bool found = QueryActCtxSettingsW(0, manifest, space, name, value, 128, nullptr);
        return found ? wideToUtf8(value) : std::string("(none)");
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              "PerMonitorV2, PerMonitor");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), "true/pm");
    ReleaseActCtx(manifest);
}

// The shipped SDL.dll says the version it is, in Explorer as to the program.
TEST(WindowsPlatform, SdlDllCarriesItsOwnVersion) {
    DWORD size = GetFileVersionInfoSizeW(L"SDL.dll", nullptr);
    std::vector<uint8_t> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(size && GetFileVersionInfoW(L"SDL.dll", 0, size, info.data()) &&
                VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const SDL_version* linked = SDL_Linked_Version();
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(linked->major << 16 | linked->minor));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(linked->patch << 16));
}
#endif  // _WIN32
