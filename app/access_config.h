// How the adult who sets the program up chooses a child's way in: the user's
// configuration file, then the command line over it (--access, --scan-time,
// --dwell-time). The machine's policy may fix them after both are read. The
// settings file is not involved.
//
// The file: $XDG_CONFIG_HOME/quillmead/access.conf (~/.config/quillmead/access.conf
// when XDG_CONFIG_HOME is unset) on Linux, %APPDATA%\Quillmead\access.conf on
// Windows. Lines of "key = value" (app/config_lines.h):
//   access = keys | switch2 | switch1 | dwell
//   scan-time = 1.5        seconds, 0.5 to 5
//   dwell-time = 1.0       seconds, 0.3 to 5
//   dwell-grace = 0.4      seconds off the target a dwell survives, 0 to 2
//   dwell-radius = 24      pixels round where a dwell began that keep its
//                          target, 0 to 200
//   reduced-motion = on | off
#pragma once
#include <cstdint>
#include <string>

#include "engine/access.h"

// The words of the methods, as the file and --access take them.
const char* accessMethodWord(AccessMethod method);
// false for a word that names no method.
bool accessMethodFromWord(const std::string& word, AccessMethod& method);
// Decimal seconds ("1.5", "2", "0.75") within [leastMs, mostMs] milliseconds.
bool parseSeconds(const std::string& text, uint32_t leastMs, uint32_t mostMs, uint32_t& ms);

// The user's configuration file; "" when there is no home folder.
std::string accessConfigPath();
// Reads the file at path over settings. A missing file changes nothing; one
// that cannot be read (a folder, too large, not text) is said in one line and
// changes nothing; unknown keys are named once, bad values refused naming the
// line, and the rest of the file still counts.
void readAccessConfig(const std::string& path, AccessSettings& settings);

