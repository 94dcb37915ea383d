#include "app/access_config.h"

#include <cstdlib>
#include <vector>

#include "app/config_lines.h"
#include "base/platform.h"

namespace {

const char* const kMethodWords[] = {"keys", "switch2", "switch1", "dwell"};

std::string secondsRange(uint32_t leastMs, uint32_t mostMs) {
    auto seconds = [](uint32_t ms) {
        std::string text = std::to_string(ms / 1000);
        if (ms % 1000) {
            std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
            while (fraction.back() == '0') fraction.pop_back();
            text += "." + fraction;
        }
        return text;
    };
    return "a number of seconds from " + seconds(leastMs) + " to " + seconds(mostMs);
}

}  // namespace

const char* accessMethodWord(AccessMethod method) {
    int32_t i = int32_t(method);
    return i >= 0 && i < 4 ? kMethodWords[i] : "keys";
}

bool accessMethodFromWord(const std::string& word, AccessMethod& method) {
    int32_t index = -1;
    if (!configChoice(word, {kMethodWords[0], kMethodWords[1], kMethodWords[2], kMethodWords[3]}, index))
        return false;
    method = AccessMethod(index);
    return true;
}

bool parseSeconds(const std::string& text, uint32_t leastMs, uint32_t mostMs, uint32_t& ms) {
    uint64_t whole = 0, fraction = 0, scale = 1000;
    size_t i = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && whole < 100000) {
        whole = whole * 10 + uint64_t(text[i++] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (scale > 1) {
                scale /= 10;
                fraction += uint64_t(text[i] - '0') * scale;
            }
            ++i;
            digits = true;
        }
    }
    if (!digits || i != text.size()) return false;
    uint64_t value = whole * 1000 + fraction;
    if (value < leastMs || value > mostMs) return false;
    ms = uint32_t(value);
    return true;
}

std::string accessConfigPath() { return userConfigFile("access.conf"); }

void readAccessConfig(const std::string& path, AccessSettings& settings) {
    if (path.empty()) return;
    std::vector<ConfigEntry> entries;
    if (readConfigFile(path, entries) != ConfigReadResult::read) return;
    reportUnknownConfigKeys(path, entries,
                            {"access", "scan-time", "dwell-time", "dwell-grace", "dwell-radius", "reduced-motion"});
    for (const ConfigEntry& entry : entries) {
        if (entry.key == "access") {
            if (!accessMethodFromWord(entry.value, settings.method))
                refuseConfigValue(path, entry, "keys, switch2, switch1 or dwell", "this line is left out");
        } else if (entry.key == "scan-time") {
            if (!parseSeconds(entry.value, kLeastScanMs, kMostScanMs, settings.scanMs))
                refuseConfigValue(path, entry, secondsRange(kLeastScanMs, kMostScanMs), "this line is left out");
        } else if (entry.key == "dwell-time") {
            if (!parseSeconds(entry.value, kLeastDwellMs, kMostDwellMs, settings.dwellMs))
                refuseConfigValue(path, entry, secondsRange(kLeastDwellMs, kMostDwellMs), "this line is left out");
        } else if (entry.key == "dwell-grace") {
            if (!parseSeconds(entry.value, 0, kMostDwellGraceMs, settings.dwellGraceMs))
                refuseConfigValue(path, entry, secondsRange(0, kMostDwellGraceMs), "this line is left out");
        } else if (entry.key == "dwell-radius") {
            int64_t pixels = 0;
            if (configInteger(entry.value, 0, kMostDwellRadius, pixels))
                settings.dwellRadius = int32_t(pixels);
            else
                refuseConfigValue(path, entry, "a number of pixels from 0 to " + std::to_string(kMostDwellRadius),
                                  "this line is left out");
        } else if (entry.key == "reduced-motion") {
            if (!configBoolean(entry.value, settings.reducedMotion))
                refuseConfigValue(path, entry, "on or off", "this line is left out");
        }
    }
}
