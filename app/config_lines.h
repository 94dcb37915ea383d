// Configuration files an adult writes by hand: lines of "key = value", with
// "#" comments and blank lines. The reader only splits lines; what a key means,
// which keys exist and what values they take are the caller's rules, checked
// with the helpers below. Every problem is one stderr line naming the file and
// the line ("FILE:LINE: ..."), and never stops the program.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One "key = value" line. The key is lower-cased ASCII; the value is trimmed of
// blanks (ASCII and Unicode spaces, a no-break space too) at both ends, and a
// '#' starts a comment only at the line's beginning. One byte-order mark may
// open the file.
struct ConfigEntry {
    int32_t line = 0;  // 1-based
    std::string key;
    std::string value;
};

enum class ConfigReadResult {
    read,        // entries holds every well-formed line (possibly none)
    missing,     // no file at the path: the caller's defaults, nothing said
    unreadable,  // a folder, a device, no permission, larger than the limit,
                 // or not text (a zero byte, not UTF-8): one stderr line said
                 // so, entries is empty
};

// A problem found in a file, when the caller collects them instead of having
// each said (line 0: the file as a whole).
struct ConfigProblem {
    int32_t line = 0;
    std::string message;
};

// Files larger than this are not configuration and are not read.
constexpr size_t kConfigFileLimit = 64 * 1024;

// Reads path into entries. Lines that are not "key = value" are reported (file
// and line) and left out; so are lines with an empty key. Never blocks on a
// FIFO, never reads more than kConfigFileLimit bytes.
// With problems given, nothing is said: every problem (also a file that is
// unreadable) is added there for the caller to judge.
ConfigReadResult readConfigFile(const std::string& path, std::vector<ConfigEntry>& entries,
                                std::vector<ConfigProblem>* problems = nullptr);
// The same rules over text already in memory; problems are reported under path.
void parseConfigText(const std::string& path, const std::string& text, std::vector<ConfigEntry>& entries,
                     std::vector<ConfigProblem>* problems = nullptr);

// Reports, once per key, the entries whose key is not among known; returns true
// when every key is known. The caller ignores such entries.
bool reportUnknownConfigKeys(const std::string& path, const std::vector<ConfigEntry>& entries,
                             const std::vector<std::string>& known);
// "FILE:LINE: message" on stderr, the one shape every configuration problem takes.
void reportConfigProblem(const std::string& path, int32_t line, const std::string& message);

// Values. Each returns false for anything it does not take, leaving out alone;
// the caller then calls refuseConfigValue, which says what was wanted.
// on/off, yes/no, true/false, 1/0 (any case).
bool configBoolean(const std::string& value, bool& out);
// A decimal integer within [least, most], an optional leading '-'.
bool configInteger(const std::string& value, int64_t least, int64_t most, int64_t& out);
// One of choices, compared without case; out is its index.
bool configChoice(const std::string& value, const std::vector<std::string>& choices, int32_t& out);
// "KEY needs WANTS, not "VALUE"", the value shown as a user can read it.
std::string refusalText(const ConfigEntry& entry, const std::string& wants);
// "FILE:LINE: KEY needs WANTS, not "VALUE"; ..." and what happens instead.
void refuseConfigValue(const std::string& path, const ConfigEntry& entry, const std::string& wants,
                       const std::string& instead);
