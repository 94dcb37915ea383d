// What the operating system provides, one header for every system. Each system
// has its own file (platform_posix.cpp, platform_windows.cpp); no other folder
// calls the system for files, folders, time or processes. Paths are UTF-8
// strings; on Windows both '\' and '/' separate folders and a path may start
// with a drive letter ("C:\") or a server ("\\server\share").
#pragma once
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

// The folder that holds the settings file, created when missing; "" when none can be had.
// POSIX: $XDG_DATA_HOME (made only when the folder above it exists), else
// HOME/.local/share (only under a home that exists). Windows: the user's
// roaming AppData folder (C:\Users\NAME\AppData\Roaming).
std::string settingsFolder();
// The settings file's full path, "" when there is no folder.
std::string defaultSettingsPath();
// The folder for settings a machine's administrator makes for every user:
// /etc on POSIX, the all-users program data folder (C:\ProgramData) on Windows.
// Not created; "" when the system names none.
std::string machineSettingsFolder();
// The program's own configuration file NAME, by the system's rule, neither
// looked for nor created: POSIX takes $XDG_CONFIG_HOME (when absolute, else
// HOME/.config)/quillmead/NAME for the user and /etc/quillmead/NAME for the
// machine; Windows the roaming AppData\Quillmead\NAME and
// ProgramData\Quillmead\NAME. "" when the system names no folder.
std::string userConfigFile(const char* name);
std::string machineConfigFile(const char* name);
// The user's home folder, by one rule: POSIX takes $HOME when it is an absolute
// path, else the password database's entry (a relative or empty HOME would make
// the program write wherever it was started); Windows takes the profile folder.
// "" when neither gives one, or the one given is not a folder that exists.
std::string homeFolder();
// The user's pictures folder, not created. POSIX: XDG_PICTURES_DIR of
// user-dirs.dirs ($XDG_CONFIG_HOME or HOME/.config), else HOME/Pictures.
// A setting that names the home folder itself means "none", as it does for the
// desktop. Windows: the shell's My Pictures folder. "" when there is no home.
std::string userPicturesFolder();
// The value of the environment variable name in UTF-8, "" when unset. Windows
// reads the wide environment (getenv gives the ANSI code page's version).
std::string environmentValue(const char* name);
// The desktop's language as a locale name ("de_DE.UTF-8", "fr"): POSIX takes the
// first set of LC_ALL, LC_MESSAGES and LANG; Windows the user's interface
// language. "" when none is set.
std::string desktopLocaleName();

// Replaces the file at path with bytes as a whole: a temporary file beside it is
// written, flushed to the disk and renamed over it. On any failure the old file
// is left exactly as it was and the temporary file is removed. A file outside
// the program's own folders (an export) has its temporary file listed in the
// journal of temporary files while it exists, so that a kill leaves nothing
// for good.
enum class TemporaryFileListing { unlisted, listed };
bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes,
                         TemporaryFileListing listing = TemporaryFileListing::unlisted);
// True when a new file can be made beside path now: a temporary one is created
// there and removed again. False for a folder that refuses new files (read-only,
// not this user's, a file in the folder's place).
bool canCreateFileBeside(const std::string& path);
enum class ReadResult { read, missing, notRegular, unreadable, tooLarge };
// Reads a whole regular file of at most limit bytes, byte for byte (binary on
// every system). Whatever sits at the path (a FIFO, a device, a folder) is
// opened without blocking and never read; a larger file is not read at all.
ReadResult readSmallFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);
// Renames path to aside, replacing an older aside. True when path is gone.
bool moveFileAside(const std::string& path, const std::string& aside);

// Opens a regular file for reading in binary mode without blocking (a FIFO or
// device at the path is refused, not waited on). Null when it cannot: why then
// says so ("the file is missing", "it is not a regular file", "it cannot be read
// (REASON)"). The caller closes the file; size receives its length.
std::FILE* openRegularFileToRead(const std::string& path, uint64_t& size, std::string& why);
// fopen for a UTF-8 path; mode as fopen's, always binary.
std::FILE* openFile(const std::string& path, const char* mode);
// Moves from over to, replacing a file already at to. False (errno set) when it fails.
bool replaceFileWith(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);
// True when something (a file, a folder) is at path.
bool pathExists(const std::string& path);
// True when path is a file this process may read.
bool isReadableFile(const std::string& path);
// Makes folder and every missing folder above it. privateToUser makes new ones
// readable by the user only (POSIX). False, with why, when the folder is not
// there afterwards or is not a folder this process may write in.
bool makeFolders(const std::string& folder, bool privateToUser, std::string& why);

// True for '/', and for '\' on Windows.
bool isPathSeparator(char c);
// The separator the system writes: '/', or '\' on Windows.
char pathSeparator();
// How many leading characters of path name its root: 1 for "/x" on POSIX; on
// Windows 3 for "C:\x", 2 for "C:x", up to the share's separator for
// "\\server\share\x", 1 for "\x"; 0 for a relative path.
size_t pathRootLength(const std::string& path);
// True for a path that names its place from the root: "/x" on POSIX; "C:\x",
// "C:/x", "\\server\x" and "\x" on Windows.
bool isAbsolutePath(const std::string& path);
// The folder the program runs in, absolute; "" when it cannot be had.
std::string workingFolder();
bool changeWorkingFolder(const std::string& folder);
// The folder the running program's file is in; "" when it cannot be found.
std::string runningProgramFolder();
// The local time of a moment (the system's time zone rules).
std::tm localTimeOf(std::time_t when);
// This process's id, as temporary names carry it.
int64_t processId();

// SDL turns SIGINT and SIGTERM into a quit event, which the program ignores (it is
// also what the window manager's close sends). The system's request to end must
// not cost the child its paintings, so these two signals are caught instead and
// the main loop saves and quits on them like the exit button does. SIGHUP (the
// desktop session ends) is treated the same. Installed before SDL starts, SDL
// keeps them; installed again after, they replace SDL's. Interrupted system
// calls restart, so a signal during a save does not cut it short. SIGXFSZ is
// ignored: a file-size limit makes a write fail instead of killing the program.
// Windows has no such signals: the end of the session arrives as a window
// message (see base/end_of_session.h); this does nothing there.
void catchTerminationSignals();
// True once SIGINT, SIGTERM or SIGHUP arrived, or the Windows session ends.
// Safe to poll every pass.
bool terminationRequested();
// Readable once a termination signal arrived, whichever thread it landed on:
// waitUntilReadable wakes on it too. -1 before catchTerminationSignals and on
// Windows.
int terminationWakeDescriptor();
// Marks the termination as requested (the Windows session's end).
void requestTermination();
// While start-up runs, nothing has been saved that needs saving and it may wait
// where the flag is never looked at: a termination signal then ends the program
// at once, as the signal's default would, writing nothing. Off again once the
// main loop runs. Windows: nothing.
void endAtOnceOnTermination(bool atOnce);

#ifdef _WIN32
// Windows only: a UTF-8 path as the system's wide calls take it, and a name
// they return back in UTF-8 ("" for none). Every file call on Windows goes
// through these, so a user or folder name in any script works.
std::wstring utf8ToWide(const std::string& text);
std::string wideToUtf8(const wchar_t* text);
#endif
