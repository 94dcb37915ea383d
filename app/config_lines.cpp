#include "app/config_lines.h"

#include <cstdio>

#include "base/platform.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The UTF-8 of the Unicode spaces a hand-written line may carry: no-break
// space, ogham space, en quad to hair space, narrow no-break space, medium
// mathematical space, ideographic space.
bool isUnicodeSpace(const std::string& text, size_t at, size_t length) {
    if (at + length > text.size()) return false;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 2) return byte(0) == 0xC2 && byte(1) == 0xA0;
    if (length != 3) return false;
    if (byte(0) == 0xE2 && byte(1) == 0x80) return (byte(2) >= 0x80 && byte(2) <= 0x8A) || byte(2) == 0xAF;
    return (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) == 0x9F) ||
           (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) ||
           (byte(0) == 0xE1 && byte(1) == 0x9A && byte(2) == 0x80);
}

// How many bytes of space start at begin (0: none).
size_t spaceStarting(const std::string& text, size_t begin, size_t end) {
    if (begin >= end) return 0;
    if (isBlank(text[begin])) return 1;
    for (size_t length : {2, 3})
        if (begin + length <= end && isUnicodeSpace(text, begin, length)) return length;
    return 0;
}

// How many bytes of space end at end (0: none).
size_t spaceEnding(const std::string& text, size_t begin, size_t end) {
    if (end <= begin) return 0;
    if (isBlank(text[end - 1])) return 1;
    for (size_t length : {2, 3})
        if (end >= begin + length && isUnicodeSpace(text, end - length, length)) return length;
    return 0;
}

std::string trimmed(const std::string& text, size_t begin, size_t end) {
    while (size_t n = spaceStarting(text, begin, end)) begin += n;
    while (size_t n = spaceEnding(text, begin, end)) end -= n;
    return text.substr(begin, end - begin);
}

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF.
bool isUtf8(const std::vector<uint8_t>& bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t lead = bytes[i];
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
            point = (point << 6) | (bytes[i + k] & 0x3F);
        }
        static const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

// Says a problem, or adds it to problems when the caller collects them.
void problem(const std::string& path, int32_t line, const std::string& message,
             std::vector<ConfigProblem>* problems) {
    if (problems)
        problems->push_back(ConfigProblem{line, message});
    else
        reportConfigProblem(path, line, message);
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

void parseConfigText(const std::string& path, const std::string& text, std::vector<ConfigEntry>& entries,
                     std::vector<ConfigProblem>* problems) {
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
            problem(path, line, "not a \"key = value\" line, ignored: \"" + printable(content) + "\"", problems);
            continue;
        }
        ConfigEntry entry;
        entry.line = line;
        entry.key = lowerAscii(trimmed(content, 0, equals));
        entry.value = trimmed(content, equals + 1, content.size());
        if (!isKey(entry.key)) {
            problem(path, line, "\"" + printable(trimmed(content, 0, equals)) + "\" is not a setting's name, line ignored",
                    problems);
            continue;
        }
        entries.push_back(entry);
    }
}

ConfigReadResult readConfigFile(const std::string& path, std::vector<ConfigEntry>& entries,
                                std::vector<ConfigProblem>* problems) {
    entries.clear();
    std::vector<uint8_t> bytes;
    switch (readSmallFile(path, kConfigFileLimit, bytes)) {
    case ReadResult::read:
        break;
    case ReadResult::missing:
        return ConfigReadResult::missing;
    case ReadResult::notRegular:
        problem(path, 0, "is not a file, not read", problems);
        return ConfigReadResult::unreadable;
    case ReadResult::tooLarge:
        problem(path, 0, "is larger than " + std::to_string(kConfigFileLimit / 1024) + " KiB, not read", problems);
        return ConfigReadResult::unreadable;
    case ReadResult::unreadable:
        problem(path, 0, "cannot be read (no permission?), not read", problems);
        return ConfigReadResult::unreadable;
    }
    bool text = isUtf8(bytes);
    for (uint8_t b : bytes) text = text && b != 0;
    if (!text) {
        problem(path, 0, "is not a text file, not read", problems);
        return ConfigReadResult::unreadable;
    }
    parseConfigText(path, std::string(bytes.begin(), bytes.end()), entries, problems);
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

std::string refusalText(const ConfigEntry& entry, const std::string& wants) {
    return entry.key + " needs " + wants + ", not \"" + printable(entry.value) + "\"";
}

void refuseConfigValue(const std::string& path, const ConfigEntry& entry, const std::string& wants,
                       const std::string& instead) {
    std::string message = refusalText(entry, wants);
    if (!instead.empty()) message += "; " + instead;
    reportConfigProblem(path, entry.line, message);
}
