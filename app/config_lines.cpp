#include "app/config_lines.h"

#include <cstdio>

#include "base/platform.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string trimmed(const std::string& text, size_t begin, size_t end) {
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// A key is letters, digits, '_', '-' and '.'; anything else is a typo or binary.
bool isKey(const std::string& key) {
    if (key.empty()) return false;
    for (char c : key) {
        bool fine = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!fine) return false;
    }
    return true;
}

// What a user reads of a value: control bytes shown as '?', cut after 60 bytes.
std::string printable(const std::string& value) {
    std::string shown;
    for (char c : value) {
        if (shown.size() >= 60) {
            shown += "...";
            break;
        }
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    }
    return shown;
}

}  // namespace

void reportConfigProblem(const std::string& path, int32_t line, const std::string& message) {
    if (line > 0)
        std::fprintf(stderr, "quillmead: %s:%d: %s\n", path.c_str(), int(line), message.c_str());
    else
        std::fprintf(stderr, "quillmead: %s: %s\n", path.c_str(), message.c_str());
}

void parseConfigText(const std::string& path, const std::string& text, std::vector<ConfigEntry>& entries) {
    entries.clear();
    int32_t line = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        ++line;
        std::string content = trimmed(text, begin, end);
        begin = end + 1;
        if (line == 1 && content.compare(0, 3, "\xEF\xBB\xBF") == 0) content = trimmed(content, 3, content.size());
        if (content.empty() || content[0] == '#') continue;
        size_t equals = content.find('=');
        if (equals == std::string::npos) {
            reportConfigProblem(path, line, "not a \"key = value\" line, ignored: \"" + printable(content) + "\"");
            continue;
        }
        ConfigEntry entry;
        entry.line = line;
        entry.key = lowerAscii(trimmed(content, 0, equals));
        entry.value = trimmed(content, equals + 1, content.size());
        if (!isKey(entry.key)) {
            reportConfigProblem(path, line, "\"" + printable(trimmed(content, 0, equals)) +
                                                "\" is not a setting's name, line ignored");
            continue;
        }
        entries.push_back(entry);
    }
}

ConfigReadResult readConfigFile(const std::string& path, std::vector<ConfigEntry>& entries) {
    entries.clear();
    std::vector<uint8_t> bytes;
    switch (readSmallFile(path, kConfigFileLimit, bytes)) {
    case ReadResult::read:
        break;
    case ReadResult::missing:
        return ConfigReadResult::missing;
    case ReadResult::notRegular:
        reportConfigProblem(path, 0, "is not a file, not read");
        return ConfigReadResult::unreadable;
    case ReadResult::tooLarge:
        reportConfigProblem(path, 0, "is larger than " + std::to_string(kConfigFileLimit / 1024) +
                                         " KiB, not read");
        return ConfigReadResult::unreadable;
    case ReadResult::unreadable:
        reportConfigProblem(path, 0, "cannot be read (no permission?), not read");
        return ConfigReadResult::unreadable;
    }
    for (uint8_t b : bytes) {
        if (b == 0) {
            reportConfigProblem(path, 0, "is not a text file, not read");
            return ConfigReadResult::unreadable;
        }
    }
    parseConfigText(path, std::string(bytes.begin(), bytes.end()), entries);
    return ConfigReadResult::read;
}

bool reportUnknownConfigKeys(const std::string& path, const std::vector<ConfigEntry>& entries,
                             const std::vector<std::string>& known) {
    std::vector<std::string> reported;
    for (const ConfigEntry& entry : entries) {
        bool isKnown = false;
        for (const std::string& k : known) isKnown = isKnown || k == entry.key;
        if (isKnown) continue;
        bool already = false;
        for (const std::string& r : reported) already = already || r == entry.key;
        if (already) continue;
        reported.push_back(entry.key);
        reportConfigProblem(path, entry.line, "unknown setting \"" + entry.key + "\", ignored");
    }
    return reported.empty();
}

bool configBoolean(const std::string& value, bool& out) {
    std::string v = lowerAscii(value);
    if (v == "on" || v == "yes" || v == "true" || v == "1") {
        out = true;
        return true;
    }
    if (v == "off" || v == "no" || v == "false" || v == "0") {
        out = false;
        return true;
    }
    return false;
}

bool configInteger(const std::string& value, int64_t least, int64_t most, int64_t& out) {
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && value[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == value.size()) return false;
    int64_t magnitude = 0;
    for (; i < value.size(); ++i) {
        char c = value[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        // Past any sensible range already: stop before it can overflow.
        if (magnitude > (int64_t(1) << 40)) return false;
    }
    int64_t number = negative ? -magnitude : magnitude;
    if (number < least || number > most) return false;
    out = number;
    return true;
}

bool configChoice(const std::string& value, const std::vector<std::string>& choices, int32_t& out) {
    std::string v = lowerAscii(value);
    for (size_t i = 0; i < choices.size(); ++i) {
        if (v == lowerAscii(choices[i])) {
            out = int32_t(i);
            return true;
        }
    }
    return false;
}

void refuseConfigValue(const std::string& path, const ConfigEntry& entry, const std::string& wants,
                       const std::string& instead) {
    std::string message = entry.key + " needs " + wants + ", not \"" + printable(entry.value) + "\"";
    if (!instead.empty()) message += "; " + instead;
    reportConfigProblem(path, entry.line, message);
}
