// Helpers shared by the tests.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
// The POSIX calls the tests use to set the scene, for the tests built for Windows.
inline int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
inline int mkdir(const char* path, int) { return _mkdir(path); }
#endif

// The folder with the generated archives.
std::string dataDir();
// A fresh, empty folder under /tmp, removed by nothing (the OS cleans /tmp).
std::string makeTempDir(const char* prefix = "qm_test");
std::vector<uint8_t> readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// How many acquisitions of the named archive the process-wide cache holds (0 when
// it is not open).
int cacheReferences(const std::string& archive);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> folderEntries(const std::string& folder);
#ifndef _WIN32
// A data folder of the build's archives: each linked into folder, except the
// named ones, which the test writes. False when a link cannot be made.
bool linkDataArchivesExcept(const std::string& folder, const std::vector<std::string>& own);
// Writes the build's archive into folder with the named picture's bytes
// replaced by ones that do not decode. False when it cannot be read or written.
bool writeArchiveWithBrokenPicture(const std::string& folder, const char* archive, const char* picture);
#endif
