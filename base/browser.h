// Handing an address to the desktop's browser, and the plain string handling
// around it. Part of the platform layer: browser_posix.cpp and browser_windows.cpp
// start it, the rest is plain strings.
#pragma once
#include <cstddef>
#include <string>

#include "base/platform.h"

// Starts the desktop's browser on address. true when the opener started and did
// not fail at once; false when there is none or it gave up (nothing opens then).
// POSIX: "xdg-open ADDRESS", started with posix_spawnp from the PATH, with no
// shell in between, so the address is one argument whatever it holds. false
// when it cannot be started, or when within kBrowserVerdictMs it ends with a
// status other than 0 (no browser it could hand the address to); still running
// then counts as started, and the child is not reaped: the program quits next.
// Windows: the command the registry holds for http (browserCommandFromRegistry
// and the functions after it), started with CreateProcessA; false without one or
// when it does not start.
bool launchBrowser(const std::string& address);
constexpr unsigned kBrowserVerdictMs = 1500;

// A file:// URL for an absolute path: backslashes become slashes, a Windows
// drive letter gets its leading slash, and every byte but letters, digits,
// "-._~", "/" and ":" is percent-encoded (a space is "%20").
std::string fileUrl(const std::string& absolutePath);

// The registry's default value of HKEY_CLASSES_ROOT\http\shell\open\command is
// read into a buffer of this size.
constexpr size_t browserBufferSize = 256;
// The command from what RegQueryValueExA left: queried says it returned success
// with a string; size is the byte count it reported. false, and nothing is to be
// started, when nothing was read, when the value is empty, or when it needs the
// whole buffer or more (it may be cut short). The value is taken up to its first
// NUL or its size, whichever comes first, so an unterminated one is safe.
bool browserCommandFromRegistry(bool queried, const char* buffer, unsigned long size, std::string& command);
// The executable of a registered command: without a leading double quote, and
// cut right after the first ".exe" in any case; a command with no ".exe" is
// taken whole.
std::string browserPathFromCommand(const std::string& command);
// The text after the last '/' of the path, or the whole path when it has none.
std::string browserFileName(const std::string& path);
// argv[0] quoted, a blank, then the address unquoted as one argument.
std::string browserCommandLine(const std::string& fileName, const std::string& address);
